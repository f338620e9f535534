// Writes a sheet of 100,000 rows x 10 columns (1,000,000 cells: shared texts, numbers, dates)
// as XLSX into memory, and reports build and write times, the package size and peak memory.
#include <chrono>
#include <cstdio>
#include <string>

#include "measure.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/workbook.h"

using bench::PeakKilobytes;
using bench::Seconds;

int main() {
  using namespace workbook;
  WorkbookDateFormat = u"%sysdate%";
  WorkbookTimeFormat = u"%systime%";
  StartWorkbookLibrary();
  constexpr int kRows = 100000;
  constexpr int kCols = 10;

  auto start = std::chrono::steady_clock::now();
  TWorkbook book;
  book.ShowProgress = false;
  TExportWorkSheet* sheet = book.AddWorkSheet(u"Data");
  for (int r = 0; r < kRows; ++r) {
    TExportRow* row = sheet->AddRow();
    for (int c = 0; c < kCols; ++c) {
      switch (c % 3) {
        case 0: {
          // A few thousand distinct texts, as a transaction list repeats its partners.
          std::string text = "Partner " + std::to_string((r * kCols + c) % 5000);
          row->AddCellString(std::u16string(text.begin(), text.end()));
          break;
        }
        case 1:
          row->AddCellNumber(r * 1.25 + c, 2);
          break;
        default:
          static_cast<TExportCellDateTime*>(row->AddCell(TCellClass::DateTime))
              ->SetValue(40000 + r % 3000);
      }
    }
  }
  const double buildSeconds = Seconds(start);
  const long buildPeak = PeakKilobytes();

  start = std::chrono::steady_clock::now();
  TMemoryStream out;
  TExporterXLSX exporter;
  exporter.ExportToStream(out, book);
  std::printf(
      "%d cells: model built in %.2f s (peak %.1f MB), written in %.2f s, %.1f MB package, "
      "peak %.1f MB\n",
      kRows * kCols, buildSeconds, buildPeak / 1024.0, Seconds(start), out.Size() / 1048576.0,
      PeakKilobytes() / 1024.0);
  return 0;
}
