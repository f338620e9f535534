// The column widths and row heights a sheet is written with.
#include <algorithm>
#include <unordered_map>

#include "workbook/model/cell_string.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/workbook.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

// Row heights of cells that never had their look changed. Such a cell's font is the sheet's
// default font, or its row's or column's, overlaid with the sheet's default font; measuring it
// through the cell would give every cell a style object of its own, which a large sheet cannot
// afford.
class TUnstyledHeights {
 public:
  explicit TUnstyledHeights(TExportWorkSheet& sheet) : sheet_(sheet) {}

  // Null source: neither row nor column has a style.
  int Height(const TExportCellStyle* source) {
    auto found = heights_.find(source);
    if (found != heights_.end()) return found->second;
    TExportCellStyle style(sheet_.GetWorkbook());
    if (sheet_.DefaultCellStyle) style.Assign(*sheet_.DefaultCellStyle);
    if (source) style.Assign(*source);
    TExportFont noOverlay;
    noOverlay.SetSize(-1);
    if (!(sheet_.DefaultFont == noOverlay)) style.GetFontForWrite().Merge(sheet_.DefaultFont);
    const int height = TCustomExporter::GetFontRowHeight(style.GetFont());
    heights_.emplace(source, height);
    return height;
  }

 private:
  TExportWorkSheet& sheet_;
  std::unordered_map<const TExportCellStyle*, int> heights_;
};

// The width of span columns from col; columns past the list take the default.
double SpanWidth(const TSheetPixelGrid& grid, long long col, long long span) {
  const long long listed = static_cast<long long>(grid.ColWidths.size());
  const long long end = std::min(col + span, std::max(listed, col));
  double width = 0;
  for (long long c = col; c < end; ++c) width += grid.ColWidth(static_cast<int>(c));
  return width + static_cast<double>(col + span - std::max(end, col)) * grid.DefaultColWidth;
}

double RowAutoHeight(TExportWorkSheet& sheet, TCustomExporter& exporter,
                     const TSheetPixelGrid& grid, TUnstyledHeights& unstyled, int rowIndex) {
  TExportRow* row = sheet.Rows.PeekItem(rowIndex);
  if (row == nullptr) return grid.DefaultRowHeight;
  if (row->Height >= 0) return row->Height;
  double height = grid.DefaultRowHeight;
  const long long count = row->Cells.Count();
  for (long long c = 0; c < count;) {
    TExportCell* cell = row->Cells.PeekItem(c);
    const long long span = cell ? std::max(cell->ColSpan(), 1) : 1;
    double cellHeight;
    const auto* text = dynamic_cast<TExportCellString*>(cell);
    // Styled cells, rich-text runs and texts the sheet wraps need the cell's own measuring.
    if (cell && (cell->HasStyle() || (text && text->HasRichText()) ||
                 (text && sheet.DefaultWrapText && row->HeightMode != 0))) {
      cellHeight = cell->CalcTextHeight(exporter, SpanWidth(grid, c, span));
    } else if (row->HasStyle()) {
      cellHeight = unstyled.Height(row->StyleIfAny());
    } else {
      const TExportCol* col = sheet.Cols.FindCol(static_cast<int>(c));
      cellHeight = unstyled.Height(col ? col->StyleIfAny() : nullptr);
    }
    height = std::max(height, cellHeight);
    c += span;
  }
  return height;
}

void CalcColWidths(TExportWorkSheet& sheet, TCustomExporter& exporter, TSheetPixelGrid& grid) {
  std::vector<double>& widths = grid.ColWidths;
  widths.clear();
  for (int c = 0; c < sheet.Cols.Count(); ++c) {
    const TExportCol* col = sheet.Cols.FindCol(c);
    widths.push_back(col && col->Width >= 0 ? col->Width : grid.DefaultColWidth);
  }
  std::vector<double> autoWidths(widths.size(), -1.0);
  for (int r = 0; r < sheet.Rows.Count(); ++r) {
    TExportRow* row = sheet.Rows.PeekItem(r);
    if (row == nullptr) continue;
    const long long count = row->Cells.Count();
    for (long long c = 0; c < count;) {
      TExportCell* cell = row->Cells.PeekItem(c);
      if (static_cast<long long>(widths.size()) <= c) {
        widths.resize(c + 1, -1.0);
        autoWidths.resize(c + 1, -1.0);
      }
      if (cell && cell->AutoWidth())
        autoWidths[c] = std::max<double>(autoWidths[c], cell->CalcTextWidth(exporter));
      c += cell ? std::max(cell->ColSpan(), 1) : 1;
    }
  }
  for (std::size_t c = 0; c < widths.size(); ++c)
    if (autoWidths[c] >= 0) widths[c] = autoWidths[c];
}

}  // namespace

void TExportWorkSheet::CalcAutoSizes(TCustomExporter& exporter, TSheetPixelGrid& grid,
                                     int rowIndex) {
  grid.DefaultColWidth = TCustomExporter::GetDefaultColWidth(*this);
  grid.DefaultRowHeight = TCustomExporter::GetDefaultRowHeight(*this, true);
  TUnstyledHeights unstyled(*this);
  if (rowIndex < 0) {
    CalcColWidths(*this, exporter, grid);
    grid.RowHeights.clear();
    grid.RowHeights.reserve(Rows.Count());
    for (int r = 0; r < Rows.Count(); ++r)
      grid.RowHeights.push_back(RowAutoHeight(*this, exporter, grid, unstyled, r));
    return;
  }
  if (rowIndex >= Rows.Count()) return;
  // Rows between the last one measured and this one keep the default rather than shifting it.
  if (grid.RowHeights.size() <= static_cast<std::size_t>(rowIndex))
    grid.RowHeights.resize(rowIndex + 1, -1.0);
  grid.RowHeights[rowIndex] = RowAutoHeight(*this, exporter, grid, unstyled, rowIndex);
}

}  // namespace workbook
