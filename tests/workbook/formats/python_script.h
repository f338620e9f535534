#pragma once
// Runs an independent peer (Debian's /usr/bin/python3 with xlrd, xlwt, openpyxl) on a script.
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace workbook::test {

// True when /usr/bin/python3 can import every module named (comma-separated).
inline bool PythonHasModules(const std::string& modules) {
  const std::string command = "/usr/bin/python3 -c 'import " + modules + "' >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

// Runs Script with Input in a temporary file whose path is sys.argv[1]; returns standard output.
inline std::string RunPython(const std::string& script, const std::string& input) {
  char scriptPath[] = "/tmp/style_peer_XXXXXX";
  char inputPath[] = "/tmp/style_peer_in_XXXXXX";
  const int scriptFd = mkstemp(scriptPath);
  const int inputFd = mkstemp(inputPath);
  close(scriptFd);
  close(inputFd);
  std::ofstream(scriptPath, std::ios::binary) << script;
  std::ofstream(inputPath, std::ios::binary) << input;
  const std::string command =
      std::string("/usr/bin/python3 ") + scriptPath + " " + inputPath + " 2>&1";
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) output.append(buffer.data(), n);
    pclose(pipe);
  }
  std::remove(scriptPath);
  std::remove(inputPath);
  return output;
}

}  // namespace workbook::test
