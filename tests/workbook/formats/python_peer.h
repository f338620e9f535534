#pragma once
// Runs Debian's Python (the independent peer the tests check our readers and writers against) on
// a script, with a scratch folder for the files they exchange.
#include <cstdint>
#include <string>
#include <vector>

namespace test_support {

class TScratchDir {
 public:
  TScratchDir();
  ~TScratchDir();
  TScratchDir(const TScratchDir&) = delete;
  TScratchDir& operator=(const TScratchDir&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Whether /usr/bin/python3 is there to act as a peer.
bool PythonAvailable();

// Runs Script with /usr/bin/python3 in Dir (the script's working folder); returns its standard
// output. A failing script fails the calling test through an exception carrying its stderr.
std::string RunPython(const TScratchDir& dir, const std::string& script);

// Whether LibreOffice (soffice) is installed to act as a peer.
bool LibreOfficeAvailable();

// Converts InFile (a path inside Dir) with LibreOffice headless into ToFormat, an extension with
// an optional filter after a colon ("xlsx", "csv:Text - txt - csv (StarCalc):44,34,76"); returns
// the converted file's path inside Dir. Each call uses a profile folder of its own inside Dir, so
// tests may run LibreOffice side by side. A failed conversion throws with LibreOffice's output.
std::string ConvertWithLibreOffice(const TScratchDir& dir, const std::string& inFile,
                                   const std::string& toFormat);

std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName);
void WriteFileBytes(const std::string& fileName, const std::vector<std::uint8_t>& bytes);

}  // namespace test_support
