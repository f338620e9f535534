#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "workbook/core/exceptions.h"
#include "workbook/core/stream.h"
#include "workbook/formats/python_peer.h"
#include "workbook/model/font_list.h"
#include "workbook/model/style_test_support.h"

namespace workbook {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Hands out indexes 8, 9, ... in the order colours are asked for, and knows index 10 as blue.
struct FakePalette {
  std::vector<TColor> asked;
  std::uint8_t GetColorIndex(TColor color) {
    asked.push_back(color);
    return static_cast<std::uint8_t>(7 + asked.size());
  }
  TColor GetColor(int index) const { return index == 10 ? 0xFF0000 : clNone; }
};

TExportFont MakeFont(const char16_t* name, int size, TExportFontStyle style) {
  TExportFont font;
  font.SetName(name);
  font.SetSize(size);
  font.GetStyle() = style;
  return font;
}

struct FontBytesCase {
  const char* label;
  TExportFontStyle style;
  Bytes expected;  // offsets 0 to 13, before the name
};

class FontRecordData : public ::testing::TestWithParam<FontBytesCase> {};

// Expected bytes come from the record table: height, flags, colour index, weight, escapement,
// underline byte, three zeros.
TEST_P(FontRecordData, FixedPartFollowsTheRecordTable) {
  const TExportFont font = MakeFont(u"Arial", 10, GetParam().style);
  Bytes data = font.WriteXLS(0x0A);
  ASSERT_EQ(data.size(), 16u + 2 * 5);
  EXPECT_EQ(Bytes(data.begin(), data.begin() + 14), GetParam().expected);
  EXPECT_EQ(Bytes(data.begin() + 14, data.end()),
            (Bytes{5, 1, 'A', 0, 'r', 0, 'i', 0, 'a', 0, 'l', 0}));
}

INSTANTIATE_TEST_SUITE_P(
    Styles, FontRecordData,
    ::testing::Values(
        FontBytesCase{"unset", {}, {0xC8, 0, 0, 0, 0x0A, 0, 0x90, 1, 0, 0, 0, 0, 0, 0}},
        FontBytesCase{"off", {2, 5, 2, 2, 3}, {0xC8, 0, 0, 0, 0x0A, 0, 0x90, 1, 0, 0, 0, 0, 0, 0}},
        FontBytesCase{"all on, single accounting, subscript",
                      {1, 3, 1, 1, 2},
                      {0xC8, 0, 0x0F, 0, 0x0A, 0, 0xBC, 2, 2, 0, 0x21, 0, 0, 0}},
        FontBytesCase{"double, superscript",
                      {0, 2, 0, 0, 1},
                      {0xC8, 0, 0x04, 0, 0x0A, 0, 0x90, 1, 1, 0, 2, 0, 0, 0}},
        FontBytesCase{"double accounting",
                      {0, 4, 0, 0, 0},
                      {0xC8, 0, 0x04, 0, 0x0A, 0, 0x90, 1, 0, 0, 0x22, 0, 0, 0}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(FontRecord, LongNamesAreCutTo255CharactersAndSizeIsClamped) {
  TExportFont font = MakeFont(u"", 4000, {});
  font.SetName(std::u16string(300, u'x'));
  const Bytes data = font.WriteXLS(0);
  ASSERT_EQ(data.size(), 16u + 2 * 255);
  EXPECT_EQ(data[0], 0xFF);
  EXPECT_EQ(data[1], 0xFF);
  EXPECT_EQ(data[14], 255);
  font.SetSize(-1);
  EXPECT_EQ(font.WriteXLS(0)[0], 0);
}

TEST(FontRecord, ReadMapsBytesBack) {
  // 11 pt, italic, strike-out, weight 400, superscript, double accounting, 8-bit name "Cour".
  const Bytes data{0xDC, 0, 0x0A, 0, 0x0C, 0, 0x90, 1,   1,   0,
                   0x22, 0, 0,    0, 4,    0, 'C',  'o', 'u', 'r'};
  TExportFont font;
  EXPECT_EQ(font.ReadXLS(data), 0x0C);
  EXPECT_EQ(font.GetSize(), 11);
  EXPECT_EQ(font.GetName(), u"Cour");
  EXPECT_EQ(test::Narrow(font.GetStyle().GetKeyString()), "2;4;1;1;1");
}

TEST(FontRecord, ReadOfUnknownCodes) {
  // Weight 800 reads as bold, escapement 7 as baseline, underline byte 0x55 as none, 0 as unset.
  Bytes data{0x64, 0, 0, 0, 0, 0, 0x20, 3, 7, 0, 0x55, 0, 0, 0, 1, 1, 0x0C, 0x01};
  TExportFont font;
  font.ReadXLS(data);
  EXPECT_EQ(font.GetSize(), 5);
  EXPECT_EQ(font.GetName(), u"\u010C");
  EXPECT_EQ(test::Narrow(font.GetStyle().GetKeyString()), "1;5;2;3;2");
  data[10] = 0;
  data[8] = 0;
  font.ReadXLS(data);
  EXPECT_EQ(font.GetStyle().Underline, 0);
  EXPECT_EQ(font.GetStyle().VertPosition, 0);
}

TEST(FontRecord, TruncatedDataRaisesAndLeavesTheFont) {
  const Bytes full{0xC8, 0, 0, 0, 0, 0, 0x90, 1, 0, 0, 0, 0, 0, 0, 3, 1, 'A', 0, 'B', 0, 'C', 0};
  for (std::size_t size : {0u, 13u, 15u, 16u, 21u}) {
    TExportFont font = MakeFont(u"Keep", 12, {});
    EXPECT_THROW(font.ReadXLS(std::span(full.data(), size)), EWorkbookFileException) << size;
    EXPECT_EQ(font.GetName(), u"Keep");
    EXPECT_EQ(font.GetSize(), 12);
  }
}

TEST(FontList, WritesEntryZeroFourTimesThenTheRest) {
  TExportFontList fonts;
  fonts.Add(MakeFont(u"B", 12, {}));
  TExportFont red = MakeFont(u"C", 8, {});
  red.SetColor(0x0000FF);
  fonts.Add(red);
  TMemoryStream stream;
  FakePalette palette;
  fonts.WriteXLS(stream, palette);
  EXPECT_EQ(palette.asked, (std::vector<TColor>{clNone, clNone, 0x0000FF}));
  // Header 0x31 length 26, 10 pt, no flags, colour 8, weight 400, no escapement or underline.
  const Bytes arial{0x31, 0, 26, 0, 0xC8, 0,   0, 0,   8, 0,   0x90, 1,   0, 0,   0,
                    0,    0, 0,  5, 1,    'A', 0, 'r', 0, 'i', 0,    'a', 0, 'l', 0};
  const Bytes b{0x31, 0, 18, 0, 0xF0, 0, 0, 0, 9, 0, 0x90, 1, 0, 0, 0, 0, 0, 0, 1, 1, 'B', 0};
  const Bytes c{0x31, 0, 18, 0, 0xA0, 0, 0, 0, 10, 0, 0x90, 1, 0, 0, 0, 0, 0, 0, 1, 1, 'C', 0};
  Bytes expected;
  for (int i = 0; i < 4; ++i) expected.insert(expected.end(), arial.begin(), arial.end());
  expected.insert(expected.end(), b.begin(), b.end());
  expected.insert(expected.end(), c.begin(), c.end());
  EXPECT_EQ(stream.Data(), expected);
}

TEST(FontList, ReadKeepsFileOrderAndResolvesColours) {
  TExportFontList fonts;
  fonts.Clear();
  FakePalette palette;
  const Bytes blue{0xC8, 0, 0, 0, 10, 0, 0x90, 1, 0, 0, 0, 0, 0, 0, 1, 0, 'X'};
  const Bytes automatic{0xC8, 0, 0, 0, 0xFF, 0x7F, 0x90, 1, 0, 0, 0, 0, 0, 0, 1, 0, 'X'};
  EXPECT_EQ(fonts.ReadXLS(blue, palette), 0);
  EXPECT_EQ(fonts.ReadXLS(blue, palette), 1);
  EXPECT_EQ(fonts.ReadXLS(automatic, palette), 2);
  EXPECT_EQ(fonts.GetItem(0)->GetColor(), 0xFF0000);
  EXPECT_EQ(fonts.GetItem(2)->GetColor(), clNone);
}

std::string Hex(const Bytes& data) {
  static const char* digits = "0123456789abcdef";
  std::string text;
  for (std::uint8_t b : data) {
    text += digits[b >> 4];
    text += digits[b & 15];
  }
  return text;
}

// xlrd parses our FONT record data with its own BIFF8 font parser.
TEST(FontRecordPeer, XlrdReadsWhatWeWrite) {
  if (!test_support::PythonHasModules("xlrd")) GTEST_SKIP() << "python3-xlrd is not installed";
  const std::string script = R"(
import sys, xlrd.book, xlrd.formatting
book = xlrd.book.Book()
book.biff_version = 80
book.formatting_info = 1
book.encoding = 'utf_16_le'
book.verbosity = 0
for line in open(sys.argv[1]).read().split():
    xlrd.formatting.handle_font(book, bytes.fromhex(line))
    f = book.font_list[-1]
    print(f.name, f.height, f.italic, f.struck_out, f.weight, f.escapement, f.underline_type,
          f.colour_index)
)";
  std::string input;
  input += Hex(MakeFont(u"Arial", 10, {1, 3, 1, 1, 2}).WriteXLS(12)) + "\n";
  input += Hex(MakeFont(u"Times New Roman", 14, {2, 2, 2, 2, 1}).WriteXLS(8)) + "\n";
  input += Hex(MakeFont(u"\u017Dlt\u00FD", 9, {}).WriteXLS(63)) + "\n";
  EXPECT_EQ(test_support::RunPython(script, input),
            "Arial 200 1 1 700 2 33 12\n"
            "Times New Roman 280 0 0 400 1 2 8\n"
            "\xC5\xBDlt\xC3\xBD 180 0 0 400 0 0 63\n");
}

// xlwt writes a workbook; xlrd hands us the raw FONT records and its reading of them.
TEST(FontRecordPeer, WeReadWhatXlwtWrites) {
  if (!test_support::PythonHasModules("xlrd, xlwt"))
    GTEST_SKIP() << "python3-xlrd/xlwt are not installed";
  const std::string script = R"(
import sys, io, xlwt, xlrd, xlrd.compdoc, struct
wb = xlwt.Workbook()
ws = wb.add_sheet('S')
specs = [('Courier New', 240, True, False, False, 0, 0), ('Arial', 180, False, True, True, 1, 1),
         ('Verdana', 300, True, True, False, 2, 2), ('Tahoma', 200, False, False, False, 0, 0x21)]
for i, (name, height, bold, italic, struck, esc, ul) in enumerate(specs):
    st = xlwt.XFStyle(); f = xlwt.Font()
    f.name, f.height, f.bold, f.italic, f.struck_out, f.escapement, f.underline = name, height, bold, italic, struck, esc, ul
    f.colour_index = 10 + i
    st.font = f
    ws.write(i, 0, 'x', st)
buf = io.BytesIO(); wb.save(buf)
cd = xlrd.compdoc.CompDoc(buf.getvalue())
stream = cd.get_named_stream('Workbook')
pos = 0
while pos + 4 <= len(stream):
    rid, size = struct.unpack('<HH', stream[pos:pos+4])
    if rid == 0x31:
        print(stream[pos+4:pos+4+size].hex())
    pos += 4 + size
book = xlrd.open_workbook(file_contents=buf.getvalue(), formatting_info=True)
print('--')
for f in book.font_list:
    if f.name == 'Dummy Font': continue
    print(f.name, f.height // 20, f.italic, f.struck_out, f.weight >= 700, f.escapement, f.underline_type, f.colour_index)
)";
  const std::string output = test_support::RunPython(script, "");
  std::istringstream lines(output);
  std::vector<std::string> records, expected;
  std::string line;
  while (std::getline(lines, line) && line != "--") records.push_back(line);
  while (std::getline(lines, line)) expected.push_back(line);
  ASSERT_EQ(records.size(), expected.size()) << output;
  ASSERT_GE(records.size(), 4u) << output;
  const char* underlineNames[] = {"", "1", "2", "33", "34", "0"};
  for (std::size_t i = 0; i < records.size(); ++i) {
    Bytes data;
    for (std::size_t k = 0; k + 1 < records[i].size(); k += 2) {
      data.push_back(static_cast<std::uint8_t>(std::stoi(records[i].substr(k, 2), nullptr, 16)));
    }
    TExportFont font;
    const std::uint16_t colorIndex = font.ReadXLS(data);
    const TExportFontStyle& s = font.GetStyle();
    std::string ours = test::Narrow(font.GetName()) + " " + std::to_string(font.GetSize()) + " " +
                       (s.Italic == 1 ? "1" : "0") + " " + (s.StrikeOut == 1 ? "1" : "0") + " " +
                       (s.Bold == 1 ? "True" : "False") + " " +
                       std::to_string(s.VertPosition == 3 ? 0 : s.VertPosition) + " " +
                       (s.Underline == 0 ? "0" : underlineNames[s.Underline]) + " " +
                       std::to_string(colorIndex);
    EXPECT_EQ(ours, expected[i]);
  }
}

}  // namespace
}  // namespace workbook
