// Builds a sheet of 100,000 rows x 10 columns (texts, numbers and dates mixed) in the workbook
// model, then one sheet whose only cell sits in the last row, and reports time and peak memory;
// first the sizes of the objects a sheet is made of.
#include <chrono>
#include <cstdio>
#include <string>
#include <utility>

#include "measure.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_empty.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/limits.h"
#include "workbook/model/workbook.h"

using bench::PeakKilobytes;
using bench::Seconds;

namespace {

void PrintSizes() {
  using namespace workbook;
  const std::pair<const char*, std::size_t> sizes[] = {
      {"TExportCellEmpty", sizeof(TExportCellEmpty)},
      {"TExportCellString", sizeof(TExportCellString)},
      {"TExportCellNumber", sizeof(TExportCellNumber)},
      {"TExportCellCurrency", sizeof(TExportCellCurrency)},
      {"TExportCellDateTime", sizeof(TExportCellDateTime)},
      {"TExportCellBoolean", sizeof(TExportCellBoolean)},
      {"TExportCellStyle", sizeof(TExportCellStyle)},
      {"TExportCellExtras", sizeof(TExportCellExtras)},
      {"TExportRow (its cell list included)", sizeof(TExportRow)},
      {"TExportCells", sizeof(TExportCells)},
  };
  for (const auto& [name, size] : sizes) std::printf("sizeof(%s): %zu bytes\n", name, size);
}

}  // namespace

int main() {
  using namespace workbook;
  bench::StartLibrary();
  PrintSizes();
  constexpr int kRows = 100000;
  constexpr int kCols = 10;
  long baseline = PeakKilobytes();

  long long checksum = 0;
  // First, while the peak is still the start's: a sheet whose only cell is in the last row.
  auto farStart = std::chrono::steady_clock::now();
  {
    TWorkbook book;
    TExportWorkSheet* sheet = book.AddWorkSheet(u"Far");
    sheet->FindCreateCell(0, kMaxSheetRows - 1, TCellClass::String, false)->SetValueText(u"x");
    checksum += sheet->Rows.Count();
    std::printf("one cell in row %d: %.3f s, peak grew by %.1f MB\n", kMaxSheetRows,
                Seconds(farStart), (PeakKilobytes() - baseline) / 1024.0);
  }
  baseline = PeakKilobytes();
  auto start = std::chrono::steady_clock::now();
  {
    TWorkbook book;
    TExportWorkSheet* sheet = book.AddWorkSheet(u"Data");
    for (int r = 0; r < kRows; ++r) {
      TExportRow* row = sheet->AddRow();
      for (int c = 0; c < kCols; ++c) {
        switch (c % 3) {
          case 0: {
            std::string text = "Item " + std::to_string(r * kCols + c);
            row->AddCellString(std::u16string(text.begin(), text.end()));
            break;
          }
          case 1:
            row->AddCellNumber(r * 1.25 + c, 2);
            break;
          default:
            static_cast<TExportCellDateTime*>(row->AddCell(TCellClass::DateTime))
                ->SetValue(45000 + r % 365);
            break;
        }
      }
    }
    double built = Seconds(start);
    long peak = PeakKilobytes();
    checksum += sheet->Rows.Count();
    std::printf("build %d cells: %.3f s, peak %.1f MB (%.1f MB over the start)\n", kRows * kCols,
                built, peak / 1024.0, (peak - baseline) / 1024.0);

    auto readStart = std::chrono::steady_clock::now();
    for (int r = 0; r < kRows; ++r) {
      TExportRow* row = sheet->Rows[r];
      for (int c = 0; c < row->Cells.Count(); ++c)
        checksum += static_cast<long long>(row->Cells[c]->GetValueText().size());
    }
    std::printf("read all value texts: %.3f s\n", Seconds(readStart));
    start = std::chrono::steady_clock::now();
  }
  std::printf("free: %.3f s\n", Seconds(start));

  std::printf("(checksum %lld)\n", checksum);
  return 0;
}
