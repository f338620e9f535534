#include "workbook/formats/python_peer.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace test_support {

namespace {

std::string ReadText(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs /usr/bin/python3 on ScriptFile with Args in Dir; throws with the script's stderr when it
// fails.
std::string RunPythonFile(const TScratchDir& dir, const std::string& scriptFile,
                          const std::vector<std::string>& args) {
  std::string command =
      "cd " + ShellQuoted(dir.Path()) + " && /usr/bin/python3 " + ShellQuoted(scriptFile);
  for (const std::string& arg : args) command += " " + ShellQuoted(arg);
  TCommandResult result = RunCommand(command + " 2>peer_err.txt");
  if (result.Status != 0)
    throw std::runtime_error("python failed: " + scriptFile + ": " +
                             ReadText(dir.File("peer_err.txt")));
  return std::move(result.Output);
}

}  // namespace

TScratchDir::TScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "wbtestXXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TScratchDir::~TScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

TCommandResult RunCommand(const std::string& command) {
  TCommandResult result;
  FILE* pipe = popen(("(" + command + ") 2>/dev/null").c_str(), "r");
  if (!pipe) return result;
  char buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    result.Output.append(buffer, n);
  const int status = pclose(pipe);
  result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

bool PythonAvailable() { return access("/usr/bin/python3", X_OK) == 0; }

bool PythonHasModules(const std::string& modules) {
  return PythonAvailable() &&
         RunCommand("/usr/bin/python3 -c " + ShellQuoted("import " + modules)).Status == 0;
}

std::string RunPython(const TScratchDir& dir, const std::string& script,
                      const std::vector<std::string>& args) {
  std::ofstream(dir.File("peer_script.py"), std::ios::binary) << script;
  return RunPythonFile(dir, "peer_script.py", args);
}

std::string RunPython(const std::string& script, const std::string& input) {
  TScratchDir dir;
  std::ofstream(dir.File("peer_input"), std::ios::binary) << input;
  return RunPython(dir, script, {dir.File("peer_input")});
}

std::string RunPeer(const std::string& script, const std::vector<std::string>& args) {
  TScratchDir dir;
  return RunPythonFile(dir, std::string(SOURCE_DIR) + "/tests/" + script, args);
}

std::map<std::string, std::string> OutputPerFile(const std::string& output) {
  std::map<std::string, std::string> parts;
  std::string* current = nullptr;
  for (const std::string& line : SplitLines(output)) {
    if (line.rfind("# file ", 0) == 0)
      current = &parts[line.substr(7)];
    else if (current)
      *current += line + "\n";
  }
  return parts;
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
  const std::string command =
      "HOME=" + ShellQuoted(dir.Path()) + " /usr/bin/soffice -env:UserInstallation=file://" +
      dir.Path() + "/lo_profile --headless --norestore --convert-to " + ShellQuoted(toFormat) +
      " --outdir " + ShellQuoted(outDir) + " " + ShellQuoted(inFile) + " 2>&1";
  const TCommandResult result = RunCommand(command);
  if (!std::filesystem::exists(outFile))
    throw std::runtime_error("LibreOffice did not convert " + inFile + ": " + result.Output);
  return outFile;
}

std::string RunLibreOfficeMacro(const TScratchDir& dir, const std::string& module,
                                const std::string& sub, const std::vector<std::string>& args) {
  const std::string profile = dir.File("lo_macro_profile");
  const std::string soffice = "HOME=" + ShellQuoted(dir.Path()) +
                              " /usr/bin/soffice -env:UserInstallation=file://" + profile +
                              " --headless --norestore ";
  // A new profile gets the standard Basic library at its first start, over anything put there
  // before; the module takes Module1's place after that.
  RunCommand(soffice + "--terminate_after_init");
  const std::string moduleFile = profile + "/user/basic/Standard/Module1.xba";
  if (!std::filesystem::exists(moduleFile))
    throw std::runtime_error("LibreOffice made no Basic library in " + profile);
  std::filesystem::copy_file(std::string(SOURCE_DIR) + "/tests/" + module, moduleFile,
                             std::filesystem::copy_options::overwrite_existing);
  const std::string answer = dir.File("macro_answer.txt");
  std::string call = "macro:///Standard.Module1." + sub + "(";
  for (const std::string& arg : args) call += "\"" + arg + "\",";
  call += "\"" + answer + "\")";
  const TCommandResult result = RunCommand(soffice + ShellQuoted(call) + " 2>&1");
  if (!std::filesystem::exists(answer))
    throw std::runtime_error("LibreOffice did not run " + sub + ": " + result.Output);
  return ReadText(answer);
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

}  // namespace test_support
