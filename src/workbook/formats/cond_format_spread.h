#pragma once
// Conditional formats read from a file, whose rules cover ranges, handed to the cells they reach:
// every cell keeps its own copy of the rules, their relative references moved to point from that
// cell, as the writers give each cell's rules again.
#include <vector>

#include "workbook/core/cell_refs.h"

namespace workbook {

class TExportConditionalFormattingRules;
class TExportWorkSheet;

// Most cell applications of conditional formats per sheet: a format's range may cover a whole
// sheet, and every cell it reaches carries its own copy of the rules.
inline constexpr long long kMaxCondFormatCellsPerSheet = 1 << 20;
// Conditional-format ranges of this many cells or more (a whole column of a BIFF8 sheet) reach
// only the cells within the sheet's content.
inline constexpr long long kLargeCondFormatArea = 1 << 16;

class TCondFormatSpread {
 public:
  explicit TCondFormatSpread(TExportWorkSheet& sheet) : sheet_(sheet) {}

  // Gives every cell of areas (an empty cell where there is none) copies of rules in their
  // order, after its own rules or, with inFront, before them. The rules' references point from
  // the first cell of the first area. Past the sheet's budget nothing more is given.
  void Apply(const std::vector<TCellRangeRef>& areas,
             const TExportConditionalFormattingRules& rules, bool inFront);

 private:
  TExportWorkSheet& sheet_;
  long long cellRules_ = 0;
  // The sheet's used extent, found once when a large range needs it (-1: not yet).
  int usedRows_ = -1;
  int usedCols_ = -1;
};

}  // namespace workbook
