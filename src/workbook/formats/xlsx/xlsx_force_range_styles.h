#pragma once
// TExporterXLSX_ForceRangeStyles: rectangles under cells spanning several rows that still need
// styled empty cells in rows not yet written (so merged areas keep their look in other programs).
#include <vector>

namespace workbook {

class TExporterXLSX_ForceRangeStyles {
 public:
  struct TRange {
    int Col, Row, ColCount, RowCount, XF;
    int LastCol() const { return Col + ColCount - 1; }
    int LastRow() const { return Row + RowCount - 1; }
  };

  void Add(int col, int row, int colCount, int rowCount, int xf);
  // The entry holding the cell (searched from the last one), -1 when none. Entries passed in
  // row-major order are dropped on the way, so calls must come in that order.
  int IndexOfCell(int col, int row);
  // The greatest last column of the entries covering row, -1 when none; entries wholly above the
  // row are dropped.
  int GetLastColInRow(int row);
  // The greatest last row, -1 when empty.
  int GetLastRow() const;
  const TRange& GetItem(int index) const { return ranges_.at(static_cast<std::size_t>(index)); }
  int Count() const { return static_cast<int>(ranges_.size()); }

 private:
  std::vector<TRange> ranges_;
};

}  // namespace workbook
