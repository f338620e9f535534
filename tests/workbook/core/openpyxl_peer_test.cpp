// Number-format classification, reference parsing and shared-formula offsets against
// python3-openpyxl, on every format code, cell reference and formula of the shared corpus's XLSX
// files (and openpyxl's built-in format table).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/text_codec.h"
#include "workbook/core/cell_refs.h"
#include "workbook/core/formula_text.h"
#include "workbook/core/number_format_code.h"
#include "workbook/formats/python_peer.h"

namespace workbook {
namespace {

std::u16string FromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return platform::Utf8ToUtf16(bytes);
}

class OpenpyxlPeerTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string corpus = std::string(SHARED_DIR) + "/corpus";
    if (!std::filesystem::is_directory(corpus)) {
      skipReason_ = "shared corpus not found at " + corpus;
      return;
    }
    if (!test_support::PythonAvailable() || !test_support::PythonHasModules("openpyxl")) {
      skipReason_ = "/usr/bin/python3 with openpyxl is not installed";
      return;
    }
    const std::string output =
        test_support::RunPeer("workbook/core/peers/formula_refs_openpyxl.py", {corpus});
    for (const std::string& line : test_support::SplitLines(output))
      lines_.push_back(test_support::SplitTabs(line));
  }

  void SetUp() override {
    if (!skipReason_.empty()) GTEST_SKIP() << skipReason_;
  }

  static std::vector<std::vector<std::string>> Lines(const std::string& kind) {
    std::vector<std::vector<std::string>> result;
    for (const auto& fields : lines_)
      if (!fields.empty() && fields[0] == kind) result.push_back(fields);
    return result;
  }

  static inline std::string skipReason_;
  static inline std::vector<std::vector<std::string>> lines_;
};

TEST_F(OpenpyxlPeerTest, DateFormatsAgree) {
  const auto lines = Lines("fmt");
  ASSERT_GT(lines.size(), 40u);
  for (const auto& f : lines) {
    ASSERT_EQ(f.size(), 3u);
    const std::u16string code = FromHex(f[1]);
    TNumberFormatRec rec;
    const bool isDate = ParseNumberFormat(code, rec) == TNumberFormatClass::DateTime;
    EXPECT_EQ(isDate, f[2] == "1") << platform::Utf16ToUtf8(code);
  }
}

TEST_F(OpenpyxlPeerTest, ReferencesAgree) {
  const auto lines = Lines("ref");
  ASSERT_GT(lines.size(), 1000u);
  for (const auto& f : lines) {
    ASSERT_EQ(f.size(), 3u);
    const std::u16string text = platform::Utf8ToUtf16(f[1]);
    // Corners counted from 1, -1 for a whole row's column or a whole column's row.
    int c1 = -2, r1 = -2, c2 = -2, r2 = -2;
    const bool single = f[1].find(':') == std::string::npos;
    const bool ok = single ? ParseCellRefColRow(text, c1, r1)
                           : ParseCellRangeRefColRow(text, c1, r1, c2, r2, true) ||
                                 ParseColRangeRef(text, c1, c2) || ParseRowRangeRef(text, r1, r2);
    if (single) c2 = c1, r2 = r1;
    const std::string ours = ok ? std::to_string(c1 + 1) + " " + std::to_string(r1 + 1) + " " +
                                      std::to_string(c2 + 1) + " " + std::to_string(r2 + 1)
                                : "error";
    EXPECT_EQ(ours, f[2]) << f[1];
  }
}

TEST_F(OpenpyxlPeerTest, SharedFormulaOffsetsAgree) {
  const auto lines = Lines("f");
  ASSERT_GT(lines.size(), 50u);
  for (const auto& f : lines) {
    ASSERT_EQ(f.size(), 5u);
    if (f[4] == "error") continue;
    const std::u16string formula = FromHex(f[1]);
    EXPECT_EQ(platform::Utf16ToUtf8(OffsetFormulaRefs(formula, std::stoi(f[2]), std::stoi(f[3]))),
              platform::Utf16ToUtf8(FromHex(f[4])))
        << platform::Utf16ToUtf8(formula) << " by " << f[2] << "," << f[3];
  }
}

}  // namespace
}  // namespace workbook
