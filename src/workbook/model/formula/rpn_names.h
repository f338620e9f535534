#pragma once
// What formulas need of the workbook's defined names: a name's range (with its worksheet) and the
// name's 1-based position in the workbook's list, which BIFF8 name tokens carry.
#include <string>
#include <string_view>

#include "workbook/core/cell_refs.h"

namespace workbook {

class TExportWorkSheet;

// A rectangular range of a formula: the first cell, the counts and the four "$" flags.
struct TRPNRange {
  int Col = 0;
  int Row = 0;
  int ColCount = 1;
  int RowCount = 1;
  bool Col1Absolute = false;
  bool Row1Absolute = false;
  bool Col2Absolute = false;
  bool Row2Absolute = false;
  // The sheet a defined name refers to; null: the formula's own sheet.
  TExportWorkSheet* WorkSheet = nullptr;

  int LastCol() const { return Col + ColCount - 1; }
  int LastRow() const { return Row + RowCount - 1; }

  // From a reference whose corners may come in either order: the "$" flags follow their corners.
  void SetCorners(TCellRangeRef ref) {
    OrderCellRangeCorners(ref);
    Col = ref.Col1;
    Row = ref.Row1;
    ColCount = ref.Col2 - ref.Col1 + 1;
    RowCount = ref.Row2 - ref.Row1 + 1;
    Col1Absolute = ref.Col1Absolute;
    Row1Absolute = ref.Row1Absolute;
    Col2Absolute = ref.Col2Absolute;
    Row2Absolute = ref.Row2Absolute;
  }
};

class IRPNNameSource {
 public:
  virtual ~IRPNNameSource() = default;
  // The range of the defined name; false when the name is not defined.
  virtual bool FindName(std::u16string_view name, TRPNRange& range) const = 0;
  // The name's 1-based position in the list; 0 when it is not defined.
  virtual int NamePosition(std::u16string_view name) const = 0;
  // The name at a 1-based position (as a BIFF8 token gives it); false outside the list. An XLS
  // reader's source translates the file's name indexes here.
  virtual bool NameAtPosition(int position, std::u16string& name) const = 0;
};

}  // namespace workbook
