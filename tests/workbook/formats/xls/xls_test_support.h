#pragma once
// Shared pieces of the XLS tests: the corpus folders, running the Python peers, temporary folders.
#include <filesystem>
#include <string>
#include <vector>

namespace xls_test {

// The .xls files of the shared corpus folders, sorted; empty when the corpus is absent.
std::vector<std::filesystem::path> CorpusXlsFiles();

// Runs /usr/bin/python3 with a script of tests/workbook/formats/xls/peers and the arguments;
// returns its standard output, or fails the test and returns "" when it exits with an error.
std::string RunPeer(const std::string& script, const std::vector<std::string>& args);

// A fresh folder that is removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::vector<std::string> SplitLines(const std::string& text);
std::vector<std::string> SplitTabs(const std::string& line);

}  // namespace xls_test
