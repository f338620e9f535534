// The reader against Python's csv module on long generated files: quoted separators, doubled
// quotes, CR LF inside quotes, empty fields, letters beyond ASCII in UTF-8 and Windows-1250,
// CR, LF and CR LF line ends, a byte-order mark and a last line without a line end, placed all
// over the reader's buffer boundaries.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <random>
#include <string>

#include "platform/format_settings.h"
#include "platform/text_codec.h"
#include "workbook/formats/python_peer.h"
#include "workbook/formats/text/text_exporter.h"
#include "workbook/formats/text/text_test_support.h"

namespace workbook {
namespace {

using test_support::PythonAvailable;
using test_support::TScratchDir;
using test_support::WriteFileBytes;

struct TPeerCase {
  const char* name;
  std::function<std::unique_ptr<TExporterText>()> make;
  const char* pythonEncoding;
  bool mark;  // the file starts with UTF-8's byte-order mark
};

void PrintTo(const TPeerCase& c, std::ostream* out) { *out << c.name; }

const TPeerCase kCases[] = {
    {"utf8_with_mark", [] { return std::make_unique<TExporterCSVComma>(); }, "utf-8-sig", true},
    {"utf8", [] { return std::make_unique<TExporterCSVSemicolon>(); }, "utf-8-sig", false},
    {"windows1250",
     [] {
       platform::FormatSettings().ListSeparator = u';';
       return std::make_unique<TExporterCSVExcel>();
     },
     "cp1250", false},
};

// Rows of fields as written, in UTF-16; the kinds of fields on which both readers agree (no
// blanks around unquoted fields, no empty field last in a row, only CR LF inside quotes).
std::u16string GeneratedText(char16_t separator) {
  std::minstd_rand random(26);
  auto pick = [&](unsigned n) { return static_cast<unsigned>(random() % n); };
  const std::u16string letters = u"abcxyz019\u010D\u0161\u017E\u00E1\u00F4\u013E\u0165\u010F";
  auto word = [&](unsigned length) {
    std::u16string text;
    for (unsigned i = 0; i < length; ++i) text += letters[pick(letters.size())];
    return text;
  };
  const std::u16string lineEnds[] = {u"\r\n", u"\n", u"\r"};
  std::u16string text;
  for (int row = 0; row < 6000; ++row) {
    const unsigned fields = 1 + pick(8);
    for (unsigned f = 0; f < fields; ++f) {
      if (f > 0) text += separator;
      const unsigned kind = f + 1 == fields ? pick(2) : pick(8);
      switch (kind) {
        case 0:
          text += word(1 + pick(12));
          break;
        case 1:
          text += word(40 + pick(300));
          break;
        case 2:
          text += u"\"" + word(1 + pick(5)) + separator + word(pick(5)) + u"\"";
          break;
        case 3:
          text += u"\"say \"\"" + word(pick(6)) + u"\"\"\"";
          break;
        case 4:
          text += u"\"" + word(pick(6)) + u"\r\n" + word(pick(6)) + u"\"";
          break;
        case 5:
          text += u"\"\"";
          break;
        case 6:
          break;  // an empty field
        case 7:
          text += u"\"  " + word(1 + pick(4)) + u" \"";
          break;
      }
    }
    if (row + 1 < 6000) text += lineEnds[pick(3)];
  }
  return text;
}

class ReaderPeer : public TextFormatsTest, public ::testing::WithParamInterface<TPeerCase> {};

TEST_P(ReaderPeer, CellsAreThoseOfPythonsCsvModule) {
  if (!PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
  std::unique_ptr<TExporterText> reader = GetParam().make();
  const std::u16string text = GeneratedText(reader->Separator);
  std::string bytes = GetParam().mark ? "\xEF\xBB\xBF" : "";
  bytes += GetParam().pythonEncoding == std::string("cp1250") ? platform::Utf16ToCp1250(text)
                                                              : platform::Utf16ToUtf8(text);
  TScratchDir dir;
  WriteFileBytes(dir.File("in.csv"), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  const std::string expected =
      test_support::RunPeer("workbook/formats/text/peers/csv_rows.py",
                            {dir.File("in.csv"), GetParam().pythonEncoding,
                             platform::Utf16ToUtf8(std::u16string(1, reader->Separator))});
  const std::string read = HexLines(Import(*reader, bytes));
  ASSERT_EQ(std::count(read.begin(), read.end(), '\n'), 6000);
  EXPECT_TRUE(read == expected)
      << "the first difference at byte "
      << std::mismatch(read.begin(), read.end(), expected.begin(), expected.end()).first -
             read.begin();
}

// Texts repeated down the columns (one, a few, hundreds or thousands of each column in any
// order, or none), in more columns than are kept, around the longest length kept, quoted with
// separators and letters beyond ASCII inside: the cells are those Python's csv module reads.
TEST_F(TextFormatsTest, RepeatedTextsAreThoseOfPythonsCsvModule) {
  if (!PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
  constexpr int kRows = 3000;
  constexpr int kColumns = 70;
  const int distinct[] = {1, 3, 300, 2000, 0};  // 0: every field its own
  std::minstd_rand random(9);
  std::u16string text;
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      const int d = distinct[c % 5];
      const std::string n = std::to_string(d ? random() % d : r * kColumns + c);
      const std::u16string number(n.begin(), n.end());
      const std::size_t length = 28 + c % 7;  // 28 to 34 characters
      const std::u16string value = u"P" + number + u"," + std::u16string(length - 2, u'\u017E');
      text += (c ? u"," : u"") + (u"\"" + value.substr(0, length) + u"\"");
    }
    text += u"\r\n";
  }
  const std::string bytes = platform::Utf16ToUtf8(text);
  TScratchDir dir;
  WriteFileBytes(dir.File("in.csv"), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  const std::string expected = test_support::RunPeer("workbook/formats/text/peers/csv_rows.py",
                                                     {dir.File("in.csv"), "utf-8", ","});
  TExporterCSVComma comma;
  const std::string read = HexLines(Import(comma, bytes));
  ASSERT_EQ(std::count(read.begin(), read.end(), '\n'), kRows);
  EXPECT_TRUE(read == expected)
      << "the first difference at byte "
      << std::mismatch(read.begin(), read.end(), expected.begin(), expected.end()).first -
             read.begin();
}

INSTANTIATE_TEST_SUITE_P(TExporterText, ReaderPeer, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace workbook
