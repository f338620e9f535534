// settings.ini as the main window reads it, then both reports from the header and taxpayer it
// gives.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/statement/errors.h"
#include "app/statement/settings_file.h"
#include "statement_reports.h"

namespace {

// The settings are read from a file only; one per process, removed at the end.
struct TTempFile {
  std::string Path = "/tmp/kvdph_fuzz_settings_" + std::to_string(getpid()) + ".ini";
  ~TTempFile() { std::remove(Path.c_str()); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const TTempFile file;
  const std::string& path = file.Path;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  app::TData statement;
  try {
    app::LoadSettingsFile(path, statement);
  } catch (const app::EAppException&) {
    // the lines before the bad one keep their effect
  }
  fuzz::CheckReports(statement);
  return 0;
}
