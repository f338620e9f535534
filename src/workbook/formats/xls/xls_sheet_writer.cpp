#include "workbook/formats/xls/xls_sheet_writer.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "workbook/core/library_texts.h"
#include "workbook/formats/cell_text_limit.h"
#include "workbook/formats/cell_write_context.h"
#include "workbook/formats/library_routines.h"
#include "workbook/formats/xls/xls_formula_tokens.h"
#include "workbook/formats/xls/xls_hyperlinks.h"
#include "workbook/formats/xls/xls_merged_ranges.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_shared_strings_writer.h"
#include "workbook/formats/xls/xls_sheet_streams.h"
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/formats/xlsx/xlsx_force_range_styles.h"
#include "workbook/formats/xlsx/xlsx_palette.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/rich_text.h"
#include "workbook/model/row.h"
#include "workbook/model/sheet_pixel_grid.h"
#include "workbook/model/workbook.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

constexpr int kMaxRows = xls_record::kRowCount;
constexpr int kMaxCols = xls_record::kColumnCount;
// Progress is reported, and the sheet's records go on in a new stream, every so many cells.
constexpr int kCellsPerStream = 10000;

void WriteBytes(TStream& stream, const std::vector<std::uint8_t>& bytes) {
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), bytes.size());
}

// Texts with their formatting runs go to the shared-string table.
class TSheetStrings : public ICellWriteContext {
 public:
  TSheetStrings(TXLSSharedStrings_Export& sst, TExportFontList& fonts) : sst_(sst), fonts_(fonts) {}

  std::uint32_t SharedStringIndex(const TExportCellString& cell) override {
    text_.clear();
    cell.GetValueShared().AppendTo(text_);
    if (!cell.HasRichText()) return static_cast<std::uint32_t>(sst_.Add(text_, u"", {}));
    TStringRichTextTags& tags = const_cast<TExportCellString&>(cell).GetRichTextTags();
    TStringRichTextTagTextList runs;
    tags.BuildTextList(text_, runs, false);
    const TExportFont& base = tags.GetDefaultFont();
    std::u16string suffix;
    runs.GetKeyString(base, suffix);
    std::vector<std::uint8_t> buffer;
    runs.WriteXLSRuns(buffer, base, fonts_);
    return static_cast<std::uint32_t>(sst_.Add(text_, suffix, std::move(buffer)));
  }

 private:
  TXLSSharedStrings_Export& sst_;
  TExportFontList& fonts_;
  std::u16string text_;  // the cell's characters: one room serves every text
};

// Copied from the cell: in write-rows-by-event mode the cell is gone by the time links are written.
struct TLink {
  TXLSMergedArea Area;
  std::u16string Target, Text;
};

class TSheetWriter {
 public:
  TSheetWriter(TXLSSheetStreams& stream, TExportWorkSheet& sheet, int index,
               TXLSSheetWriteContext& context)
      : s_(stream),
        sheet_(sheet),
        index_(index),
        c_(context),
        strings_(context.SharedStrings, sheet.GetWorkbook()->FontList) {}

  void Write();

 private:
  void WriteFrame();
  void WriteColumns();
  void WriteRows();
  void WriteRow(int rowIndex, TExportRow* row);
  void WriteCell(TExportCell& cell, int col, int rowIndex, int xf);
  // BLANK records for the columns from fromCol on that ranges of cells above still cover.
  void WriteCovered(int rowIndex, int fromCol);
  void WriteTail();
  int CellXF(TExportCell& cell, bool rowStyled);
  void CountCell(int rowIndex);

  TXLSSheetStreams& s_;
  TExportWorkSheet& sheet_;
  int index_;
  TXLSSheetWriteContext& c_;
  TSheetStrings strings_;
  int defaultXF_ = 0;
  int cellsSinceReport_ = 0;
  TExporterXLSX_ForceRangeStyles forced_;
  // Column widths and row heights, computed once before the rows.
  TSheetPixelGrid grid_;
  std::vector<TXLSMergedArea> merged_;
  std::vector<TLink> links_;
  std::vector<const TExportConditionalFormatting*> condFormats_;
  // XF of cells without a style of their own, by number format and class: most cells of a big
  // sheet share a handful, and building a style key per cell would dominate the write.
  std::unordered_map<std::u16string, int> unstyledXFs_;
};

void TSheetWriter::Write() {
  defaultXF_ = sheet_.DefaultCellStyle ? c_.Styles.AddStyle(*sheet_.DefaultCellStyle, nullptr) : 0;
  sheet_.CalcAutoSizes(c_.Exporter, grid_);
  WriteFrame();
  WriteColumns();
  WriteRows();
  WriteTail();
}

