#include "workbook/formats/xls/xls_worksheet_cells.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "workbook/core/color_sources.h"

#include "workbook/formats/xls/xls_conditional_formatting.h"
#include "workbook/formats/xls/xls_formula_tokens.h"
#include "workbook/formats/xls/xls_hyperlinks.h"
#include "workbook/formats/xls/xls_merged_ranges.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xlsx/xlsx_palette.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/row.h"
#include "workbook/model/workbook.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

constexpr int kProgressEvery = 10000;

// The runs as the BIFF8 run list the string cell reads: character position and font, a word each.
std::vector<std::uint8_t> RunBuffer(const std::vector<TXLSRichTextRun>& runs) {
  std::vector<std::uint8_t> buffer;
  buffer.reserve(runs.size() * 4);
  for (const TXLSRichTextRun& run : runs) {
    for (std::uint16_t word : {run.Position, run.FontIndex}) {
      buffer.push_back(static_cast<std::uint8_t>(word));
      buffer.push_back(static_cast<std::uint8_t>(word >> 8));
    }
  }
  return buffer;
}

}  // namespace

TXLSWorksheetCells::TXLSWorksheetCells(TWorkbook& workbook, TExportWorkSheet& sheet,
                                       TExporterXLSX_StyleSheet& styles,
                                       const TExporterXLSX_Palette& palette, double charWidth)
    : workbook_(workbook),
      sheet_(sheet),
      styles_(styles),
      palette_(palette),
      charWidth_(charWidth),
      condFormats_(sheet) {}

void TXLSWorksheetCells::Cell(const TXLSCell& cell) {
  if (cell.Row != rowIndex_) {
    if (row_ != nullptr) workbook_.DoAfterRowRead(sheet_, *row_);
    rowIndex_ = cell.Row;
    row_ = sheet_.GetRow(rowIndex_);
    // Without a ROW record of its own (some writers give none) the row has the default height.
    if (row_->HeightMode == 0 && row_->Height < 0) row_->SetHeightMode(2);
  }
  if (++cellsSinceReport_ == kProgressEvery) {
    cellsSinceReport_ = 0;
    workbook_.DoProgress(wpsRows, std::min<long long>(rowIndex_, progressMax_), progressMax_, u"");
  }

  TExportCell* made = nullptr;
  switch (cell.Kind) {
    case TXLSCellKind::Number: {
      auto* number = static_cast<TExportCellCustomNumber*>(
          row_->FindCreateCell(cell.Column, styles_.GetCellClass(cell.XF), true));
      number->ReadValue(cell.Number);
      made = number;
      break;
    }
    case TXLSCellKind::Text: {
      auto* text = static_cast<TExportCellString*>(
          row_->FindCreateCell(cell.Column, TCellClass::String, true));
      // A table's text comes normalised once for all its cells; most other texts have neither
      // line breaks to normalise nor runs to move along with them.
      if (cell.SharedText != nullptr) {
        text->SetValueShared(*cell.SharedText);
      } else if (cell.Runs == nullptr &&
                 cell.Text.find_first_of(u"\r\n") == std::u16string_view::npos) {
        text->SetValueEx(std::u16string(cell.Text), true);
      } else {
        text->ReadXLSText(
            cell.Text, cell.Runs != nullptr ? RunBuffer(*cell.Runs) : std::vector<std::uint8_t>());
      }
      made = text;
      break;
    }
    case TXLSCellKind::Boolean:
    case TXLSCellKind::Error: {
      auto* flag = static_cast<TExportCellBoolean*>(
          row_->FindCreateCell(cell.Column, TCellClass::Boolean, true));
      // An error value is no truth value: the cell keeps no value and its text is empty.
      if (cell.Kind == TXLSCellKind::Error)
        flag->SetErrorValue(static_cast<std::uint8_t>(cell.Number));
      else
        flag->ReadValue(cell.Number);
      made = flag;
      break;
    }
    case TXLSCellKind::Blank:
      made = row_->FindCreateCell(cell.Column, TCellClass::Empty, true);
      break;
  }
  // The formula joins the result read with it, which stays the cell's value.
  if (cell.Formula) RPNReadXLSFormula(*made, cell.FormulaTokens);
  styles_.ApplyCellFormat(cell.XF, *made);
}

void TXLSWorksheetCells::Row(const TXLSRowRecord& record) {
  TExportRow* row = sheet_.GetRow(record.Row);
  // Twips; 15 to a pixel.
  // A row without a custom height stays one when written back.
  if ((record.Height & 0x8000) != 0 || (record.Options & 0x40) == 0)
    row->SetHeightMode(2);
  else
    row->SetHeight((record.Height & 0x7FFF) / 15.0);
  row->SetOutlineLevel(static_cast<std::uint8_t>(record.Options & 0x07));
  row->Hidden = (record.Options & 0x20) != 0;
  if ((record.Options & 0x80) != 0)
    styles_.ApplyStyle(static_cast<int>(record.Options >> 16 & 0x0FFF), row->GetStyle(), nullptr);
}

