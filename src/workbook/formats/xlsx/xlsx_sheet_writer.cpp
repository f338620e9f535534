#include "workbook/formats/xlsx/xlsx_sheet_writer.h"

#include <algorithm>

#include "workbook/core/cell_refs.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/library_texts.h"
#include "workbook/core/oformat.h"
#include "workbook/formats/cell_text_limit.h"
#include "workbook/formats/xlsx/xlsx_cell_comment.h"
#include "workbook/formats/xlsx/xlsx_package_parts.h"
#include "workbook/formats/xlsx/xlsx_shared_strings_writer.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/formats/xlsx/xlsx_xml_text.h"
#include "workbook/formats/zip/compression_stream.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

constexpr long long kCellsPerPart = 10000;

}  // namespace

TXLSXSheetWriter::TXLSXSheetWriter(TCustomExporter& exporter, TWorkbook& workbook,
                                   TExporterXLSX_StyleSheet& styles,
                                   TXLSXSharedStrings_Export& sharedStrings,
                                   TExporterXLSX_Chain& chain, TXLSXPackageContents& contents)
    : exporter_(exporter),
      workbook_(workbook),
      styles_(styles),
      sharedStrings_(sharedStrings),
      chain_(chain),
      contents_(contents) {}

TXLSXSheetWriter::~TXLSXSheetWriter() = default;

std::uint32_t TXLSXSheetWriter::SharedStringIndex(const TExportCellString& cell) {
  return sharedStrings_.AddCell(cell);
}

void TXLSXSheetWriter::AddHyperlink(const std::u16string& ref, const std::u16string& target) {
  hyperlinks_->Add(ref, target);
}

void TXLSXSheetWriter::AddCalcChainItem(const std::u16string& ref) {
  chain_.emplace_back(ref, std::to_string(index_ + 1));
}

void TXLSXSheetWriter::AddConditionalFormatting(TExportConditionalFormatting& formatting) {
  conditionalFormats_.push_back(&formatting);
}

void TXLSXSheetWriter::AddDrawing(TExportCellDrawing& drawing) { drawings_.Add(drawing); }

void TXLSXSheetWriter::AddComment(TExportCellComment& comment) {
  if (!comments_) comments_ = std::make_unique<TExporterXLSX_CommentsInWorkSheet>(*sheet_);
  comments_->AddComment(comment);
}

void TXLSXSheetWriter::StartPart() {
  if (!rowsXML_.empty()) {
    parts_->AddBytes(rowsXML_.data(), rowsXML_.size(), WorkbookCompressTempData);
    rowsXML_.clear();
  }
  partCells_ = 1;
}

void TXLSXSheetWriter::WriteEmptyCell(int col, int row, int xf) {
  writer_.StartElement("c");
  writer_.WriteAttribute("r", MakeCellRangeRef(col, row));
  writer_.WriteAttribute("s", std::int64_t{xf});
  writer_.EndElement();
}

int TXLSXSheetWriter::ColumnXF(int col) {
  TExportCol* column = sheet_->Cols.FindCol(col);
  return column && column->HasStyle() ? styles_.AddStyle(column->GetStyle(), nullptr) : defaultXF_;
}

void TXLSXSheetWriter::CompleteRow(int rowIndex, int fromCol, int rowXF) {
  const int lastCol = forceRanges_.GetLastColInRow(rowIndex);
  for (int col = fromCol; col <= lastCol; ++col) {
    // An empty c element with a style hides the column's own style in other programs, so the
    // look it stands for is the one the cell would have: the row's, else the column's.
    const int range = forceRanges_.IndexOfCell(col, rowIndex);
    WriteEmptyCell(col, rowIndex,
                   range >= 0   ? forceRanges_.GetItem(range).XF
                   : rowXF >= 0 ? rowXF
                                : ColumnXF(col));
  }
}

