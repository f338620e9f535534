#include "workbook/core/sheet_refs.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace workbook {
namespace {

TEST(QuoteSheetNameTest, DoublesQuotesAndTruncatesOnRequest) {
  EXPECT_EQ(QuoteSheetName(u"Q1", false), u"Q1");
  EXPECT_EQ(QuoteSheetName(u"It's", false), u"It''s");
  const std::u16string longName(40, u'x');
  EXPECT_EQ(QuoteSheetName(longName, true).size(), 31u);
  EXPECT_EQ(QuoteSheetName(longName, false).size(), 40u);
  // Truncation counts the name's own characters, before doubling.
  EXPECT_EQ(QuoteSheetName(std::u16string(31, u'\''), true).size(), 62u);
}

struct SheetRangeCase {
  std::u16string text;
  bool mustBeRange;
  bool ok;
  std::u16string sheet;
  TCellRangeRef ref = {};
};

class ParseSheetCellRangeRefTest : public testing::TestWithParam<SheetRangeCase> {};

TEST_P(ParseSheetCellRangeRefTest, Parses) {
  const SheetRangeCase& c = GetParam();
  std::u16string sheet = u"untouched";
  TCellRangeRef r;
  ASSERT_EQ(ParseSheetCellRangeRef(c.text, sheet, r, c.mustBeRange), c.ok);
  if (!c.ok) {
    EXPECT_EQ(sheet, u"untouched");
    return;
  }
  EXPECT_EQ(sheet, c.sheet);
  EXPECT_EQ((std::array{r.Col1, r.Row1, r.Col2, r.Row2}),
            (std::array{c.ref.Col1, c.ref.Row1, c.ref.Col2, c.ref.Row2}));
  EXPECT_EQ(
      (std::array{r.Col1Absolute, r.Row1Absolute, r.Col2Absolute, r.Row2Absolute}),
      (std::array{c.ref.Col1Absolute, c.ref.Row1Absolute, c.ref.Col2Absolute, c.ref.Row2Absolute}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseSheetCellRangeRefTest,
    testing::Values(
        SheetRangeCase{
            u"Sheet1!$A$1:$B$2", false, true, u"Sheet1", {0, 0, 1, 1, true, true, true, true}},
        SheetRangeCase{u"'My Sheet'!C3", false, true, u"My Sheet", {2, 2, 2, 2}},
        SheetRangeCase{u"'It''s'!A1:A5", true, true, u"It's", {0, 0, 0, 4}},
        SheetRangeCase{u"'A!B'!D4", false, true, u"A!B", {3, 3, 3, 3}},
        SheetRangeCase{u"A1:B2", true, true, u"", {0, 0, 1, 1}},
        SheetRangeCase{u"Sheet1!A1", true, false, u""},
        SheetRangeCase{u"Sheet1!", false, false, u""},
        SheetRangeCase{u"'Open!A1", false, false, u""},
        SheetRangeCase{u"'Sheet'A1", false, false, u""},
        SheetRangeCase{u"Sheet1!A0", false, false, u""}));

TEST(ParseSheetCellRangeRefColRowTest, Parses) {
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
  EXPECT_EQ(MakeSheetColRangeRef(u"Sheet1", 4, 0), u"'Sheet1'!$E:$E");
  EXPECT_EQ(MakeSheetRowRangeRef(u"Sheet1", 0, 2), u"'Sheet1'!$1:$2");
  EXPECT_EQ(MakeSheetRowRangeRef(u"a'b", 9, 1), u"'a''b'!$10:$10");
}

TEST(MakeSheetRefTest, OdsForms) {
  EXPECT_EQ(MakeODSRangeRef(u"Sheet1", 0, 0), u"'Sheet1'.A1");
  EXPECT_EQ(MakeODSRangeRef(u"Sheet1", 0, 0, true), u"$'Sheet1'.$A$1");
  EXPECT_EQ(MakeODSRangeRef(u"Sheet1", 0, 0, true, 2, 3), u"$'Sheet1'.$A$1:'Sheet1'.$C$2");
  EXPECT_EQ(MakeODSRangeRef(u"My Sheet", 1, 1, false, 3), u"'My Sheet'.B2:'My Sheet'.B4");
  EXPECT_EQ(MakeODSRangeRef(u"It's", 0, 0), u"'It''s'.A1");
  EXPECT_EQ(MakeODSRangeRef(std::u16string(35, u'n'), 0, 0),
            u"'" + std::u16string(35, u'n') + u"'.A1");
  EXPECT_EQ(MakeODSColRangeRef(u"S", 0, 3), u"'S'.A:'S'.C");
  EXPECT_EQ(MakeODSColRangeRef(u"S", 1, 1, true), u"'S'.$B:'S'.$B");
  EXPECT_EQ(MakeODSRowRangeRef(u"S", 0, 2), u"'S'.1:'S'.2");
  EXPECT_EQ(MakeODSRowRangeRef(u"S", 4, 1, true), u"'S'.$5:'S'.$5");
}

}  // namespace
}  // namespace workbook
