// Writes the same 1,000,000 cells (62,500 rows x 16 columns, as many as fit an .xls sheet's
// 65,536 rows: shared texts, numbers, dates) as XLS and as XLSX into memory, and reports each
// write's time, file size and the process's peak memory; bench/xls_write_xlwt.py writes the same
// cells with python3-xlwt.
#include "sample_book.h"
#include "workbook/formats/xls/xls_exporter.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"

int main() {
  using namespace workbook;
  bench::StartLibrary();
  constexpr int kRows = 62500;
  constexpr int kCols = 16;

  TWorkbook book;
  bench::BuildSampleBook(book, kRows, kCols);
  TExporterXLS xls;
  bench::WriteToMemory("XLS", xls, book);
  TExporterXLSX xlsx;
  bench::WriteToMemory("XLSX", xlsx, book);
  return 0;
}
