// Writes a sheet of 100,000 rows x 10 columns (1,000,000 cells: shared texts, numbers, dates)
// as XLSX into memory, and reports build and write times, the package size and peak memory.
#include "sample_book.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"

int main() {
  using namespace workbook;
  bench::StartLibrary();
  constexpr int kRows = 100000;
  constexpr int kCols = 10;

  TWorkbook book;
  bench::BuildSampleBook(book, kRows, kCols);
  TExporterXLSX exporter;
  bench::WriteToMemory("XLSX", exporter, book);
  return 0;
}
