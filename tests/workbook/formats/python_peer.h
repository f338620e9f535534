#pragma once
// The one way tests run the independent peers (Debian's Python with xlrd, xlwt, openpyxl, odf;
// LibreOffice headless) and other programs, with a scratch folder for the files they exchange.
#include <cstdint>
#include <map>
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

// Text quoted for the shell.
std::string ShellQuoted(const std::string& text);

// Standard output and exit status of a shell command; its standard error is dropped.
struct TCommandResult {
  std::string Output;
  int Status = -1;
};
TCommandResult RunCommand(const std::string& command);

// Whether /usr/bin/python3 is there to act as a peer.
bool PythonAvailable();
// Whether /usr/bin/python3 imports every module named ("xlrd" or "openpyxl, PIL").
bool PythonHasModules(const std::string& modules);

// Runs Script with /usr/bin/python3 in Dir (the script's working folder) with Args; returns its
// standard output. A failing script fails the calling test through an exception carrying its
// stderr.
std::string RunPython(const TScratchDir& dir, const std::string& script,
                      const std::vector<std::string>& args = {});
// Runs Script with Input written to a file whose path is sys.argv[1].
std::string RunPython(const std::string& script, const std::string& input);
// Runs a peer script kept in the source tree (a path below the tests folder, such as
// "workbook/formats/xls/peers/cells_xlrd.py") with Args; fails as RunPython does.
std::string RunPeer(const std::string& script, const std::vector<std::string>& args);

// Splits the output of a peer that read many files in one run: each file's part starts with a
// line "# file PATH"; the result maps each path to the lines after it. A file the peer cannot
// read has the part kUnreadable.
std::map<std::string, std::string> OutputPerFile(const std::string& output);
inline const std::string kUnreadable = "# unreadable\n";

// Whether LibreOffice (soffice) is installed to act as a peer.
bool LibreOfficeAvailable();

// Converts InFile (a path inside Dir) with LibreOffice headless into ToFormat, an extension with
// an optional filter after a colon ("xlsx", "csv:Text - txt - csv (StarCalc):44,34,76"); returns
// the converted file's path inside Dir. Each call uses a profile folder of its own inside Dir, so
// tests may run LibreOffice side by side. A failed conversion throws with LibreOffice's output.
std::string ConvertWithLibreOffice(const TScratchDir& dir, const std::string& inFile,
                                   const std::string& toFormat);

// Runs the StarBasic procedure Sub of Module, a module kept in the source tree as LibreOffice
// stores one (an .xba file below the tests folder, whose module is named Module1), with
// LibreOffice headless. Sub takes Args (texts) and then the path of a file for its answer, which
// is returned. Each call uses a profile folder of its own inside Dir; a macro that writes no
// answer throws.
std::string RunLibreOfficeMacro(const TScratchDir& dir, const std::string& module,
                                const std::string& sub, const std::vector<std::string>& args);

std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName);
void WriteFileBytes(const std::string& fileName, const std::vector<std::uint8_t>& bytes);

std::vector<std::string> SplitLines(const std::string& text);
std::vector<std::string> SplitTabs(const std::string& line);

}  // namespace test_support
