// Our ODS reader against an independent one: every .ods of the shared corpus dumped by wbdump and
// by peers/ods_dump.py (Python's zipfile and ElementTree alone).
#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

#include "../../model/model_fixture.h"
#include "../python_peer.h"
#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/library_start.h"

namespace workbook {
namespace {

namespace fs = std::filesystem;

const std::string kDump = "workbook/formats/ods/peers/ods_dump.py";
const std::string kWbdump = BINARY_DIR "/tools/wbdump";

std::vector<fs::path> CorpusSpreadsheets() {
  std::vector<fs::path> files;
  const fs::path corpus = fs::path(SHARED_DIR) / "corpus";
  if (!fs::exists(corpus)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(corpus))
    if (entry.is_regular_file() && entry.path().extension() == ".ods")
      files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

class ODSCorpusTest : public ModelTest {};

// Both readers refuse the same files (the password-protected one, the one whose repeats reach past
// the sheet); ours with the invalid-file message.
TEST_F(ODSCorpusTest, ValueTextsMatchAnIndependentReader) {
  const std::vector<fs::path> files = CorpusSpreadsheets();
  if (files.empty()) GTEST_SKIP() << "the shared corpus is absent: " << SHARED_DIR;
  if (!test_support::PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
  if (access(kWbdump.c_str(), X_OK) != 0) GTEST_SKIP() << "wbdump is not built: " << kWbdump;
  StartWorkbookLibrary();
  std::vector<std::string> paths;
  for (const fs::path& file : files) paths.push_back(file.string());
  const std::map<std::string, std::string> oracles =
      test_support::OutputPerFile(test_support::RunPeer(kDump, paths));
  int compared = 0, refused = 0;
  for (const std::string& path : paths) {
    const std::string& oracle = oracles.at(path);
    if (oracle == test_support::kUnreadable) {
      TWorkbook book;
      book.ShowProgress = false;
      try {
        book.LoadFromFile(platform::Utf8ToUtf16(path));
        ADD_FAILURE() << path << " loaded";
      } catch (const EWorkbookFileException& error) {
        EXPECT_EQ(error.Message(), WorkbookLng_InvalidODS) << path;
        ++refused;
      }
      continue;
    }
    const auto [ours, ourStatus] =
        test_support::RunCommand(kWbdump + " " + test_support::ShellQuoted(path));
    EXPECT_EQ(ourStatus, 0) << path;
    EXPECT_EQ(ours, oracle) << path;
    ++compared;
  }
  EXPECT_GT(compared, 15);
  EXPECT_EQ(refused, 2);
}

}  // namespace
}  // namespace workbook
