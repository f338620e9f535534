#include "workbook/core/xlsx_colors.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_theme.h"
#include "workbook/core/color_hls.h"
#include "workbook/core/xml/xml_document.h"

namespace workbook {
namespace {

using test::FakeTheme;

TColor ReadFill(const std::string& element, bool useBg = false) {
  TXmlDocument doc;
  doc.LoadFromString(element);
  FakeTheme theme;
  return ReadXLSXPatternFill(doc.DocumentElement(), &theme, nullptr, useBg);
}

TEST(XLSXPatternFillTest, Reads) {
  EXPECT_EQ(ReadFill(R"(<patternFill patternType="none"/>)"), clNone);
  EXPECT_EQ(ReadFill(R"(<patternFill patternType="gray125"/>)"), clGray125Fill);
  EXPECT_EQ(
      ReadFill(
          R"(<patternFill patternType="solid"><fgColor rgb="FFFF0000"/><bgColor indexed="64"/></patternFill>)"),
      0x0000FF);
  EXPECT_EQ(ReadFill(R"(<patternFill><fgColor theme="4"/></patternFill>)"), 0xBD814F);
  EXPECT_EQ(
      ReadFill(R"(<patternFill patternType="solid"><bgColor rgb="FF00FF00"/></patternFill>)", true),
      0x00FF00);
  EXPECT_EQ(ReadFill(R"(<patternFill patternType="solid"/>)"), clNone);
  EXPECT_EQ(
      ReadFill(R"(<patternFill patternType="darkGrid"><fgColor rgb="FFFF0000"/></patternFill>)"),
      clNone);
}

std::string WriteFill(TColor color, bool useBg = false) {
  TXmlDocument doc;
  WriteXLSXPatternFill(color, doc.CreateRoot("fill"), useBg);
  const std::string xml = doc.SaveToString();
  return xml.substr(xml.find("<fill"));
}

TEST(XLSXPatternFillTest, Writes) {
  EXPECT_EQ(WriteFill(clNone), "<fill><patternFill patternType=\"none\"/></fill>\n");
  EXPECT_EQ(WriteFill(clGray125Fill), "<fill><patternFill patternType=\"gray125\"/></fill>\n");
  EXPECT_EQ(WriteFill(0x302010),
            "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FF102030\"/>"
            "<bgColor indexed=\"64\"/></patternFill></fill>\n");
  EXPECT_EQ(WriteFill(0x302010, true),
            "<fill><patternFill patternType=\"solid\"><bgColor rgb=\"FF102030\"/>"
            "</patternFill></fill>\n");
}

}  // namespace
}  // namespace workbook