void TSheetWriter::WriteFrame() {
  XLSWriteBOF(s_, xls_record::kBofWorksheet);
  XLSWriteRecordHeader(s_, xls_record::kIndex, 16);  // without row blocks
  for (std::uint32_t v : {0u, 0u, 65535u, 0u}) XLSWriteDWord(s_, v);

  WriteBytes(s_, sheet_.PageSettings.WriteXLS());

  bool isFontHeight = false;
  const double rowHeight = TCustomExporter::GetDefaultRowHeightChecked(sheet_, true, isFontHeight);
  XLSWriteRecordHeader(s_, xls_record::kDefaultRowHeight, 4);
  XLSWriteWord(s_, isFontHeight ? 0 : 1);
  XLSWriteWord(s_,
               static_cast<std::uint16_t>(std::clamp(std::lround(rowHeight * 15), 0L, 0x7FFFL)));

  const TExportWindowSettings& window = sheet_.WindowSettings;
  std::uint16_t wsBool = 0;
  if (!window.SummaryRowsAbove) wsBool |= 0x0040;
  if (!window.SummaryColsLeft) wsBool |= 0x0080;
  if (sheet_.PageSettings.FitToPage) wsBool |= 0x0100;
  XLSWriteRecordHeader(s_, xls_record::kWsBool, 2);
  XLSWriteWord(s_, wsBool);

  XLSWriteRecordHeader(s_, xls_record::kDimensions, 14);  // left empty
  for (int i = 0; i < 7; ++i) XLSWriteWord(s_, 0);

  WriteBytes(s_, window.WriteXLSView(index_ == 0));
  if (window.TabColor != clNone)
    WriteBytes(s_, window.WriteXLSSheetLayout(c_.Palette.GetColorIndex(window.TabColor)));
  WriteBytes(s_, sheet_.Protection.WriteXLS());
  WriteBytes(s_, sheet_.Protection.WriteXLSFeatHeader());
}

void TSheetWriter::WriteColumns() {
  struct TInfo {
    int First, Last;
    double Width;
    int XF;
    std::uint16_t Options;
  };
  std::vector<TInfo> infos;
  const int count = static_cast<int>(std::min<std::int64_t>(
      std::max<std::int64_t>(sheet_.Cols.Count(),
                             static_cast<std::int64_t>(grid_.ColWidths.size())),
      kMaxCols));
  for (int c = 0; c < count; ++c) {
    TExportCol* col = sheet_.Cols.FindCol(c);
    const double computed =
        static_cast<std::size_t>(c) < grid_.ColWidths.size() ? grid_.ColWidths[c] : -1;
    const double width = computed >= 0 ? computed : c_.DefaultColWidth;
    const int xf = col != nullptr && col->HasStyle() ? c_.Styles.AddStyle(col->GetStyle(), nullptr)
                                                     : defaultXF_;
    const std::uint16_t options =
        col == nullptr
            ? 0
            : static_cast<std::uint16_t>((col->Hidden ? 0x0001 : 0) | col->OutlineLevel() << 8);
    if (!infos.empty() && SameFloat(infos.back().Width, width) && infos.back().XF == xf &&
        infos.back().Options == options) {
      infos.back().Last = c;
      continue;
    }
    infos.push_back({c, c, width, xf, options});
  }
  // The columns after the described ones take the sheet's defaults.
  if (count < kMaxCols) infos.push_back({count, kMaxCols, c_.DefaultColWidth, defaultXF_, 0});
  for (const TInfo& info : infos) {
    XLSWriteRecordHeader(s_, xls_record::kColInfo, 12);
    XLSWriteWord(s_, static_cast<std::uint16_t>(info.First));
    XLSWriteWord(s_, static_cast<std::uint16_t>(info.Last));
    XLSWriteWord(s_, static_cast<std::uint16_t>(
                         std::clamp(std::lround(info.Width / c_.CharWidth * 256), 0L, 0xFFFFL)));
    XLSWriteWord(s_, static_cast<std::uint16_t>(info.XF + 16));
    XLSWriteWord(s_, info.Options);
    XLSWriteWord(s_, 0);
  }
}

int TSheetWriter::CellXF(TExportCell& cell, bool rowStyled) {
  if (cell.HasStyle() || rowStyled) return c_.Styles.AddStyle(cell.GetStyle(), &cell);
  std::u16string key = cell.GetFormatCode();
  key += static_cast<char16_t>(cell.CellClass());
  const auto found = unstyledXFs_.find(key);
  if (found != unstyledXFs_.end()) return found->second;
  const int xf = c_.Styles.AddStyle(cell.GetStyle(), &cell);
  unstyledXFs_.emplace(std::move(key), xf);
  return xf;
}

