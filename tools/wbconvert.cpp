// wbconvert: loads a workbook file through the handler its extension selects and saves it through
// the handler of the output's extension, for checking a writer against other programs by hand
// and for the writers' round-trip tests.
//
//   wbconvert IN OUT
//   wbconvert --help     this usage
//
// A failure prints the exception's class and message on stderr; exit code 2. OUT is written
// through a file beside it that takes its name only once the whole file is built, so a failed
// conversion leaves no partial file behind and a large one is never held in memory.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "run_tool.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/exporter_registry.h"
#include "workbook/model/custom_exporter.h"

namespace {

const char* const kUsage =
    "usage: wbconvert IN OUT\n"
    "Loads IN, in any format the library reads, and saves it in the format of OUT's extension\n"
    "(xlsx, xls, ods, csv ...).\n"
    "A failure prints the exception's class and message on stderr; exit code 2.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc != 3) {
    std::fputs(kUsage, stderr);
    return 1;
  }
  return tools::RunTool([&] {
    const std::u16string output = platform::Utf8ToUtf16(argv[2]);
    workbook::TCustomExporter* writer = nullptr;
    if (!workbook::FindExporterForFile(output, writer))
      throw workbook::EWorkbookFileNameException(
          workbook::FormatLibraryText(workbook::WorkbookLng_FileNotProcessed, output));
    workbook::TWorkbook book;
    book.ShowProgress = false;
    book.LoadFromFile(platform::Utf8ToUtf16(argv[1]));
    const std::string partial = std::string(argv[2]) + ".part";
    try {
      auto bytes = std::make_unique<workbook::TFileStream>(partial, workbook::TFileMode::Create);
      writer->ExportToStream(*bytes, book);
      bytes.reset();
      std::filesystem::rename(partial, argv[2]);
    } catch (...) {
      std::error_code ignored;
      std::filesystem::remove(partial, ignored);
      throw;
    }
  });
}