void TXLSWorksheetCells::DefaultRowHeight(std::uint16_t height) {
  sheet_.Rows.DefaultRowHeight = height / 15.0;
}

void TXLSWorksheetCells::SheetRecord(TXLSRecordReader& reader) {
  using namespace xls_record;
  const std::uint16_t id = reader.Id();
  if (sheet_.PageSettings.ReadXLSRecord(id, reader)) return;
  TExportWindowSettings& window = sheet_.WindowSettings;
  switch (id) {
    case kMergedCells:
      ReadXLSMergedCells(sheet_, reader);
      break;
    case kDimensions: {
      // The first used row and the row after the last one; writers that leave the record empty
      // keep the sheet's whole height as the progress maximum.
      const std::uint32_t first = reader.ReadDWord();
      const std::uint32_t end = reader.ReadDWord();
      if (end > 0) progressMax_ = std::min<std::uint32_t>(end, kRowCount);
      // The row list is sized once from what the file claims, no further than a sheet's rows go;
      // a claim too small lets the list grow as usual, one too large is given back at the end.
      if (end > first) {
        reservedRows_ = static_cast<std::int32_t>(std::min<std::uint32_t>(end - first, kRowCount));
        sheet_.Rows.Reserve(reservedRows_);
      }
      break;
    }
    case kColInfo:
      sheet_.Cols.ReadXLS(reader, charWidth_, [this](int xf, TExportCellStyle& style) {
        styles_.ApplyStyle(xf, style, nullptr);
      });
      break;
    case kDefColWidth:
      sheet_.Cols.DefaultWidth =
          std::round(reader.ReadWord() * 8 * std::round(1.4 * charWidth_) / 10);
      break;
    case kWsBool: {
      const std::uint16_t flags = reader.ReadWord();
      window.SummaryRowsAbove = (flags & 0x0040) == 0;
      window.SummaryColsLeft = (flags & 0x0080) == 0;
      sheet_.PageSettings.FitToPage = (flags & 0x0100) != 0;
      break;
    }
    case kWindow2: {
      const std::uint16_t flags = reader.ReadWord();
      frozen_ = (flags & 0x0008) != 0;
      window.ShowGridLines = (flags & 0x0002) != 0;
      window.ShowRowColHeaders = (flags & 0x0004) != 0;
      window.TopLeftCell.Row = reader.ReadWord();
      window.TopLeftCell.Col = std::min<int>(reader.ReadWord(), kMaxColumn);
      break;
    }
    case kPane:
      if (frozen_) window.Split.ReadXLS(reader);
      break;
    case kScl: {
      const int numerator = reader.ReadWord();
      const int denominator = reader.ReadWord();
      if (denominator != 0)
        window.Zoom = static_cast<int>(std::lround(numerator * 100.0 / denominator));
      break;
    }
    case kSheetLayout:
      window.ReadXLSSheetLayout(reader, TColorPaletteRef(palette_));
      break;
    case kProtect:
      sheet_.Protection.ReadXLSProtect(reader);
      break;
    case kPassword:
      sheet_.Protection.ReadXLSPassword(reader);
      break;
    case kFeatHeader:
      sheet_.Protection.ReadXLSFeatHeader(reader);
      break;
    case kSelection:
      window.ReadXLSSelection(reader);
      break;
    case kCondFmt:
      condFormatRanges_ = ReadXLSCondFmtRanges(reader);
      break;
    case kCF:
      ReadConditionalRule(reader);
      break;
    case kHLink:
      if (const std::optional<TXLSHyperlink> link = XLSReadHyperlink(reader)) {
        TExportCell* cell = sheet_.FindCreateCell(link->Col, link->Row, TCellClass::String, false);
        if (auto* text = dynamic_cast<TExportCellString*>(cell)) text->SetHyperlink(link->Target);
      }
      break;
    default:
      break;
  }
}

void TXLSWorksheetCells::ReadConditionalRule(TXLSRecordReader& reader) {
  if (condFormatRanges_.empty()) return;
  TXLSFormulaTokens tokens(&sheet_, workbook_.FormulaNames);
  TExportConditionalFormatting read(nullptr);
  if (!TExportConditionalFormattingRule::AddRule(read.Rules, cfoEqual, u"", u"")
           ->ReadXLS(reader, palette_, tokens, condFormatRanges_.front().Col1,
                     condFormatRanges_.front().Row1))
    return;
  // The file lists the rules in evaluation order; the list keeps the first-evaluated last.
  condFormats_.Apply(condFormatRanges_, read.Rules, true);
}

void TXLSWorksheetCells::Finish() {
  if (row_ != nullptr) workbook_.DoAfterRowRead(sheet_, *row_);
  if (sheet_.Rows.ItemCount() < reservedRows_) sheet_.Rows.Compact();
  workbook_.DoProgress(wpsRows, progressMax_, progressMax_, u"");
}

}  // namespace workbook
