#pragma once
// The largest sheet any of the library's formats holds: positions beyond it are refused, so a
// damaged file or a wrong index cannot make the model allocate rows or cells without end.
namespace workbook {

constexpr int kMaxSheetRows = 1048576;
constexpr int kMaxSheetCols = 16384;

}  // namespace workbook
