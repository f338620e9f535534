#include "workbook/formats/ods/ods_table_writer.h"

#include <algorithm>

#include "workbook/core/xml/xml_writer.h"
#include "workbook/formats/ods/ods_comment_drawing_style.h"
#include "workbook/formats/ods/ods_exporter.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/drawing.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

constexpr long long kCellsPerPart = 10000;
constexpr int kMaxColumns = TCustomExporterODS::kMaxCols;
constexpr int kMaxRows = TCustomExporterODS::kMaxRows;

std::u16string Num(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

bool InRange(int index, int first, int count) {
  return first >= 0 && count >= 1 && index >= first && index - first < count;
}

}  // namespace

TODSTableWriter::TODSTableWriter(TCustomExporter& exporter, TWorkbook& workbook,
                                 TODSStyleRegistries& styles, TXmlWriter& numberStyles,
                                 std::vector<std::unique_ptr<TMemoryStream>>& parts)
    : exporter_(exporter),
      workbook_(workbook),
      styles_(styles),
      numberStyles_(numberStyles),
      parts_(parts) {}

TODSTableWriter::~TODSTableWriter() = default;

std::size_t TODSTableWriter::TPartSink::Write(const void* buffer, std::size_t count) {
  if (!part_) NextPart(false);
  written_ += static_cast<std::int64_t>(count);
  return packer_->Write(buffer, count);
}

std::int64_t TODSTableWriter::TPartSink::Seek(std::int64_t, TSeekOrigin) { return written_; }

void TODSTableWriter::TPartSink::NextPart(bool last) {
  if (part_) {
    packer_->Finish();
    packer_.reset();
    parts_.push_back(std::move(part_));
  }
  if (last) return;
  part_ = std::make_unique<TMemoryStream>();
  packer_ = std::make_unique<TCompressionStream>(*part_);
}

std::u16string TODSTableWriter::ODSTextStyleName(const TExportFont& font) {
  return styles_.FontStyles.Add(font);
}

void TODSTableWriter::WriteODSAttachments(TXmlWriter& writer, TExportCell& cell) {
  if (TExportCellDrawings* drawings = cell.DrawingsIfAny())
    for (int i = 0; i < drawings->Count(); ++i) {
      TExportCellDrawing& drawing = *drawings->GetItem(i);
      drawing.WriteODS(writer, grid_, sheet_->Name, styles_.DrawingStyles.Add(drawing.Style));
    }
  if (!cell.HasComment()) return;
  const TExportCellComment& comment = *cell.CommentIfAny();
  TExportCommentDrawingStyle frame;
  comment.GetODSDrawingStyle(frame);
  // The comment's text look as a paragraph style of its own.
  TExportCellStyle look(&workbook_);
  look.SetAlignment(comment.Alignment);
  look.SetVAlignment(comment.VAlignment);
  look.GetFontForWrite() = comment.Font;
  comment.WriteODS(writer, grid_, styles_.DrawingStyles.Add(frame),
                   styles_.ParagraphStyles.Add(look, nullptr, std::u16string()), *this);
}

std::u16string TODSTableWriter::CellStyleName(TExportCell& cell, bool rowStyled) {
  const TExportConditionalFormatting* formatting = cell.ConditionalFormattingIfAny();
  const bool plain = !cell.HasStyle() && !rowStyled && (!formatting || formatting->Count() == 0);
  std::u16string key;
  if (plain) {
    key = cell.GetFormatCode();
    key += static_cast<char16_t>(cell.CellClass());
    auto found = unstyledNames_.find(key);
    if (found != unstyledNames_.end()) return found->second;
  }
  const std::u16string numberStyle = styles_.NumberStyles.Add(cell, numberStyles_);
  std::u16string name = styles_.CellStyles.Add(cell.GetStyle(), &cell, numberStyle);
  if (plain) unstyledNames_.emplace(std::move(key), name);
  return name;
}

