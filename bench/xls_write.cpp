// Writes the same 1,000,000 cells (62,500 rows x 16 columns, as many as fit an .xls sheet's
// 65,536 rows: shared texts, numbers, dates) as XLS and as XLSX into memory, and reports each
// write's time, file size and the process's peak memory. bench/xls_write_compare.sh runs it next
// to python3-xlwt writing the same cells.
#include <chrono>
#include <cstdio>

#include "measure.h"
#include "sample_book.h"
#include "workbook/formats/xls/xls_exporter.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"

using bench::PeakKilobytes;
using bench::Seconds;

namespace {

void Write(workbook::TCustomExporter& exporter, workbook::TWorkbook& book, const char* name) {
  const auto start = std::chrono::steady_clock::now();
  workbook::TMemoryStream out;
  exporter.ExportToStream(out, book);
  std::printf("%s: written in %.2f s, %.1f MB file, peak %.1f MB\n", name, Seconds(start),
              out.Size() / 1048576.0, PeakKilobytes() / 1024.0);
}

}  // namespace

int main() {
  using namespace workbook;
  bench::StartLibrary();
  constexpr int kRows = 62500;
  constexpr int kCols = 16;

  const auto start = std::chrono::steady_clock::now();
  TWorkbook book;
  book.ShowProgress = false;
  bench::BuildSampleSheet(book, kRows, kCols);
  std::printf("%d cells: model built in %.2f s (peak %.1f MB)\n", kRows * kCols, Seconds(start),
              PeakKilobytes() / 1024.0);
  TExporterXLS xls;
  Write(xls, book, "XLS ");
  TExporterXLSX xlsx;
  Write(xlsx, book, "XLSX");
  return 0;
}