int TXLSXSheetWriter::CellXF(TExportCell& cell, bool rowStyled) {
  if (cell.HasStyle() || rowStyled) return styles_.AddStyle(cell.GetStyle(), &cell);
  std::u16string key = UnstyledKey(cell);
  auto found = unstyledXFs_.find(key);
  if (found != unstyledXFs_.end()) return found->second;
  const int xf = styles_.AddStyle(cell.GetStyle(), &cell);
  unstyledXFs_.emplace(std::move(key), xf);
  return xf;
}

std::u16string TXLSXSheetWriter::UnstyledKey(const TExportCell& cell) {
  // The class, then what stands for the format code without building it per cell: the number
  // classes build their code from their settings whenever asked (a plain number cell's four
  // settings stand for it); every other class gives its stored code, which is interned, so its
  // address stands for it. The short keys need no allocation.
  const TCellClass cellClass = cell.CellClass();
  std::u16string key(1, static_cast<char16_t>(cellClass));
  const std::u16string& stored = cell.FormatCode();
  const bool numberFamily = cellClass >= TCellClass::Number && cellClass <= TCellClass::Fraction;
  if (cellClass == TCellClass::Number && (stored.empty() || stored == u"@")) {
    const auto& number = static_cast<const TExportCellNumber&>(cell);
    key += {u'n', number.Decimals, number.MinIntegerDigits,
            static_cast<char16_t>(number.ThousandSeparator * 2 + number.RedNegative)};
  } else if (!numberFamily) {
    key += u'p';
    const auto address = reinterpret_cast<std::uintptr_t>(&stored);
    for (int shift = 0; shift < 64; shift += 16)
      key += static_cast<char16_t>((address >> shift) & 0xFFFF);
  } else {
    key += u'c';
    key += cell.GetFormatCode();
  }
  return key;
}

void TXLSXSheetWriter::WriteRow(int rowIndex, TExportRow* row) {
  const int cellCount = row != nullptr ? static_cast<int>(row->Cells.Count()) : 0;
  if (partCells_ > kCellsPerPart) {
    StartPart();
    workbook_.DoProgress(wpsRows, rowIndex, rowCount_, u"");
  }
  partCells_ += cellCount;
  const bool covered = forceRanges_.GetLastColInRow(rowIndex) >= 0;
  if (row == nullptr || (cellCount == 0 && !row->HasStyle() && row->Height < 0 && !row->Hidden &&
                         row->OutlineLevel == 0 && !row->PageBreak)) {
    if (!covered) return;
    writer_.StartElement("row");
    writer_.WriteAttribute("r", std::int64_t{rowIndex} + 1);
    CompleteRow(rowIndex, 0, -1);
    writer_.EndElement();
    return;
  }
  maxCellCount_ = std::max(maxCellCount_, cellCount);
  const int rowXF = row->HasStyle() ? styles_.AddStyle(row->GetStyle(), nullptr) : defaultXF_;
  row->WriteXLSX(writer_, RowHeight(rowIndex, *row), rowXF, rowBreaks_);
  int j = 0;
  for (; j < cellCount; ++j) {
    TExportCell* cell = row->Cells.PeekItem(j);
    const int range = forceRanges_.IndexOfCell(j, rowIndex);
    if (cell == nullptr) {
      if (range >= 0) WriteEmptyCell(j, rowIndex, forceRanges_.GetItem(range).XF);
      continue;
    }
    int xf = CellXF(*cell, row->HasStyle());
    if (range >= 0)
      xf = styles_.AddStyleWithBorders(forceRanges_.GetItem(range).XF, cell->GetStyle());
    CheckCellTextLength(*cell, WorkbookLng_XLSXTextTooLong);
    cell->WriteXLSX(writer_, MakeCellRangeRef(j, rowIndex), xf, *this);
    const int colSpan = cell->ColSpanWithin(kMaxColumns);
    const int rowSpan = cell->RowSpanWithin(kMaxRows);
    if (colSpan <= 1 && rowSpan <= 1) continue;
    merges_.push_back(MakeCellRangeRef(j, rowIndex, colSpan, false, rowSpan));
    if (rowSpan > 1) forceRanges_.Add(j, rowIndex + 1, colSpan, rowSpan - 1, xf);
    const int first = j;
    for (int k = 1; k < colSpan; ++k) {
      j = first + k;
      TExportCell* covered = j < cellCount ? row->Cells.PeekItem(j) : nullptr;
      WriteEmptyCell(
          j, rowIndex,
          covered != nullptr ? styles_.AddStyleWithBorders(xf, covered->GetStyle()) : xf);
    }
  }
  CompleteRow(rowIndex, j, row->HasStyle() ? rowXF : -1);
  writer_.EndElement();
}

