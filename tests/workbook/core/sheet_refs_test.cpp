#include "workbook/core/sheet_refs.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace workbook {
namespace {

TEST(QuoteSheetNameTest, DoublesQuotesAndTruncatesOnRequest) {
  EXPECT_EQ(QuoteSheetName(u"It's", false), u"It''s");
  EXPECT_EQ(QuoteSheetName(std::u16string(40, u'x'), true).size(), 31u);
  // Truncation counts the name's own characters, before doubling.
  EXPECT_EQ(QuoteSheetName(std::u16string(31, u'\''), true).size(), 62u);
}

// "SHEET|C1 R1 C2 R2" and a "$" or "." per place; "no" when refused (sheet untouched).
std::string Parse(std::u16string_view text, bool mustBeRange) {
  std::u16string sheet = u"untouched";
  TCellRangeRef r;
  if (!ParseSheetCellRangeRef(text, sheet, r, mustBeRange))
    return sheet == u"untouched" ? "no" : "no, sheet changed";
  std::string result = std::string(sheet.begin(), sheet.end()) + "|";
  for (int v : {r.Col1, r.Row1, r.Col2, r.Row2}) result += std::to_string(v) + " ";
  for (bool absolute : {r.Col1Absolute, r.Row1Absolute, r.Col2Absolute, r.Row2Absolute})
    result += absolute ? "$" : ".";
  return result;
}

TEST(ParseSheetCellRangeRefTest, Parses) {
  EXPECT_EQ(Parse(u"Sheet1!$A$1:$B$2", false), "Sheet1|0 0 1 1 $$$$");
  EXPECT_EQ(Parse(u"'My Sheet'!C3", false), "My Sheet|2 2 2 2 ....");
  EXPECT_EQ(Parse(u"'It''s'!A1:A5", true), "It's|0 0 0 4 ....");
  EXPECT_EQ(Parse(u"'A!B'!D4", false), "A!B|3 3 3 3 ....");
  EXPECT_EQ(Parse(u"A1:B2", true), "|0 0 1 1 ....");
  EXPECT_EQ(Parse(u"Sheet1!A1", true), "no");
  for (std::u16string_view text : {u"Sheet1!", u"'Open!A1", u"'Sheet'A1", u"Sheet1!A0"})
    EXPECT_EQ(Parse(text, false), "no") << std::string(text.begin(), text.end());
  std::u16string sheet;
  int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
  ASSERT_TRUE(ParseSheetCellRangeRefColRow(u"Data!B2:C3", sheet, c1, r1, c2, r2));
  EXPECT_EQ(sheet, u"Data");
  EXPECT_EQ((std::array{c1, r1, c2, r2}), (std::array{1, 1, 2, 2}));
}

TEST(MakeSheetRefTest, XlsxForms) {
  EXPECT_EQ(MakeSheetRangeRef(u"Sheet1", 0, 0, TRefAbsolute::All(true), 2, 2),
            u"'Sheet1'!$A$1:$B$2");
  EXPECT_EQ(MakeSheetRangeRef(u"It's", 2, 4, {}), u"'It''s'!C5");
  EXPECT_EQ(MakeSheetRangeRef(std::u16string(35, u'n'), 0, 0, {}),
            u"'" + std::u16string(31, u'n') + u"'!A1");
  EXPECT_EQ(MakeSheetColRangeRef(u"Sheet1", 0, 3), u"'Sheet1'!$A:$C");
  EXPECT_EQ(MakeSheetRowRangeRef(u"Sheet1", 0, 2), u"'Sheet1'!$1:$2");
  EXPECT_EQ(MakeSheetRowRangeRef(u"a'b", 9, 1), u"'a''b'!$10:$10");
}

// Absolute ranges and whole columns appear whole in the ODS named-range golden of the formats.
TEST(MakeSheetRefTest, OdsForms) {
  EXPECT_EQ(MakeODSRangeRef(u"My Sheet", 1, 1, false, 3), u"'My Sheet'.B2:'My Sheet'.B4");
  EXPECT_EQ(MakeODSRangeRef(u"It's", 0, 0), u"'It''s'.A1");
  // No length limit on ODS sheet names.
  EXPECT_EQ(MakeODSRangeRef(std::u16string(35, u'n'), 0, 0),
            u"'" + std::u16string(35, u'n') + u"'.A1");
  EXPECT_EQ(MakeODSColRangeRef(u"S", 0, 3), u"'S'.A:'S'.C");
  EXPECT_EQ(MakeODSRowRangeRef(u"S", 0, 2), u"'S'.1:'S'.2");
  EXPECT_EQ(MakeODSRowRangeRef(u"S", 4, 1, true), u"$'S'.$5:$'S'.$5");
}

}  // namespace
}  // namespace workbook
