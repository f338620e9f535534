// Loads XLSX packages made in memory around one shared-string table of 500,000 texts (every
// tenth with a bold run): one whose sheet uses 1,000 of them, one whose sheet uses each once.
// Reports load time and the growth of peak memory; the package is made by a child process, so
// the peak is the load's alone: bench_shared_strings_load unused | used.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "measure.h"
#include "memory_package.h"
#include "workbook/model/workbook.h"

using bench::PeakKilobytes;
using bench::Seconds;

namespace {

constexpr int kStrings = 500'000;

// cells cells, 10 to a row, using the strings evenly spread over the table.
workbook::TMemoryStream Workbook(int cells) {
  const std::string count = std::to_string(kStrings);
  std::string strings;
  for (int i = 0; i < kStrings; ++i) {
    const std::string n = std::to_string(i);
    if (i % 10 == 0)
      strings +=
          "<si><r><t xml:space=\"preserve\">Invoice </t></r><r><rPr><b/><sz val=\"11\"/>"
          "<rFont val=\"Calibri\"/></rPr><t>" +
          n + "</t></r></si>";
    else
      strings += "<si><t>Partner " + n + " s.r.o. \xC5\xBDilina</t></si>";
  }
  std::string sheetData;
  const int step = kStrings / cells;
  for (int i = 0; i < cells; ++i) {
    if (i % 10 == 0) sheetData += "<row r=\"" + std::to_string(i / 10 + 1) + "\">";
    sheetData += "<c t=\"s\"><v>" + std::to_string(i * step) + "</v></c>";
    if (i % 10 == 9 || i + 1 == cells) sheetData += "</row>";
  }
  return bench::SharedStringsPackage(sheetData, strings,
                                     " count=\"" + count + "\" uniqueCount=\"" + count + "\"");
}

}  // namespace

int main(int argc, char** argv) {
  const bool used = argc > 1 && std::strcmp(argv[1], "used") == 0;
  bench::StartLibrary();
  const std::string path = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                           "/bench_shared_strings_" + (used ? "used" : "unused") + ".xlsx";
  if (const pid_t child = fork(); child == 0) {
    workbook::TMemoryStream package = Workbook(used ? kStrings : 1000);
    package.SaveToFile(path);
    _exit(0);
  } else {
    waitpid(child, nullptr, 0);
  }
  const long before = PeakKilobytes();
  const auto start = std::chrono::steady_clock::now();
  double loaded = 0;
  {
    workbook::TWorkbook book;
    book.ShowProgress = false;
    book.LoadFromFile(std::u16string(path.begin(), path.end()));
    loaded = Seconds(start);
    // Every cell's text asked for once, as an import does.
    std::size_t characters = 0;
    workbook::TExportWorkSheet& sheet = *book.WorkSheets[0];
    for (int r = 0; r < sheet.Rows.Count(); ++r)
      for (int c = 0; c < sheet.Rows[r]->Cells.Count(); ++c)
        characters += sheet.Rows[r]->Cells[c]->GetValueText().size();
    std::printf(
        "%s: load %.3f s, with every value text %.3f s (%zu characters), peak grew by "
        "%.1f MB\n",
        used ? "500,000 strings, each used once" : "500,000 strings, 1,000 used", loaded,
        Seconds(start), characters, (PeakKilobytes() - before) / 1024.0);
  }
  return 0;
}