void TSheetWriter::CountCell(int rowIndex) {
  if (++cellsSinceReport_ < kCellsPerStream) return;
  cellsSinceReport_ = 0;
  sheet_.GetWorkbook()->DoProgress(wpsRows, rowIndex, static_cast<long long>(sheet_.Rows.Count()),
                                   u"");
  s_.Cut();
}

void TSheetWriter::WriteRows() {
  for (int r = 0; r < kMaxRows; ++r) {
    sheet_.PrepareRowWrite(c_.Exporter, r, &grid_);
    if (r >= sheet_.Rows.Count()) break;
    WriteRow(r, sheet_.Rows.PeekItem(r));
  }
  const int lastForced = std::min(forced_.GetLastRow(), kMaxRows - 1);
  for (int r = static_cast<int>(sheet_.Rows.Count()); r <= lastForced; ++r) WriteCovered(r, 0);
}

void TSheetWriter::WriteRow(int rowIndex, TExportRow* row) {
  if (row == nullptr) return WriteCovered(rowIndex, 0);
  const int rowXF = row->HasStyle() ? c_.Styles.AddStyle(row->GetStyle(), nullptr) : defaultXF_;
  row->WriteXLS(s_, rowXF, grid_.RowHeight(rowIndex));
  const int cellCount = static_cast<int>(std::min<std::int64_t>(row->Cells.Count(), kMaxCols));
  for (int c = 0; c < cellCount; ++c) {
    TExportCell* cell = row->Cells.PeekItem(c);
    const int range = forced_.IndexOfCell(c, rowIndex);
    if (cell == nullptr) {
      if (range >= 0)
        XLSWriteCellHeader(s_, xls_record::kBlank, 6, rowIndex, c, forced_.GetItem(range).XF);
      continue;
    }
    int xf = CellXF(*cell, row->HasStyle());
    if (range >= 0) xf = c_.Styles.AddStyleWithBorders(forced_.GetItem(range).XF, cell->GetStyle());
    WriteCell(*cell, c, rowIndex, xf);
  }
  WriteCovered(rowIndex, cellCount);
}

void TSheetWriter::WriteCell(TExportCell& cell, int col, int rowIndex, int xf) {
  CheckCellTextLength(cell, WorkbookLng_XLSTextTooLong);
  cell.WriteXLS(s_, xf, strings_);
  CountCell(rowIndex);
  const TXLSMergedArea area = XLSMergedArea(cell, col, rowIndex);
  if (area.Row2 > area.Row1 || area.Col2 > area.Col1) merged_.push_back(area);
  if (area.Row2 > area.Row1)
    forced_.Add(col, rowIndex + 1, area.Col2 - col + 1, area.Row2 - rowIndex, xf);
  if (const auto* text = dynamic_cast<const TExportCellString*>(&cell);
      text != nullptr && text->HasHyperlink())
    links_.push_back({area, text->GetHyperlink(), text->GetValue()});
  if (const TExportConditionalFormatting* formatting = cell.ConditionalFormattingIfAny();
      formatting != nullptr && formatting->Count() > 0)
    condFormats_.push_back(formatting);
}

void TSheetWriter::WriteCovered(int rowIndex, int fromCol) {
  const int lastCol = std::min(forced_.GetLastColInRow(rowIndex), kMaxCols - 1);
  for (int col = fromCol; col <= lastCol; ++col) {
    const int range = forced_.IndexOfCell(col, rowIndex);
    if (range >= 0)
      XLSWriteCellHeader(s_, xls_record::kBlank, 6, rowIndex, col, forced_.GetItem(range).XF);
  }
}

void TSheetWriter::WriteTail() {
  WriteBytes(s_, WriteXLSMergedCells(merged_));
  TXLSFormulaTokens tokens(&sheet_, nullptr);
  for (const TExportConditionalFormatting* formatting : condFormats_)
    formatting->WriteXLS(s_, c_.Palette, tokens);
  for (const TLink& link : links_) {
    XLSWriteHyperlink(s_, link.Area.Row1, link.Area.Row2, link.Area.Col1, link.Area.Col2,
                      link.Target, link.Text);
  }
  XLSWriteEOF(s_);
}

}  // namespace

void XLSWriteWorksheet(TXLSSheetStreams& streams, TExportWorkSheet& sheet, int index,
                       TXLSSheetWriteContext& context) {
  streams.BeginSheet();
  TSheetWriter(streams, sheet, index, context).Write();
}

}  // namespace workbook
