#include "workbook/formats/python_peer.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace test_support {

TScratchDir::TScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "wbtestXXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TScratchDir::~TScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

bool PythonAvailable() { return access("/usr/bin/python3", X_OK) == 0; }

std::string RunPython(const TScratchDir& dir, const std::string& script) {
  std::string scriptFile = dir.File("peer_script.py");
  std::ofstream(scriptFile) << script;
  std::string command = "cd '" + dir.Path() + "' && /usr/bin/python3 peer_script.py 2>peer_err.txt";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) throw std::runtime_error("popen failed");
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  if (pclose(pipe) != 0) {
    std::ifstream err(dir.File("peer_err.txt"));
    throw std::runtime_error("python failed: " +
                             std::string(std::istreambuf_iterator<char>(err), {}));
  }
  return out;
}

bool LibreOfficeAvailable() { return access("/usr/bin/soffice", X_OK) == 0; }

std::string ConvertWithLibreOffice(const TScratchDir& dir, const std::string& inFile,
                                   const std::string& toFormat) {
  const std::filesystem::path in(inFile);
  const std::string toExtension = toFormat.substr(0, toFormat.find(':'));
  const std::string outDir = dir.File("lo_out");
  const std::string outFile = outDir + "/" + in.stem().string() + "." + toExtension;
  // A private profile per call: two soffice processes sharing one profile wait on each other's
  // lock.
  const std::string command = "HOME='" + dir.Path() +
                              "' /usr/bin/soffice -env:UserInstallation=file://" + dir.Path() +
                              "/lo_profile --headless --norestore --convert-to '" + toFormat +
                              "' --outdir '" + outDir + "' '" + inFile + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) throw std::runtime_error("popen failed");
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  pclose(pipe);
  if (!std::filesystem::exists(outFile))
    throw std::runtime_error("LibreOffice did not convert " + inFile + ": " + out);
  return outFile;
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(fileName, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace test_support
