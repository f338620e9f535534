#pragma once
// The values formulas read from cells. A formula cell that has not been calculated is calculated
// first; one that is being calculated further up (a circular reference) or a chain of formula
// cells deeper than the engine follows gives #REF! instead of recursing on.
#include <vector>

#include "workbook/model/formula/rpn_types.h"

namespace workbook {

class TExportWorkSheet;

// How deep formula cells may make each other calculate.
inline constexpr int kRPNMaxCalculationDepth = 400;

// The value of the cell at col, row when it is a number-like cell (a plain number cell when
// plainNumber), calculated first when needed; false when there is no such cell.
bool RPNCellValue(TExportWorkSheet* sheet, int col, int row, bool plainNumber, TRPNValue& value);

// The number-like cells of the range, row by row, each row left to right; untouched rows and
// cells are skipped without being created.
void RPNRangeValues(TExportWorkSheet* sheet, int col1, int row1, int col2, int row2,
                    std::vector<TRPNValue>& values);

}  // namespace workbook
