// Writes a sheet of 100,000 rows x 10 columns (1,000,000 cells: shared texts, numbers, dates)
// as XLSX into memory, and reports build and write times, the package size and peak memory.
#include <chrono>
#include <cstdio>

#include "measure.h"
#include "sample_book.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
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
  bench::BuildSampleSheet(book, kRows, kCols);
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
