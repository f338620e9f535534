#include "workbook/model/page_setup.h"

#include <gtest/gtest.h>

#include <cstring>

#include "sheet_extras_support.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/hashed_strings.h"

namespace workbook {
namespace {

class PageSetupTest : public test::SheetTest {
 protected:
  TExportPageSettings& page() { return sheet->PageSettings; }
  static TExportFont Tahoma() {
    TExportFont font;
    font.SetName(u"Tahoma");
    font.SetSize(10);
    return font;
  }
};

TEST_F(PageSetupTest, HeaderSectionBuildsCodes) {
  sheet->Header.Left.Font = Tahoma();
  sheet->Header.Left.SetText(u"Page [PAGENUMBER] of [PAGECOUNT]");
  EXPECT_EQ(sheet->Header.BuildExcelString(), u"&L&\"Tahoma\"&10&K000000Page &P of &N");
  TExportHeader& right = sheet->Header.Right;
  right.Font = Tahoma();
  right.Font.GetStyle().Bold = 1;
  right.Font.GetStyle().Italic = 1;
  right.Font.GetStyle().Underline = 4;
  right.Font.GetStyle().StrikeOut = 1;
  right.Font.GetStyle().VertPosition = 2;
  right.Font.SetColor(RGBToColor(0x12, 0x34, 0x56));
  right.SetText(u"A&B [sheetname][Date][TIME][FILENAME]");
  EXPECT_EQ(right.GetExcelText(), u"&\"Tahoma,Bold Italic\"&10&S&E&Y&K123456A&&B &A&D&T&F");
}

TEST_F(PageSetupTest, HeaderStringReadBackKeepsItsCodes) {
  const std::u16string text = u"&L&\"Tahoma,Bold\"&12Total &P&RA&&B";
  sheet->Header.ParseExcelString(text);
  EXPECT_EQ(sheet->Header.Left.Text, u"Total [PAGENUMBER]");
  EXPECT_EQ(sheet->Header.Left.Font.GetName(), u"Tahoma");
  EXPECT_EQ(sheet->Header.Left.Font.GetSize(), 12);
  EXPECT_EQ(sheet->Header.Left.Font.GetStyle().Bold, 1);
  EXPECT_EQ(sheet->Header.Left.Font.GetStyle().Italic, 2);
  EXPECT_EQ(sheet->Header.Center.Text, u"");
  EXPECT_EQ(sheet->Header.Right.Text, u"A&B");
  EXPECT_EQ(sheet->Header.BuildExcelString(), text);
}

TEST_F(PageSetupTest, AmpersandCodeTextIsLiteral) {
  TExportHeader& section = sheet->Header.Center;
  section.Font = Tahoma();
  section.SetText(u"&B");
  const std::u16string codes = section.GetExcelText();
  EXPECT_EQ(codes, u"&\"Tahoma\"&10&K000000&&B");
  TExportHeader back;
  back.SetExcelText(codes);
  EXPECT_EQ(back.Text, u"&B");
  EXPECT_EQ(back.Font.GetStyle().Bold, 2);
}

struct CodeCase {
  const char16_t* codes;
  const char16_t* text;
  const char16_t* fontName;
  int size;
  std::uint8_t bold, italic, underline, strike, position;
  TColor color;
};

class HeaderCodeTest : public ::testing::TestWithParam<CodeCase> {};

TEST_P(HeaderCodeTest, SetExcelText) {
  const CodeCase& c = GetParam();
  TExportHeader section;
  section.SetExcelText(c.codes);
  EXPECT_EQ(section.Text, c.text);
  EXPECT_EQ(section.Font.GetName(), c.fontName);
  EXPECT_EQ(section.Font.GetSize(), c.size);
  const TExportFontStyle& style = section.Font.GetStyle();
  EXPECT_EQ(style.Bold, c.bold);
  EXPECT_EQ(style.Italic, c.italic);
  EXPECT_EQ(style.Underline, c.underline);
  EXPECT_EQ(style.StrikeOut, c.strike);
  EXPECT_EQ(style.VertPosition, c.position);
  EXPECT_EQ(section.Font.GetColor(), c.color);
  EXPECT_EQ(section.GetExcelText(), c.codes);
}

const TColor kAuto = clNone;

INSTANTIATE_TEST_SUITE_P(
    Cases, HeaderCodeTest,
    ::testing::Values(
        CodeCase{u"plain", u"plain", u"", 10, 2, 2, 5, 2, 3, kAuto},
        CodeCase{u"&\"Arial,Fett Kursiv\"&B&I&U&S&X&KFF0000x", u"x", u"Arial", 10, 1, 1, 1, 1, 1,
                 RGBToColor(255, 0, 0)},
        CodeCase{u"&E&Y&8 9", u"9", u"", 8, 2, 2, 2, 2, 2, kAuto},
        // After the text has begun, style codes are dropped and fonts left alone.
        CodeCase{u"a&B&\"Courier\"&14&K00FF00b", u"ab", u"", 10, 2, 2, 5, 2, 3, kAuto},
        CodeCase{u"&KXYZ&Q&Zc", u"XYZc", u"", 10, 2, 2, 5, 2, 3, kAuto},
        CodeCase{u"&P&N&A&D&T&F", u"[PAGENUMBER][PAGECOUNT][SHEETNAME][DATE][TIME][FILENAME]", u"",
                 10, 2, 2, 5, 2, 3, kAuto},
        // Damaged codes: an unterminated font, a trailing "&", a huge size, a short colour.
        CodeCase{u"x&\"Arial", u"x", u"", 10, 2, 2, 5, 2, 3, kAuto},
        CodeCase{u"end&", u"end&", u"", 10, 2, 2, 5, 2, 3, kAuto},
        CodeCase{u"&99999999999999999999999z", u"z", u"", 10, 2, 2, 5, 2, 3, kAuto},
        CodeCase{u"&K12", u"12", u"", 10, 2, 2, 5, 2, 3, kAuto},
        CodeCase{u"&", u"&", u"", 10, 2, 2, 5, 2, 3, kAuto}));

struct SplitCase {
  const char16_t* text;
  const char16_t* left;
  const char16_t* center;
  const char16_t* right;
};

class HeaderSplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(HeaderSplitTest, ParseExcelString) {
  TExportHeaders headers(nullptr);
  headers.Right.SetText(u"old");
  headers.ParseExcelString(GetParam().text);
  EXPECT_EQ(headers.Left.Text, GetParam().left);
  EXPECT_EQ(headers.Center.Text, GetParam().center);
  EXPECT_EQ(headers.Right.Text, GetParam().right);
}

INSTANTIATE_TEST_SUITE_P(Cases, HeaderSplitTest,
                         ::testing::Values(SplitCase{u"", u"", u"", u""},
                                           SplitCase{u"&La&Cb&Rc", u"a", u"b", u"c"},
                                           SplitCase{u"&Lx&Ly&Rz", u"y", u"", u"z"},
                                           SplitCase{u"&Rz&La", u"a", u"", u"z"},
                                           SplitCase{u"&C&&L&&R", u"", u"&L&R", u""},
                                           SplitCase{u"Confidential", u"", u"Confidential", u""},
                                           SplitCase{u"&L", u"", u"", u""},
                                           SplitCase{u"&Cx&", u"", u"x&", u""}));

TEST_F(PageSetupTest, NewSheetHeaderUsesTheDefaultFont) {
  sheet->Header.Center.SetText(u"x");
  EXPECT_EQ(sheet->Header.Center.GetExcelText(), u"&\"Arial\"&10&K000000x");
}

}  // namespace
}  // namespace workbook