void TXLSXSheetWriter::ComputeSizes() {
  grid_ = TSheetPixelGrid();
  sheet_->CalcAutoSizes(exporter_, grid_);
}

double TXLSXSheetWriter::RowHeight(int rowIndex, const TExportRow& row) const {
  if (rowIndex < static_cast<int>(grid_.RowHeights.size())) return grid_.RowHeights[rowIndex];
  return row.Height;
}

void TXLSXSheetWriter::WriteRows() {
  TExportWorkSheet& sheet = *sheet_;
  rowCount_ = static_cast<int>(sheet.Rows.Count());
  rowsXML_.clear();
  partCells_ = 1;
  workbook_.DoProgress(wpsRows, 0, rowCount_, u"");
  for (int r = 0;; ++r) {
    // In write-rows-by-event mode the program fills (or adds) the row here.
    sheet.PrepareRowWrite(exporter_, r, &grid_);
    rowCount_ = static_cast<int>(sheet.Rows.Count());
    if (r >= rowCount_) break;
    WriteRow(r, sheet.Rows.PeekItem(r));
  }
  for (int r = rowCount_; r <= forceRanges_.GetLastRow(); ++r) WriteRow(r, nullptr);
  rowCount_ = std::max(rowCount_, forceRanges_.GetLastRow() + 1);
  StartPart();
}

void TXLSXSheetWriter::Write(TZipArchive& zip, TExportWorkSheet& sheet, int index) {
  sheet_ = &sheet;
  index_ = index;
  maxCellCount_ = 0;
  merges_.clear();
  rowBreaks_.clear();
  conditionalFormats_.clear();
  drawings_.Clear();
  comments_.reset();
  forceRanges_ = TExporterXLSX_ForceRangeStyles();
  unstyledXFs_.clear();
  defaultXF_ = sheet.DefaultCellStyle ? styles_.AddStyle(*sheet.DefaultCellStyle, nullptr) : 0;
  ComputeSizes();

  document_ = std::make_unique<TXmlDocument>();
  BuildSkeleton();
  hyperlinks_ = std::make_unique<TExporterXLSX_HyperLinks>(skeleton_.HyperLinks);
  parts_ = std::make_unique<TExporterXLSX_MemoryStreamList>(&workbook_);
  WriteRows();
  CompleteSkeleton(WriteRelationships(zip));
  if (comments_) {
    comments_->WriteCommentsXML(zip);
    comments_->WriteVMLDrawing(zip, grid_);
  }

  // The text around the rows: before the marker first, after it last.
  const std::string text = document_->SaveToString();
  const std::size_t marker = text.find(kSheetDataMarker);
  const std::size_t after = marker + kSheetDataMarker.size();
  auto head = std::make_unique<TMemoryStream>();
  head->WriteBuffer(text.data(), marker);
  parts_->AddStream(std::move(head), 0);
  auto tail = std::make_unique<TMemoryStream>();
  tail->WriteBuffer(text.data() + after, text.size() - after);
  parts_->AddStream(std::move(tail));
  parts_->AddToZip(zip, u"xl/worksheets/sheet" + ISOIntToStr(index + 1) + u".xml");
  parts_.reset();
  hyperlinks_.reset();
  document_.reset();
  skeleton_ = TSkeleton();
  comments_.reset();
  drawings_.Clear();
}

}  // namespace workbook
