// Reads a CSV of 100,000 rows x 10 columns (plain, quoted, quoted with separators, doubled quotes
// and line breaks) with "CSV comma-separated text", writes the sheet back, then reads a file of one
// 64 MB quoted field; reports time and peak memory of each step.
#include <chrono>
#include <cstdio>
#include <string>

#include "measure.h"
#include "workbook/core/stream.h"
#include "workbook/formats/text/text_exporter.h"
#include "workbook/model/workbook.h"

namespace {

using bench::PeakKilobytes;
using bench::Seconds;

workbook::TMemoryStream StreamOf(const std::string& text) {
  return workbook::TMemoryStream(std::vector<std::uint8_t>(text.begin(), text.end()));
}

}  // namespace

int main() {
  using namespace workbook;
  bench::StartLibrary();
  constexpr int kRows = 100000;
  std::string csv;
  for (int r = 0; r < kRows; ++r) {
    const std::string n = std::to_string(r);
    csv += n + ",Item " + n + ",\"Street " + n + ", Town\",\"say \"\"hi\"\"\",3.25," +
           "\"two\r\nlines\",\xC4\x8D\xC5\xA1\xC5\xBE," + n + "," + n + ",end\r\n";
  }
  TExporterCSVComma comma;
  long long checksum = 0;
  {
    TMemoryStream input = StreamOf(csv);
    const long baseline = PeakKilobytes();
    auto start = std::chrono::steady_clock::now();
    TWorkbook book;
    book.LoadFromStream(input, comma);
    checksum += book.WorkSheets.GetItem(0)->Rows.Count();
    std::printf("read %.1f MB, 1,000,000 cells: %.3f s, peak grew by %.1f MB\n",
                csv.size() / 1048576.0, Seconds(start), (PeakKilobytes() - baseline) / 1024.0);
    start = std::chrono::steady_clock::now();
    TMemoryStream output;
    comma.ExportToStream(output, book);
    checksum += output.Size();
    std::printf("write back %.1f MB: %.3f s\n", output.Size() / 1048576.0, Seconds(start));
  }
  {
    const std::string big = "\"" + std::string(64 << 20, 'x') + "\",y\r\n";
    TMemoryStream input = StreamOf(big);
    const long baseline = PeakKilobytes();
    auto start = std::chrono::steady_clock::now();
    TWorkbook book;
    book.LoadFromStream(input, comma);
    checksum += book.WorkSheets.GetItem(0)->Rows.Count();
    std::printf("one field of 64 MB (128 MB as UTF-16): %.3f s, peak grew by %.1f MB\n",
                Seconds(start), (PeakKilobytes() - baseline) / 1024.0);
  }
  std::printf("(checksum %lld)\n", checksum);
  StopWorkbookLibrary();
}
