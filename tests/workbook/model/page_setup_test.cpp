#include "workbook/model/page_setup.h"

#include <gtest/gtest.h>

#include <cstring>

#include "page_setup_fixture.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/hashed_strings.h"

namespace workbook {
namespace {

using test::PageSetupTest;

TEST_F(PageSetupTest, HeaderSectionBuildsCodes) {
  sheet->Footer.Center.SetText(u"x");  // a new sheet's sections use the workbook's font
  EXPECT_EQ(sheet->Footer.Center.GetExcelText(), u"&\"Arial\"&10&K000000x");
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

// A section read from its codes as "TEXT|FONT|SIZE|" the bold, italic, underline, strike-out and
// position bytes, and "|" the colour ("-" automatic).
std::u16string Section(const std::u16string& codes) {
  TExportHeader section;
  section.SetExcelText(codes);
  const TExportFontStyle& s = section.Font.GetStyle();
  const TColor color = section.Font.GetColor();
  const std::string numbers = "|" + std::to_string(section.Font.GetSize()) + "|" +
                              std::to_string(s.Bold) + std::to_string(s.Italic) +
                              std::to_string(s.Underline) + std::to_string(s.StrikeOut) +
                              std::to_string(s.VertPosition) + "|";
  const std::u16string result = section.Text + u"|" + section.Font.GetName() +
                                std::u16string(numbers.begin(), numbers.end()) +
                                (color == clNone ? u"-" : ColorToARGBHex(color, false));
  // The codes written back are those read.
  return section.GetExcelText() == codes ? result : u"written back differently";
}

TEST(HeaderCodeTest, SetExcelText) {
  // After the text has begun, style codes are dropped and fonts left alone. Damaged codes: an
  // unterminated font, a trailing "&", a huge size, a short colour.
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"plain", u"plain||10|22523|-"},
      {u"&\"Arial,Fett Kursiv\"&B&I&U&S&X&KFF0000x", u"x|Arial|10|11111|FF0000"},
      {u"&E&Y&8 9", u"9||8|22222|-"},
      {u"a&B&\"Courier\"&14&K00FF00b", u"ab||10|22523|-"},
      {u"&KXYZ&Q&Zc", u"XYZc||10|22523|-"},
      {u"&P&N&A&D&T&F", u"[PAGENUMBER][PAGECOUNT][SHEETNAME][DATE][TIME][FILENAME]||10|22523|-"},
      {u"x&\"Arial", u"x||10|22523|-"},
      {u"end&", u"end&||10|22523|-"},
      {u"&99999999999999999999999z", u"z||10|22523|-"},
      {u"&K12", u"12||10|22523|-"},
      {u"&", u"&||10|22523|-"},
      {u"&&B", u"&B||10|22523|-"}};
  for (const auto& [codes, expected] : cases) EXPECT_EQ(Section(codes), expected);
}

TEST(HeaderCodeTest, ParseExcelStringSplitsTheSections) {
  std::u16string split;
  for (std::u16string_view text :
       {u"", u"&Lx&Ly&Rz", u"&Rz&La", u"&C&&L&&R", u"Confidential", u"&Cx&"}) {
    TExportHeaders headers(nullptr);
    headers.Right.SetText(u"old");
    headers.ParseExcelString(std::u16string(text));
    split += headers.Left.Text + u"|" + headers.Center.Text + u"|" + headers.Right.Text + u"/";
  }
  EXPECT_EQ(split, u"||/y||z/a||z/|&L&R|/|Confidential|/|x&|/");
}

}  // namespace
}  // namespace workbook
