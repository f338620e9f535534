// The csv-spectrum files read by "CSV comma-separated text" against the rows their json files
// expect (the header line and then each object's values in key order).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/text_codec.h"
#include "workbook/formats/python_peer.h"
#include "workbook/formats/text/text_exporter.h"
#include "workbook/formats/text/text_test_support.h"

namespace workbook {
namespace {

namespace fs = std::filesystem;
using test_support::PythonAvailable;
using test_support::ReadFileBytes;

const fs::path kCorpus = fs::path(SHARED_DIR) / "corpus" / "csv-spectrum";

// Hex lines as printed by the script below, back to texts.
TSheetTexts FromHexLines(const std::string& lines) {
  TSheetTexts rows;
  std::size_t start = 0;
  for (std::size_t end; (end = lines.find('\n', start)) != std::string::npos; start = end + 1) {
    rows.emplace_back();
    std::string bytes;
    for (std::size_t i = start; i <= end; ++i) {
      if (i == end || lines[i] == '|') {
        rows.back().push_back(platform::Utf8ToUtf16(bytes));
        bytes.clear();
      } else {
        bytes.push_back(static_cast<char>(std::stoi(lines.substr(i, 2), nullptr, 16)));
        ++i;
      }
    }
  }
  return rows;
}

// Cells keep their line breaks as CR LF, and a row's trailing empty cells are dropped.
TSheetTexts AsTheModelKeepsThem(TSheetTexts rows) {
  for (auto& row : rows) {
    for (auto& text : row) {
      std::u16string out;
      for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
          out += u"\r\n";
          if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
          out.push_back(text[i]);
        }
      }
      text = out;
    }
    while (!row.empty() && row.back().empty()) row.pop_back();
  }
  return rows;
}

class CsvSpectrumCorpus : public TextFormatsTest {};

TEST_F(CsvSpectrumCorpus, EveryFileGivesTheExpectedRows) {
  if (!fs::is_directory(kCorpus / "csvs"))
    GTEST_SKIP() << "the csv-spectrum corpus is not at " << kCorpus;
  if (!PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is needed to read the json files";
  std::vector<std::string> jsons;
  for (const fs::directory_entry& entry : fs::directory_iterator(kCorpus / "csvs")) {
    const fs::path json = kCorpus / "json" / entry.path().filename().replace_extension(".json");
    if (fs::exists(json)) jsons.push_back(json.string());
  }
  ASSERT_FALSE(jsons.empty());
  for (const auto& [json, expected] : test_support::OutputPerFile(
           test_support::RunPeer("workbook/formats/text/peers/csv_spectrum_json.py", jsons))) {
    const fs::path csv = kCorpus / "csvs" / fs::path(json).filename().replace_extension(".csv");
    SCOPED_TRACE(csv.filename().string());
    const std::vector<std::uint8_t> bytes = ReadFileBytes(csv.string());
    TExporterCSVComma comma;
    EXPECT_EQ(Import(comma, std::string(bytes.begin(), bytes.end())),
              AsTheModelKeepsThem(FromHexLines(expected)));
  }
}

}  // namespace
}  // namespace workbook
