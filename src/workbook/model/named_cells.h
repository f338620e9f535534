#pragma once
// The workbook's defined names: each name refers to a range of one worksheet. Names compare
// without regard to the case of ASCII letters (as spreadsheets treat them) and are kept sorted.
#include <ext/pb_ds/assoc_container.hpp>
#include <ext/pb_ds/tree_policy.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/core/xml/xml_node.h"
#include "workbook/model/named_cells_formula.h"
#include "workbook/model/range.h"

namespace workbook {

class TWorkbook;
class TExportWorkSheet;
class TExportCell;
class TExportCells;

class TExportNamedCells {
 public:
  explicit TExportNamedCells(TWorkbook* owner) : owner_(owner) {}
  TExportNamedCells(const TExportNamedCells&) = delete;
  TExportNamedCells& operator=(const TExportNamedCells&) = delete;

  TWorkbook* Owner() const { return owner_; }
  int Count() const { return static_cast<int>(names_.size()); }

  // Adds a checked, new name; EWorkbookException "TExportNamedCells.AddCellRangeSpan: name is
  // not valid." or "... name is already defined.". Returns the name's position in the list.
  int AddCellRangeSpan(const std::u16string& name, TExportWorkSheet* workSheet, int rowCount,
                       int colCount, int row, int col);
  int AddCellRange(const std::u16string& name, TExportWorkSheet* workSheet, int row, int col);
  // Raises the two errors of AddCellRangeSpan for a name it would refuse.
  void CheckNewName(const std::u16string& name) const;
  // The cell's sheet, row and column, with its spans.
  int AddCell(const std::u16string& name, TExportCell& cell);
  // False when the name exists; otherwise adds it unchecked.
  bool TryAddCellRangeSpan(const std::u16string& name, TExportWorkSheet* workSheet, int rowCount,
                           int colCount, int row, int col);
  // The same from two corners.
  bool TryAddCellRange(const std::u16string& name, TExportWorkSheet* workSheet, int col2, int row2,
                       int col, int row);

  bool FindName(const std::u16string& name, const TExportRange*& range) const;
  // The name's 0-based place in list order; -1 when it is not defined.
  int PositionOf(const std::u16string& name) const;
  // The name at a 0-based place in list order; false when there is none.
  bool NameAt(int position, std::u16string& name) const;
  // The names as formulas look them up.
  const IRPNNameSource& FormulaSource() const { return formulaSource_; }
  // The first name (in list order) whose range is exactly that area of workSheet.
  bool FindRangeName(const TExportWorkSheet* workSheet, int col, int row, int colCount,
                     int rowCount, std::u16string& name) const;
  // The same for the cell's area, its spans included.
  bool FindCellName(const TExportCell& cell, std::u16string& name) const;

  bool Delete(const std::u16string& name);
  void Clear() { names_.clear(); }
  // Frees every name that refers to workSheet (the sheet is going away).
  void DeleteSheetNames(const TExportWorkSheet* workSheet);
  // Frees the names of the cells of a row that is going away (cells, at rowIndex of workSheet):
  // every name whose area is exactly one of them, spans included.
  void DeleteRowCellNames(const TExportWorkSheet* workSheet, int rowIndex,
                          const TExportCells& cells);
  // The same for every row of workSheet (all its rows are going away).
  void DeleteSheetCellNames(const TExportWorkSheet& workSheet);

  // ASCII letters, digits and "_" only (the empty name too; a leading digit is allowed).
  static bool IsValidName(std::u16string_view name);

  // Used when a sheet is copied: the target workbook's names on toSheet are deleted, then every
  // name of FromSheet's workbook on fromSheet is added for toSheet. Without includeSingleCells
  // one-cell names are left alone in both steps. A name that already exists is kept as it is.
  void CopySheetNames(const TExportWorkSheet* fromSheet, TExportWorkSheet* toSheet,
                      bool includeSingleCells);

  // The definedName elements of the names, in list order, as XML text.
  // sheetNames, when given, are the names the sheets are written under (by sheet index): the
  // references follow them.
  std::u16string WriteXLSX(const std::vector<std::u16string>* sheetNames = nullptr) const;
  // A definedName read from a file: added (when new) only when its reference parses and names
  // an existing worksheet; anything else is ignored.
  void ReadXLSXDefinedName(const std::u16string& name, std::u16string_view reference);
  // One table:named-range child of a table:named-expressions node per name.
  void WriteODS(TXmlNode namedExpressionsNode) const;

  // Visits the names in list order.
  template <class F>
  void ForEach(F&& visit) const {
    for (const auto& [name, range] : names_) visit(name, range);
  }

 private:
  struct NameLess {
    using is_transparent = void;
    bool operator()(std::u16string_view a, std::u16string_view b) const;
  };
  int Add(const std::u16string& name, TExportWorkSheet* workSheet, int rowCount, int colCount,
          int row, int col);

  // Sorted, and each name knows its place: a file may define hundreds of thousands of names, and
  // adding one, or finding a name's place or the name at a place, costs the log of their count.
  // A name's range stays where it is until the name is deleted.
  using TNames = __gnu_pbds::tree<std::u16string, TExportRange, NameLess, __gnu_pbds::rb_tree_tag,
                                  __gnu_pbds::tree_order_statistics_node_update>;

  TWorkbook* owner_;
  TNames names_;
  TExportNamedCellsFormulaSource formulaSource_{*this};
};

}  // namespace workbook
