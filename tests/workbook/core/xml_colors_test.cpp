#include "workbook/core/xlsx_colors.h"

#include <gtest/gtest.h>

#include <tuple>

#include <string>

#include "fake_theme.h"
#include "workbook/core/color_hls.h"
#include "workbook/core/drawingml_colors.h"
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

// None, gray125 and solid fills are read in the XLSX reader's and style sheet's tests.
TEST(XLSXPatternFillTest, Reads) {
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

// None, gray125 and a solid foreground appear in the style sheet golden of the formats.
TEST(XLSXPatternFillTest, WritesABackgroundColour) {
  EXPECT_EQ(WriteFill(0x302010, true),
            "<fill><patternFill patternType=\"solid\"><bgColor rgb=\"FF102030\"/>"
            "</patternFill></fill>\n");
}

constexpr const char* kNs = R"( xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main")";

struct Read {
  int transparency = -1;
  TColor color = 0;
};

Read ReadFrom(const std::string& inner, const IThemeColors* theme = nullptr) {
  TXmlDocument doc;
  doc.LoadFromString(std::string("<a:solidFill") + kNs + ">" + inner + "</a:solidFill>");
  Read r;
  ReadDrawingMLColor(doc.DocumentElement(), theme, r.transparency, r.color);
  return r;
}

TEST(DrawingMLColorTest, Reads) {
  FakeTheme theme;
  const std::tuple<const char*, TColor, int> cases[] = {
      {R"(<a:srgbClr val="102030"><a:alpha val="75000"/></a:srgbClr>)", 0x302010, 25},
      {R"(<a:schemeClr val="accent1"/>)", 0xBD814F, 0},
      // "Lighter 40%": lumOff is the tint; "darker 25%": lumMod alone.
      {R"(<a:schemeClr val="accent1"><a:lumMod val="60000"/><a:lumOff val="40000"/></a:schemeClr>)",
       ApplyTint(0xBD814F, 0.4), 0},
      {R"(<a:schemeClr val="accent1"><a:lumMod val="75000"/></a:schemeClr>)",
       ApplyTint(0xBD814F, -0.25), 0},
      {R"(<a:schemeClr val="accent1"><a:alpha val="50000"/></a:schemeClr>)", 0xBD814F, 50},
      {R"(<a:schemeClr val="accent9"/>)", clNone, 0},
      {R"(<a:prstClr val="black"/>)", clNone, 0}};
  for (const auto& [inner, color, transparency] : cases) {
    const Read r = ReadFrom(inner, &theme);
    EXPECT_EQ(r.color, color) << inner;
    EXPECT_EQ(r.transparency, transparency) << inner;
  }
  EXPECT_EQ(ReadFrom(R"(<a:schemeClr val="accent1"/>)", nullptr).color, clNone);
}

}  // namespace
}  // namespace workbook
