#include "limited_load.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>

#include "workbook/core/exceptions.h"
#include "workbook/core/stream.h"
#include "workbook/formats/custom_exporter.h"
#include "workbook/formats/exporter_registry.h"
#include "workbook/formats/library_start.h"
#include "workbook/model/workbook.h"

namespace workbook {
namespace {

// The bytes of address space the process has now: the limit counts from here, since a sanitizer
// reserves terabytes of it before the test starts.
std::size_t AddressSpaceNow() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0;
  statm >> pages;
  return pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM").
std::size_t StatusBytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string name;
  std::size_t kilobytes = 0;
  while (status >> name) {
    if (name == field + ":" && status >> kilobytes) return kilobytes << 10;
    status.ignore(1 << 10, '\n');
  }
  return 0;
}

[[noreturn]] void End(int code, const char* how, const std::string& detail) {
  std::fprintf(stderr, "%s: %s\n", how, detail.c_str());
  std::fflush(stderr);
  std::_Exit(code);
}

}  // namespace

void LoadUnderLimit(const std::string& bytes, const std::u16string& extension,
                    std::size_t megabytes) {
  StartWorkbookLibrary();
  TCustomExporter* exporter = nullptr;
  if (!FindExporterForExtension(extension, exporter)) End(1, "no handler", "");
  TMemoryStream stream(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  const rlimit limit{AddressSpaceNow() + (megabytes << 20), RLIM_INFINITY};
  if (setrlimit(RLIMIT_AS, &limit) != 0) End(1, "setrlimit failed", "");
  std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts from here
  const std::size_t resident = StatusBytes("VmRSS");
  int code = 1;
  std::string how, detail;
  try {
    TWorkbook book;
    book.ShowProgress = false;
    book.LoadFromStream(stream, *exporter);
    code = 0;
    how = "loaded";
    detail = std::to_string(book.WorkSheets.Count()) + " sheets";
  } catch (const EWorkbookFileException& e) {
    code = 0;
    how = "file exception";
    detail = e.what();
  } catch (const std::bad_alloc&) {
    how = "bad_alloc";
  } catch (const std::exception& e) {
    how = "other exception";
    detail = e.what();
  }
  const std::size_t peak = StatusBytes("VmHWM");
  const std::size_t grown = peak - std::min(resident, peak);
  if (grown > (megabytes << 20)) End(1, "over the limit", std::to_string(grown >> 20) + " MB");
  End(code, how.c_str(), detail);
}

}  // namespace workbook
