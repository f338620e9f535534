// Writes the sample sheet of 100,000 rows x 10 columns (1,000,000 cells, bench/sample_book.h) as
// XLSX in write-rows-by-event mode: the program adds each row when the writer asks for it, and the
// cells of rows already written are freed, so the sheet is never held whole. Reports the time, the
// package size and the peak memory.
#include <chrono>
#include <cstdio>

#include "measure.h"
#include "sample_book.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/model/workbook.h"

using bench::PeakKilobytes;
using bench::Seconds;

int main() {
  using namespace workbook;
  bench::StartLibrary();
  constexpr int kRows = 100000;
  constexpr int kCols = 10;

  const auto start = std::chrono::steady_clock::now();
  TWorkbook book;
  book.ShowProgress = false;
  book.WriteRowsByEvent = true;
  TExportWorkSheet* sheet = book.AddWorkSheet(u"Data");
  sheet->OnAddRow = [&](TWorkbook&, TCustomExporter&, TExportWorkSheet& target, int r) {
    if (r < kRows) bench::FillSampleRow(*target.AddRow(), r, kCols);
  };
  TMemoryStream out;
  TExporterXLSX exporter;
  exporter.ExportToStream(out, book);
  std::printf("%d cells written by event in %.2f s, %.1f MB package, peak %.1f MB\n", kRows * kCols,
              Seconds(start), out.Size() / 1048576.0, PeakKilobytes() / 1024.0);
  return 0;
}
