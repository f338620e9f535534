#include "xls_test_support.h"

#include <algorithm>

#include "workbook/formats/xls/xls_workbook_stream.h"

namespace xls_test {

std::vector<std::uint8_t> WorkbookStreamBytes(workbook::TStream& source) {
  workbook::TOleStreamReader stream = workbook::XLSOpenWorkbookStream(source);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.Size()));
  stream.Copy(0, bytes.data(), bytes.size());
  return bytes;
}

std::vector<std::string> CorpusXlsFiles() {
  std::vector<std::string> files;
  for (const char* folder : {"calamine", "libxls", "xlrd", "sheetjs-1904"}) {
    const std::filesystem::path dir = std::filesystem::path(SHARED_DIR) / "corpus" / folder;
    if (!std::filesystem::is_directory(dir)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
      if (entry.path().extension() == ".xls") files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string CorpusXlsFile(const std::string& name) {
  for (const std::string& file : CorpusXlsFiles())
    if (std::filesystem::path(file).filename() == name) return file;
  return "";
}

}  // namespace xls_test
