#include "xls_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace xls_test {

std::vector<std::filesystem::path> CorpusXlsFiles() {
  std::vector<std::filesystem::path> files;
  for (const char* folder : {"calamine", "libxls", "xlrd", "sheetjs-1904"}) {
    const std::filesystem::path dir = std::filesystem::path(SHARED_DIR) / "corpus" / folder;
    if (!std::filesystem::is_directory(dir)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
      if (entry.path().extension() == ".xls") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace xls_test
