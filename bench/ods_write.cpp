// Writes the sample sheet of 100,000 rows x 10 columns (1,000,000 cells) as ODS and as XLSX into
// memory, side by side in one run, and reports each write's time, package size and peak memory.
// Each write runs in a child process sharing the built model, so its peak is its own.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "sample_book.h"
#include "workbook/formats/ods/ods_exporter.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"

namespace {

void Measure(const char* name, workbook::TCustomExporter& exporter, workbook::TWorkbook& book) {
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    bench::WriteToMemory(name, exporter, book);
    std::fflush(stdout);
    _exit(0);
  }
  waitpid(child, nullptr, 0);
}

}  // namespace

int main() {
  using namespace workbook;
  bench::StartLibrary();
  constexpr int kRows = 100000;
  constexpr int kCols = 10;

  TWorkbook book;
  bench::BuildSampleBook(book, kRows, kCols);
  TExporterODS ods;
  Measure("ODS", ods, book);
  TExporterXLSX xlsx;
  Measure("XLSX", xlsx, book);
  return 0;
}
