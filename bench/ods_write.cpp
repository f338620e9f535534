// Writes the sample sheet of 100,000 rows x 10 columns (1,000,000 cells) as ODS and as XLSX into
// memory, side by side in one run, and reports each write's time, package size and peak memory.
// Each write runs in a child process sharing the built model, so its peak is its own.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "measure.h"
#include "sample_book.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/ods/ods_exporter.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"

using bench::PeakKilobytes;
using bench::Seconds;

namespace {

void Measure(const char* name, workbook::TCustomExporter& exporter, workbook::TWorkbook& book) {
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    const auto start = std::chrono::steady_clock::now();
    workbook::TMemoryStream out;
    exporter.ExportToStream(out, book);
    std::printf("%-5s written in %.2f s, %.1f MB package, peak %.1f MB\n", name, Seconds(start),
                out.Size() / 1048576.0, PeakKilobytes() / 1024.0);
    std::fflush(stdout);
    _exit(0);
  }
  waitpid(child, nullptr, 0);
}

}  // namespace

int main() {
  using namespace workbook;
  WorkbookDateFormat = u"%sysdate%";
  WorkbookTimeFormat = u"%systime%";
  StartWorkbookLibrary();
  constexpr int kRows = 100000;
  constexpr int kCols = 10;

  const auto start = std::chrono::steady_clock::now();
  TWorkbook book;
  book.ShowProgress = false;
  bench::BuildSampleSheet(book, kRows, kCols);
  std::printf("%d cells: model built in %.2f s (peak %.1f MB)\n", kRows * kCols, Seconds(start),
              PeakKilobytes() / 1024.0);
  TExporterODS ods;
  Measure("ODS", ods, book);
  TExporterXLSX xlsx;
  Measure("XLSX", xlsx, book);
  return 0;
}
