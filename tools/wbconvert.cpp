// wbconvert: loads a workbook file through the handler its extension selects and saves it through
// the handler of the output's extension, for checking a writer against other programs by hand
// and for the writers' round-trip tests.
//
//   wbconvert IN OUT
//   wbconvert --help     this usage
//
// A failure prints the exception's class and message on stderr; exit code 2. OUT is written
// through a new file beside it (OUT.part, or OUT.1.part and on when that name is taken) that
// takes OUT's name only once the whole file is written and closed, so a failed conversion (a
// full disk too) leaves OUT as it was and no partial file behind, and a large file is never held
// in memory. A read-only OUT is not replaced.
#include <sys/stat.h>
#include <unistd.h>

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

// Whether a file of the name exists that its user may not write (its write bits cleared counts
// too, since the superuser may write any file).
bool ReadOnlyFile(const std::string& fileName) {
  struct stat status {};
  if (::stat(fileName.c_str(), &status) != 0) return false;
  return (status.st_mode & 0222) == 0 || ::access(fileName.c_str(), W_OK) != 0;
}

// The first of OUT.part, OUT.1.part, OUT.2.part, ... that names nothing yet.
std::string UnusedPartialName(const std::string& output) {
  std::string name = output + ".part";
  std::error_code ignored;
  for (int n = 1; std::filesystem::exists(std::filesystem::symlink_status(name, ignored)); ++n)
    name = output + "." + std::to_string(n) + ".part";
  return name;
}

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
    const std::string target = argv[2];
    const std::u16string output = platform::Utf8ToUtf16(target);
    workbook::TCustomExporter* writer = nullptr;
    if (!workbook::FindExporterForFile(output, writer))
      throw workbook::EWorkbookFileNameException(
          workbook::FormatLibraryText(workbook::WorkbookLng_FileNotProcessed, output));
    if (ReadOnlyFile(target))
      throw workbook::EWorkbookException(u"Cannot write file \"" + output +
                                         u"\": the file is read-only.");
    workbook::TWorkbook book;
    book.ShowProgress = false;
    book.LoadFromFile(platform::Utf8ToUtf16(argv[1]));
    const std::string partial = UnusedPartialName(target);
    // Made before the clean-up below can run, so that a name taken meanwhile is never removed.
    auto bytes = std::make_unique<workbook::TFileStream>(partial, workbook::TFileMode::CreateNew);
    try {
      writer->ExportToStream(*bytes, book);
      bytes->Close();
      std::filesystem::rename(partial, target);
    } catch (...) {
      bytes.reset();
      std::error_code ignored;
      std::filesystem::remove(partial, ignored);
      throw;
    }
  });
}