std::u16string TODSTableWriter::SpannedStyleName(TExportCell& cell) {
  // A merged cell shows the outer lines of every cell it covers.
  TExportCellStyle style(cell.GetStyle());
  TExportCellBorders& borders = style.GetBordersForWrite();
  const int col1 = cell.GetColIndex();
  const int row1 = cell.GetRowIndex();
  const int col2 = col1 + cell.ColSpanWithin(kMaxColumns) - 1;
  const int row2 = std::min(row1 + cell.RowSpanWithin(kMaxRows) - 1, sheet_->Rows.Count() - 1);
  for (int r = row1; r <= row2; ++r) {
    TExportRow* row = sheet_->Rows.PeekItem(r);
    if (row == nullptr) continue;
    for (int c = col1; c <= std::min(col2, row->Cells.Count() - 1); ++c) {
      TExportCell* covered = row->Cells.PeekItem(c);
      if (covered == nullptr || !covered->HasStyle()) continue;
      const TExportCellBorders& lines = covered->GetStyle().GetBorders();
      using B = TExportCellBorders;
      if (r == row1) borders.GetBorder(B::bTop).MergeVisible(lines.GetBorder(B::bTop));
      if (r == row2) borders.GetBorder(B::bBottom).MergeVisible(lines.GetBorder(B::bBottom));
      if (c == col1) borders.GetBorder(B::bLeft).MergeVisible(lines.GetBorder(B::bLeft));
      if (c == col2) borders.GetBorder(B::bRight).MergeVisible(lines.GetBorder(B::bRight));
    }
  }
  const std::u16string numberStyle = styles_.NumberStyles.Add(cell, numberStyles_);
  return styles_.CellStyles.Add(style, &cell, numberStyle);
}

void TODSTableWriter::MoveToLevel(int& current, int level, const char* element, bool hidden) {
  while (current < level) {
    writer_->StartElement(element);
    if (hidden) writer_->WriteAttribute("table:display", "false");
    ++current;
  }
  while (current > level) {
    writer_->EndElement();
    --current;
  }
}

void TODSTableWriter::WriteColumns() {
  TExportWorkSheet& sheet = *sheet_;
  const int used = std::min(sheet.GetUsedColCount(true), kMaxColumns);
  const TExportRange& titles = sheet.PageSettings.TitleCols;
  int level = 0;
  for (int c = 0; c < used; ++c) {
    TExportCol* col = sheet.Cols.FindCol(c);
    const bool hidden = col && col->Hidden;
    MoveToLevel(level, col ? col->OutlineLevel() : 0, "table:table-column-group", hidden);
    const bool title = InRange(c, titles.Col, titles.ColCount);
    if (title) writer_->StartElement("table:table-header-columns");
    const double width = grid_.ColWidth(c);
    writer_->StartElement("table:table-column");
    writer_->WriteAttribute("table:style-name",
                            styles_.ColStyles.Add(width, col && col->PageBreak));
    if (hidden || width == 0) writer_->WriteAttribute("table:visibility", "collapse");
    writer_->WriteAttribute("table:default-cell-style-name",
                            col && col->HasStyle()
                                ? styles_.CellStyles.Add(col->GetStyle(), nullptr, std::u16string())
                                : defaultCellStyle_);
    writer_->EndElement();
    if (title) writer_->EndElement();
  }
  MoveToLevel(level, 0, "", false);
  if (used >= kMaxColumns) return;
  writer_->StartElement("table:table-column");
  writer_->WriteAttribute("table:style-name",
                          styles_.ColStyles.Add(sheet.Cols.DefaultWidth, false));
  writer_->WriteAttribute("table:number-columns-repeated", Num(kMaxColumns - used));
  writer_->WriteAttribute("table:default-cell-style-name", defaultCellStyle_);
  writer_->EndElement();
}

void TODSTableWriter::WriteEmptyRows(int count) {
  if (count <= 0) return;
  writer_->StartElement("table:table-row");
  writer_->WriteAttribute("table:style-name",
                          styles_.RowStyles.Add(grid_.DefaultRowHeight, 0, false));
  if (count > 1) writer_->WriteAttribute("table:number-rows-repeated", Num(count));
  writer_->StartElement("table:table-cell");
  writer_->WriteAttribute("table:number-columns-repeated", Num(kMaxColumns));
  writer_->EndElement();
  writer_->EndElement();
}

