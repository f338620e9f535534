#include "xls_test_support.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace xls_test {

std::vector<std::filesystem::path> CorpusXlsFiles() {
  std::vector<std::filesystem::path> files;
  for (const char* folder : {"calamine", "libxls", "xlrd", "sheetjs-1904"}) {
    const std::filesystem::path dir = std::filesystem::path(SHARED_DIR) / "corpus" / folder;
    if (!std::filesystem::is_directory(dir)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      if (entry.path().extension() == ".xls") files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

namespace {

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

std::string RunPeer(const std::string& script, const std::vector<std::string>& args) {
  std::string command = "/usr/bin/python3 " + Quote(std::string(SOURCE_DIR) +
                                                    "/tests/workbook/formats/xls/peers/" + script);
  for (const std::string& arg : args) command += " " + Quote(arg);
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) {
    ADD_FAILURE() << "cannot run " << command;
    return "";
  }
  std::string output;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  if (pclose(pipe) != 0) {
    ADD_FAILURE() << "peer failed: " << command;
    return "";
  }
  return output;
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "xls_test_XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

}  // namespace xls_test
