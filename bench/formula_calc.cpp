// Parses and calculates 100,000 formula cells, each summing the ten numbers of its row and
// referring to the formula above it, then writes their BIFF8 token bytes; reports the times.
#include <chrono>
#include <cstdio>
#include <string>

#include "measure.h"
#include "workbook/core/cell_refs.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/formula/rpn_formula.h"
#include "workbook/model/workbook.h"

using bench::PeakKilobytes;
using bench::Seconds;

int main() {
  using namespace workbook;
  bench::StartLibrary();
  constexpr int kRows = 100000;
  constexpr int kCols = 10;
  TWorkbook book;
  TExportWorkSheet* sheet = book.AddWorkSheet(u"Calc");
  for (int r = 0; r < kRows; ++r) {
    TExportRow* row = sheet->AddRow();
    for (int c = 0; c < kCols; ++c) row->AddCellNumber(r * 0.5 + c, 2);
    auto* total = static_cast<TExportCellNumber*>(row->AddCell(TCellClass::Number));
    std::u16string formula = u"=SUM(" + MakeCellRangeRef(0, r, kCols) + u")";
    if (r > 0) formula += u"+ROUND(" + MakeCellRangeRef(kCols, r - 1) + u"/1000,2)";
    total->SetFormula(formula);
  }

  double checksum = 0;
  auto start = std::chrono::steady_clock::now();
  for (int r = 0; r < kRows; ++r) {
    auto* total = static_cast<TExportCellNumber*>(sheet->Rows[r]->Cells[kCols]);
    total->Calculate();
    checksum += total->Value;
  }
  std::printf("parse and calculate %d formulas: %.3f s\n", kRows, Seconds(start));

  start = std::chrono::steady_clock::now();
  std::size_t bytes = 0;
  for (int r = 0; r < kRows; ++r)
    bytes += sheet->Rows[r]->Cells[kCols]->GetRPNFormula()->GetXLSTokens().size();
  std::printf("BIFF8 tokens of %d formulas (%zu bytes): %.3f s\n", kRows, bytes, Seconds(start));

  start = std::chrono::steady_clock::now();
  std::size_t chars = 0;
  for (int r = 0; r < kRows; ++r)
    chars += sheet->Rows[r]->Cells[kCols]->GetRPNFormula()->GetFormulaText().size();
  std::printf("formula texts of %d formulas (%zu characters): %.3f s\n", kRows, chars,
              Seconds(start));
  std::printf("checksum %.2f\n", checksum);
  return 0;
}
