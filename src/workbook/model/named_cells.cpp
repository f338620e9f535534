#include "workbook/model/named_cells.h"

#include <algorithm>
#include <vector>

#include "workbook/core/exceptions.h"
#include "workbook/model/cell.h"
#include "workbook/model/cells.h"
#include "workbook/model/row.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

char16_t FoldCase(char16_t c) { return c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c; }

// True when range covers exactly a cell of cells (the range's row), spans included.
bool IsCellArea(const TExportRange& range, const TExportCells* cells) {
  const TExportCell* cell = cells ? cells->PeekItem(range.Col) : nullptr;
  return cell && cell->ColSpan() == range.ColCount && cell->RowSpan() == range.RowCount;
}

}  // namespace

bool TExportNamedCells::NameLess::operator()(std::u16string_view a, std::u16string_view b) const {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t x = FoldCase(a[i]), y = FoldCase(b[i]);
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

bool TExportNamedCells::IsValidName(std::u16string_view name) {
  for (char16_t c : name) {
    const bool valid = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
                       (c >= u'0' && c <= u'9') || c == u'_';
    if (!valid) return false;
  }
  return true;
}

int TExportNamedCells::PositionOf(const std::u16string& name) const {
  if (names_.find(name) == names_.end()) return -1;
  return static_cast<int>(names_.order_of_key(name));
}

bool TExportNamedCells::NameAt(int position, std::u16string& name) const {
  if (position < 0 || position >= Count()) return false;
  name = names_.find_by_order(static_cast<std::size_t>(position))->first;
  return true;
}

int TExportNamedCells::Add(const std::u16string& name, TExportWorkSheet* workSheet, int rowCount,
                           int colCount, int row, int col) {
  TExportRange range(workSheet);
  range.SetRange(col, row, colCount, rowCount);
  names_.insert({name, range});
  return static_cast<int>(names_.order_of_key(name));
}

void TExportNamedCells::CheckNewName(const std::u16string& name) const {
  if (!IsValidName(name))
    throw EWorkbookException(u"TExportNamedCells.AddCellRangeSpan: Name is not valid.");
  if (names_.find(name) != names_.end())
    throw EWorkbookException(u"TExportNamedCells.AddCellRangeSpan: Name is already defined.");
}

int TExportNamedCells::AddCellRangeSpan(const std::u16string& name, TExportWorkSheet* workSheet,
                                        int rowCount, int colCount, int row, int col) {
  CheckNewName(name);
  return Add(name, workSheet, rowCount, colCount, row, col);
}

int TExportNamedCells::AddCellRange(const std::u16string& name, TExportWorkSheet* workSheet,
                                    int row, int col) {
  return AddCellRangeSpan(name, workSheet, 1, 1, row, col);
}

int TExportNamedCells::AddCell(const std::u16string& name, TExportCell& cell) {
  return AddCellRangeSpan(name, cell.GetWorkSheet(), cell.RowSpan(), cell.ColSpan(),
                          cell.GetRowIndex(), cell.GetColIndex());
}

bool TExportNamedCells::TryAddCellRangeSpan(const std::u16string& name, TExportWorkSheet* workSheet,
                                            int rowCount, int colCount, int row, int col) {
  if (names_.find(name) != names_.end()) return false;
  Add(name, workSheet, rowCount, colCount, row, col);
  return true;
}

bool TExportNamedCells::TryAddCellRange(const std::u16string& name, TExportWorkSheet* workSheet,
                                        int col2, int row2, int col, int row) {
  return TryAddCellRangeSpan(name, workSheet, row2 - row + 1, col2 - col + 1, row, col);
}

bool TExportNamedCells::FindName(const std::u16string& name, const TExportRange*& range) const {
  const auto it = names_.find(name);
  range = it == names_.end() ? nullptr : &it->second;
  return range != nullptr;
}

bool TExportNamedCells::FindRangeName(const TExportWorkSheet* workSheet, int col, int row,
                                      int colCount, int rowCount, std::u16string& name) const {
  for (const auto& [key, range] : names_) {
    if (range.WorkSheet == workSheet && range.Col == col && range.Row == row &&
        range.ColCount == colCount && range.RowCount == rowCount) {
      name = key;
      return true;
    }
  }
  return false;
}

bool TExportNamedCells::FindCellName(const TExportCell& cell, std::u16string& name) const {
  return FindRangeName(cell.GetWorkSheet(), cell.GetColIndex(), cell.GetRowIndex(), cell.ColSpan(),
                       cell.RowSpan(), name);
}

bool TExportNamedCells::Delete(const std::u16string& name) { return names_.erase(name); }

void TExportNamedCells::DeleteSheetNames(const TExportWorkSheet* workSheet) {
  names_.erase_if([workSheet](const auto& entry) { return entry.second.WorkSheet == workSheet; });
}

void TExportNamedCells::DeleteRowCellNames(const TExportWorkSheet* workSheet, int rowIndex,
                                           const TExportCells& cells) {
  names_.erase_if([&](const auto& entry) {
    const TExportRange& range = entry.second;
    return range.WorkSheet == workSheet && range.Row == rowIndex && IsCellArea(range, &cells);
  });
}

void TExportNamedCells::DeleteSheetCellNames(const TExportWorkSheet& workSheet) {
  names_.erase_if([&](const auto& entry) {
    const TExportRange& range = entry.second;
    if (range.WorkSheet != &workSheet) return false;
    const TExportRow* row = workSheet.Rows.PeekItem(range.Row);
    return row && IsCellArea(range, &row->Cells);
  });
}

void TExportNamedCells::CopySheetNames(const TExportWorkSheet* fromSheet, TExportWorkSheet* toSheet,
                                       bool includeSingleCells) {
  if (!fromSheet || !toSheet || fromSheet == toSheet) return;
  auto counts = [includeSingleCells](const TExportRange& range) {
    return includeSingleCells || range.ColCount >= 2 || range.RowCount >= 2;
  };
  TWorkbook* target = toSheet->GetWorkbook();
  TWorkbook* source = fromSheet->GetWorkbook();
  if (!target || !source) return;
  TExportNamedCells& targetNames = target->NamedCells;
  targetNames.names_.erase_if(
      [&](const auto& entry) { return entry.second.WorkSheet == toSheet && counts(entry.second); });
  // Copied first: the source list may be this very list, which the adds below change.
  std::vector<std::pair<std::u16string, TExportRange>> copies;
  for (const auto& [name, range] : source->NamedCells.names_) {
    if (range.WorkSheet != fromSheet || !counts(range)) continue;
    copies.emplace_back(name, TExportRange());
    copies.back().second.Assign(range);
  }
  // Within one workbook every copied name exists already: it is kept for the source sheet
  // rather than stopping the copy half-way.
  for (auto& [name, range] : copies) {
    if (targetNames.names_.find(name) != targetNames.names_.end()) continue;
    range.WorkSheet = toSheet;
    targetNames.names_.insert({name, range});
  }
}

}  // namespace workbook
