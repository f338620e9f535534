// wbdump: loads a workbook file through the library and prints its cell values, for comparing
// our readers with other programs' and for timing loads.
//
//   wbdump FILE          "# sheet N NAME", then one line per row: the cells' value texts joined
//                        by TAB (backslash, TAB, CR and LF escaped as \\ \t \r \n)
//   wbdump --count FILE  "sheets S rows R cells C" and the load time in seconds
//   wbdump --help        this usage
//
// A file that fails to load prints the exception's class and message on stderr; exit code 2.
#include <chrono>
#include <cstdio>
#include <string>

#include "platform/text_codec.h"
#include "run_tool.h"

namespace {

const char* const kUsage =
    "usage: wbdump [--count] FILE\n"
    "Loads FILE, in any format the library reads, and prints every sheet: \"# sheet N NAME\", "
    "then\n"
    "a line per row, the cells' value texts joined by TAB (backslash, TAB, CR and LF escaped as\n"
    "\\\\ \\t \\r \\n).\n"
    "  --count  print \"sheets S rows R cells C\" and the load time in seconds instead\n"
    "A file that fails to load prints the exception's class and message on stderr; exit code 2.\n";

using workbook::TExportRow;
using workbook::TWorkbook;

void PutEscaped(const std::u16string& text, std::string& out) {
  for (char c : platform::Utf16ToUtf8(text)) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
}

void Dump(TWorkbook& book) {
  std::string line;
  for (int s = 0; s < book.WorkSheets.Count(); ++s) {
    workbook::TExportWorkSheet* sheet = book.WorkSheets.GetItem(s);
    line = "# sheet " + std::to_string(s + 1) + " " + platform::Utf16ToUtf8(sheet->Name) + "\n";
    std::fputs(line.c_str(), stdout);
    for (int r = 0; r < sheet->Rows.Count(); ++r) {
      line.clear();
      if (TExportRow* row = sheet->Rows.PeekItem(r)) {
        for (int c = 0; c < row->Cells.Count(); ++c) {
          if (c > 0) line += '\t';
          if (workbook::TExportCell* cell = row->Cells.PeekItem(c))
            PutEscaped(cell->GetValueText(), line);
        }
      }
      line += '\n';
      std::fwrite(line.data(), 1, line.size(), stdout);
    }
  }
}

void Count(TWorkbook& book, double seconds) {
  long long rows = 0, cells = 0;
  for (int s = 0; s < book.WorkSheets.Count(); ++s) {
    workbook::TExportWorkSheet* sheet = book.WorkSheets.GetItem(s);
    rows += sheet->Rows.Count();
    for (int r = 0; r < sheet->Rows.Count(); ++r)
      if (TExportRow* row = sheet->Rows.PeekItem(r))
        for (int c = 0; c < row->Cells.Count(); ++c)
          if (row->Cells.PeekItem(c)) ++cells;
  }
  std::printf("sheets %d rows %lld cells %lld\n%.3f s\n", book.WorkSheets.Count(), rows, cells,
              seconds);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  const bool countOnly = argc == 3 && std::string(argv[1]) == "--count";
  if (argc != 2 && !countOnly) {
    std::fputs(kUsage, stderr);
    return 1;
  }
  return tools::RunTool([&] {
    TWorkbook book;
    book.ShowProgress = false;
    const auto start = std::chrono::steady_clock::now();
    book.LoadFromFile(platform::Utf8ToUtf16(argv[argc - 1]));
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (countOnly)
      Count(book, took.count());
    else
      Dump(book);
  });
}