void TODSTableWriter::WriteRow(int rowIndex, TExportRow& row) {
  // A row without a height of its own is marked optimal, so that the program opening the file
  // measures it again instead of keeping the height computed here as a fixed one.
  const int heightKind = row.HeightMode == 0 && row.Height < 0 ? 2 : row.HeightMode;
  row.WriteODS(*writer_,
               styles_.RowStyles.Add(grid_.RowHeight(rowIndex), heightKind, row.PageBreak));
  const bool rowStyled = row.HasStyle();
  const int cellCount = std::min(row.Cells.Count(), kMaxColumns);
  int j = 0;
  while (j < cellCount) {
    TExportCell* cell = row.Cells.PeekItem(j);
    if (cell == nullptr) {
      writer_->StartElement("table:table-cell");
      writer_->EndElement();
      ++j;
      continue;
    }
    const int span = cell->ColSpanWithin(kMaxColumns);
    const std::u16string style =
        span > 1 || cell->RowSpan() > 1 ? SpannedStyleName(*cell) : CellStyleName(*cell, rowStyled);
    cell->WriteODS(*writer_, style, *this);
    ++j;
    if (span > 1) {
      writer_->StartElement("table:covered-table-cell");
      if (span > 2) writer_->WriteAttribute("table:number-columns-repeated", Num(span - 1));
      writer_->EndElement();
      j += span - 1;
    }
  }
  partCells_ += j;
  if (j < kMaxColumns) {
    writer_->StartElement("table:table-cell");
    if (rowStyled)
      writer_->WriteAttribute("table:style-name",
                              styles_.CellStyles.Add(row.GetStyle(), nullptr, std::u16string()));
    writer_->WriteAttribute("table:number-columns-repeated", Num(kMaxColumns - j));
    writer_->EndElement();
  }
  writer_->EndElement();
}

void TODSTableWriter::WriteRows() {
  TExportWorkSheet& sheet = *sheet_;
  const TExportRange& titles = sheet.PageSettings.TitleRows;
  int level = 0;
  int emptyRun = 0;
  int r = 0;
  for (;; ++r) {
    sheet.PrepareRowWrite(exporter_, r, &grid_);
    if (r >= sheet.Rows.Count() || r >= kMaxRows) break;
    if (partCells_ > kCellsPerPart) {
      writer_->Flush();
      sink_->NextPart(false);
      partCells_ = 0;
      workbook_.DoProgress(wpsRows, r, sheet.Rows.Count(), u"");
    }
    TExportRow* row = sheet.Rows.PeekItem(r);
    const bool title = InRange(r, titles.Row, titles.RowCount);
    if ((row == nullptr || row->IsPlain()) && level == 0 && !title) {
      ++emptyRun;
      continue;
    }
    WriteEmptyRows(emptyRun);
    emptyRun = 0;
    if (row == nullptr) row = sheet.Rows.GetItem(r);
    MoveToLevel(level, row->OutlineLevel, "table:table-row-group", row->Hidden);
    if (title) writer_->StartElement("table:table-header-rows");
    WriteRow(r, *row);
    if (title) writer_->EndElement();
    ++partCells_;
  }
  WriteEmptyRows(emptyRun);
  MoveToLevel(level, 0, "", false);
  // Filler rows make up the sheet's full height, as spreadsheet programs expect.
  WriteEmptyRows(kMaxRows - 1 - r);
  if (r < kMaxRows) WriteEmptyRows(1);
}

void TODSTableWriter::Write(TExportWorkSheet& sheet, int index, const TXmlNode& databaseRanges) {
  sheet_ = &sheet;
  unstyledNames_.clear();
  grid_ = TSheetPixelGrid();
  sheet.CalcAutoSizes(exporter_, grid_);
  TExportCellStyle plain(&workbook_);
  defaultCellStyle_ = styles_.CellStyles.Add(
      sheet.DefaultCellStyle ? *sheet.DefaultCellStyle : plain, nullptr, std::u16string());

  sink_ = std::make_unique<TPartSink>(parts_);
  writer_ = std::make_unique<TXmlWriter>(*sink_);
  partCells_ = 0;
  writer_->StartElement("table:table");
  writer_->WriteAttribute("table:name", sheet.Name);
  writer_->WriteAttribute("table:style-name", u"ta" + Num(index + 1));
  if (sheet.PageSettings.HasPrintArea())
    writer_->WriteAttribute("table:print-ranges", sheet.PageSettings.GetODSPrintRanges());
  if (sheet.Protection.Protected) writer_->WriteAttribute("table:protected", "true");
  sheet.Protection.WriteODS(*writer_);
  WriteColumns();
  sheet.WindowSettings.WriteODSAutoFilter(databaseRanges);
  WriteRows();
  writer_->EndElement();
  writer_->Flush();
  sink_->NextPart(true);
  writer_.reset();
  sink_.reset();
  sheet_ = nullptr;
}

}  // namespace workbook
