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
#include "../xlsx/xlsx_test_support.h"
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

// The message of our refusal of a file the oracle cannot read, by the oracle's reason.
std::u16string RefusalFor(const std::string& oracle) {
  if (oracle == "# unreadable: encrypted\n") return WorkbookLng_EncryptedFile;
  if (oracle == "# unreadable: too large\n")
    return FormatLibraryText(WorkbookLng_TooManyCells, u"16000000");
  return WorkbookLng_InvalidODS;
}

// Both readers refuse the same files, for the same reason: the password-protected one, and the one
// whose one cell, repeated to the sheet's last row and column, makes 17 billion cells.
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
    if (oracle.rfind(test_support::kUnreadable.substr(0, 12), 0) == 0) {
      TWorkbook book;
      book.ShowProgress = false;
      try {
        book.LoadFromFile(platform::Utf8ToUtf16(path));
        ADD_FAILURE() << path << " loaded";
      } catch (const EWorkbookFileException& error) {
        EXPECT_EQ(error.Message(), RefusalFor(oracle)) << path;
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

// Small valid files whose repeats make many rows or run past the sheet's last row and column: ours
// reads what the oracle reads (which stops content at the last row and column, as LibreOffice
// does), not a refusal.
TEST_F(ODSCorpusTest, LongRepeatsReadAsAnIndependentReaderReadsThem) {
  if (!test_support::PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
  if (access(kWbdump.c_str(), X_OK) != 0) GTEST_SKIP() << "wbdump is not built: " << kWbdump;
  const auto row = [](int repeat, const std::string& cells) {
    return "<table:table-row table:number-rows-repeated=\"" + std::to_string(repeat) + "\">" +
           cells + "</table:table-row>";
  };
  const auto cell = [](const std::string& attributes, int repeat = 1) {
    return "<table:table-cell " + attributes + " table:number-columns-repeated=\"" +
           std::to_string(repeat) + "\"/>";
  };
  const std::string number = "office:value-type=\"float\" office:value=\"2\"";
  const std::string content = cell(number) +
                              "<table:table-cell office:value-type=\"string\"><text:p>t</text:p>"
                              "</table:table-cell>" +
                              cell(number + " table:formula=\"of:=[.A1]*1\"");
  const std::pair<std::string, std::string> kFiles[] = {
      {"one row repeated 300,000 times", row(300'000, content) + row(748'576, cell(""))},
      {"repeats past the last row and column",
       row(1, content + cell("", 16'379) + cell(number, 4)) + row(1'048'572, cell("")) +
           row(5, content)},
  };
  test_support::TScratchDir dir;
  std::vector<std::string> paths;
  for (const auto& [name, rows] : kFiles) {
    paths.push_back(dir.File(std::to_string(paths.size()) + ".ods"));
    const TXLSXParts parts{{{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                            {"META-INF/manifest.xml",
                             "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:"
                             "opendocument:xmlns:manifest:1.0\"><manifest:file-entry "
                             "manifest:full-path=\"content.xml\"/></manifest:manifest>"},
                            {"content.xml",
                             "<office:document-content "
                             "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                             "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                             "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\">"
                             "<office:body><office:spreadsheet><table:table table:name=\"S\">" +
                                 rows +
                                 "</table:table></office:spreadsheet></office:body>"
                                 "</office:document-content>"}}};
    test_support::WriteFileBytes(paths.back(), parts.Zip().Data());
  }
  const std::map<std::string, std::string> oracles =
      test_support::OutputPerFile(test_support::RunPeer(kDump, paths));
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::string& oracle = oracles.at(paths[i]);
    ASSERT_EQ(oracle.find("# unreadable"), std::string::npos) << kFiles[i].first;
    const auto [ours, status] =
        test_support::RunCommand(kWbdump + " " + test_support::ShellQuoted(paths[i]));
    EXPECT_EQ(status, 0) << kFiles[i].first;
    EXPECT_TRUE(ours == oracle) << kFiles[i].first << ": " << ours.size() << " bytes against "
                                << oracle.size();
  }
}

}  // namespace
}  // namespace workbook
