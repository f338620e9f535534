// Writes 1,000,000 sample cells (bench/sample_book.h) as XLSX, XLS or ODS in write-rows-by-event
// mode: the program adds each row when the writer asks for it, and the cells of rows already
// written are freed, so the sheet is never held whole. XLSX and ODS get 100,000 rows x 10
// columns; XLS, whose sheets end at 65,536 rows, 62,500 x 16. Every third cell is a text, drawn
// from TEXTS distinct ones (5,000 unless given). The file goes to disk as it is written; what the
// writer holds until then is its own (see bench/README.md). Reports the time, the file's size
// and the peak memory. Usage: bench_write_by_event xlsx|xls|ods FILE [TEXTS]
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "measure.h"
#include "sample_book.h"
#include "workbook/formats/ods/ods_exporter.h"
#include "workbook/formats/xls/xls_exporter.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/model/workbook.h"

using bench::PeakKilobytes;
using bench::Seconds;

int main(int argc, char** argv) {
  using namespace workbook;
  const char* format = argc == 3 || argc == 4 ? argv[1] : "";
  const int texts = argc == 4 ? std::atoi(argv[3]) : bench::kSampleTexts;
  std::unique_ptr<TCustomExporter> exporter;
  int rows = 100000;
  int cols = 10;
  if (std::strcmp(format, "xlsx") == 0) {
    exporter = std::make_unique<TExporterXLSX>();
  } else if (std::strcmp(format, "ods") == 0) {
    exporter = std::make_unique<TExporterODS>();
  } else if (std::strcmp(format, "xls") == 0) {
    exporter = std::make_unique<TExporterXLS>();
    rows = 62500;
    cols = 16;
  }
  if (!exporter || texts <= 0) {
    std::fprintf(stderr, "usage: %s xlsx|xls|ods FILE [TEXTS]\n", argv[0]);
    return 2;
  }
  bench::StartLibrary();

  const auto start = std::chrono::steady_clock::now();
  TWorkbook book;
  book.ShowProgress = false;
  book.WriteRowsByEvent = true;
  TExportWorkSheet* sheet = book.AddWorkSheet(u"Data");
  sheet->OnAddRow = [&](TWorkbook&, TCustomExporter&, TExportWorkSheet& target, int r) {
    if (r < rows) bench::FillSampleRow(*target.AddRow(), r, cols, texts);
  };
  std::int64_t size = 0;
  {
    TFileStream out(argv[2], TFileMode::Create);
    exporter->ExportToStream(out, book);
    size = out.Seek(0, TSeekOrigin::End);
    out.Close();
  }
  std::printf(
      "%s: %d cells (%d distinct texts) written by event in %.2f s, %.1f MB file, peak %.1f MB\n",
      format, rows * cols, texts, Seconds(start), size / 1048576.0, PeakKilobytes() / 1024.0);
  return 0;
}
