// Writes the same 1,000,000 cells (62,500 rows x 16 columns, as many as fit an .xls sheet's
// 65,536 rows: shared texts, numbers, dates) as XLS into a file, with WorkbookCompressTempData on
// and off (the two files must be equal), and as XLSX into memory; reports each write's time,
// file size and the process's peak memory above the built model; bench/xls_write_xlwt.py writes the
// same cells with python3-xlwt.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "sample_book.h"
#include "workbook/formats/xls/xls_exporter.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/formats/zip/compression_stream.h"

namespace {

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The XLS write into a file, so that the peak measures the writer and not an in-memory target.
void WriteXLSToFile(const std::string& path, bool compress, workbook::TWorkbook& book,
                    long modelKilobytes) {
  using namespace workbook;
  WorkbookCompressTempData = compress;
  const auto start = std::chrono::steady_clock::now();
  {
    TFileStream out(path, TFileMode::Create);
    TExporterXLS().ExportToStream(out, book);
    out.Close();
  }
  std::printf(
      "XLS (WorkbookCompressTempData %s) written in %.2f s, %.1f MB file, peak %.1f MB "
      "above the model\n",
      compress ? "on" : "off", bench::Seconds(start),
      static_cast<double>(FileBytes(path).size()) / 1048576.0,
      (bench::PeakKilobytes() - modelKilobytes) / 1024.0);
}

}  // namespace

// "off" writes with WorkbookCompressTempData off first: the process's peak only grows, so each
// setting's own peak is the first write's.
int main(int argc, char** argv) {
  using namespace workbook;
  bench::StartLibrary();
  constexpr int kRows = 62500;
  constexpr int kCols = 16;

  TWorkbook book;
  bench::BuildSampleBook(book, kRows, kCols);
  const long model = bench::PeakKilobytes();
  std::printf("model built, peak %.1f MB\n", model / 1024.0);
  const char* tmp = std::getenv("TMPDIR");
  const std::string folder = tmp != nullptr ? tmp : "/tmp";
  const std::string held = folder + "/kvdph-bench-held.xls";
  const std::string plain = folder + "/kvdph-bench-plain.xls";
  const bool offFirst = argc > 1 && std::string(argv[1]) == "off";
  for (const bool compress : {!offFirst, offFirst})
    WriteXLSToFile(compress ? held : plain, compress, book, model);
  std::printf("the two XLS files are %s\n",
              FileBytes(held) == FileBytes(plain) ? "equal" : "DIFFERENT");
  std::remove(held.c_str());
  std::remove(plain.c_str());
  TExporterXLSX xlsx;
  bench::WriteToMemory("XLSX", xlsx, book);
  return 0;
}
