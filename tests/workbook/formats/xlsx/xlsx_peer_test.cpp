// Our XLSX reader against openpyxl: workbooks written by openpyxl (patched as spreadsheet
// programs write them) and the shared corpus, dumped by wbdump and by peers/openpyxl_dump.py.
#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "../python_peer.h"
#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/library_start.h"
#include "xlsx_test_support.h"

namespace workbook {
namespace {

namespace fs = std::filesystem;

const std::string kWbdump = BINARY_DIR "/tools/wbdump";

// What both dumps may differ in without a reader being wrong: line breaks (shared strings keep
// CR LF), empty cells and rows at the end (a row element without cells, cells openpyxl makes for
// links and comments).
std::string Normalized(const std::string& dump) {
  std::string text = dump;
  for (std::size_t at; (at = text.find("\\r\\n")) != std::string::npos;) text.replace(at, 4, "\\n");
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    while (!line.empty() && line.back() == '\t') line.pop_back();
    if (line.rfind("# sheet ", 0) == 0)
      while (!lines.empty() && lines.back().empty()) lines.pop_back();
    lines.push_back(line);
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  std::string result;
  for (const std::string& line : lines) result += line + "\n";
  return result;
}

class XLSXPeerTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    if (!test_support::PythonHasModules("openpyxl"))
      GTEST_SKIP() << "/usr/bin/python3 with openpyxl is not installed";
    if (access(kWbdump.c_str(), X_OK) != 0) GTEST_SKIP() << "wbdump is not built: " << kWbdump;
  }
};

std::vector<fs::path> CorpusWorkbooks() {
  std::vector<fs::path> files;
  const fs::path corpus = fs::path(SHARED_DIR) / "corpus";
  if (!fs::exists(corpus)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(corpus)) {
    const std::string ext = entry.path().extension().string();
    if (entry.is_regular_file() && (ext == ".xlsx" || ext == ".xlsm"))
      files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Workbooks openpyxl writes here and the corpus's workbooks. Those openpyxl cannot read (or finds
// no worksheets in: packages of the strict namespaces) load here or fail as an invalid (or an
// encrypted) file.
TEST_F(XLSXPeerTest, WorkbooksReadAsOpenpyxlReadsThem) {
  test_support::TScratchDir dir;
  std::ifstream generator(SOURCE_DIR "/tests/workbook/formats/xlsx/peers/make_oracle_workbooks.py");
  const std::string script{std::istreambuf_iterator<char>(generator), {}};
  std::vector<std::string> paths, unread;
  for (const std::string& name : test_support::SplitLines(test_support::RunPython(dir, script)))
    paths.push_back(dir.File(name));
  for (const fs::path& file : CorpusWorkbooks())
    (file.filename() == "strict_iso_paths.xlsx" ? unread : paths).push_back(file.string());
  const std::map<std::string, std::string> oracles = test_support::OutputPerFile(
      test_support::RunPeer("workbook/formats/xlsx/peers/openpyxl_dump.py", paths));
  int compared = 0;
  for (const std::string& path : paths) {
    const std::string& oracle = oracles.at(path);
    if (oracle == test_support::kUnreadable) {
      unread.push_back(path);
      continue;
    }
    const test_support::TCommandResult ours =
        test_support::RunCommand(kWbdump + " " + test_support::ShellQuoted(path));
    ASSERT_EQ(ours.Status, 0) << path;
    EXPECT_EQ(Normalized(ours.Output), Normalized(oracle)) << path;
    ++compared;
  }
  EXPECT_GE(compared, 2);
  StartWorkbookLibrary();
  for (const std::string& path : unread) {
    TWorkbook book;
    book.ShowProgress = false;
    try {
      book.LoadFromFile(platform::Utf8ToUtf16(path));
      for (int s = 0; s < book.WorkSheets.Count(); ++s) {
        TExportWorkSheet* sheet = book.WorkSheets.GetItem(s);
        for (int r = 0; r < sheet->Rows.Count(); ++r)
          if (TExportRow* row = sheet->Rows.PeekItem(r))
            for (int c = 0; c < row->Cells.Count(); ++c)
              if (TExportCell* cell = row->Cells.PeekItem(c)) cell->GetValueText();
      }
    } catch (const EWorkbookFileException& error) {
      // The corpus's package protected by a password to open is told apart.
      if (fs::path(path).filename() == "pass_protected.xlsx")
        EXPECT_EQ(error.Message(), WorkbookLng_EncryptedFile);
      else
        EXPECT_EQ(error.Message().rfind(WorkbookLng_InvalidXLSX, 0), 0u) << path;
    } catch (const std::exception& error) {
      ADD_FAILURE() << path << ": " << error.what();
    }
  }
}

}  // namespace
}  // namespace workbook
