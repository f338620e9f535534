#include "workbook/core/drawingml_colors.h"

#include <gtest/gtest.h>

#include <string>

#include "workbook/core/color_hls.h"
#include "workbook/core/xml/xml_document.h"

namespace workbook {
namespace {

class FakeTheme : public IThemeColors {
 public:
  int GetCount() const override { return 1; }
  TColor GetColor(int) const override { return 0xBD814F; }
  bool FindByName(std::u16string_view Name, TColor& Color) const override {
    if (Name != u"accent1") return false;
    Color = 0xBD814F;
    return true;
  }
};

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

TEST(DrawingMLColorTest, SrgbWithAlpha) {
  const Read r = ReadFrom(R"(<a:srgbClr val="102030"><a:alpha val="75000"/></a:srgbClr>)");
  EXPECT_EQ(r.color, 0x302010);
  EXPECT_EQ(r.transparency, 25);
  const Read plain = ReadFrom(R"(<a:srgbClr val="FF0000"/>)");
  EXPECT_EQ(plain.color, 0x0000FF);
  EXPECT_EQ(plain.transparency, 0);
}

TEST(DrawingMLColorTest, SchemeColourWithLuminance) {
  FakeTheme theme;
  EXPECT_EQ(ReadFrom(R"(<a:schemeClr val="accent1"/>)", &theme).color, 0xBD814F);
  // "Lighter 40%": lumOff is the tint.
  EXPECT_EQ(
      ReadFrom(
          R"(<a:schemeClr val="accent1"><a:lumMod val="60000"/><a:lumOff val="40000"/></a:schemeClr>)",
          &theme)
          .color,
      ApplyTint(0xBD814F, 0.4));
  // "Darker 25%": lumMod alone.
  EXPECT_EQ(
      ReadFrom(R"(<a:schemeClr val="accent1"><a:lumMod val="75000"/></a:schemeClr>)", &theme).color,
      ApplyTint(0xBD814F, -0.25));
  const Read alpha =
      ReadFrom(R"(<a:schemeClr val="accent1"><a:alpha val="50000"/></a:schemeClr>)", &theme);
  EXPECT_EQ(alpha.transparency, 50);
}

TEST(DrawingMLColorTest, UnknownOrMissing) {
  FakeTheme theme;
  EXPECT_EQ(ReadFrom(R"(<a:schemeClr val="accent9"/>)", &theme).color, clNone);
  EXPECT_EQ(ReadFrom(R"(<a:schemeClr val="accent1"/>)", nullptr).color, clNone);
  const Read none = ReadFrom(R"(<a:prstClr val="black"/>)");
  EXPECT_EQ(none.color, clNone);
  EXPECT_EQ(none.transparency, 0);
  int t = -1;
  TColor c = 0;
  ReadDrawingMLColor(TXmlNode(), nullptr, t, c);
  EXPECT_EQ(c, clNone);
  EXPECT_EQ(t, 0);
}

TEST(DrawingMLColorTest, WritesAndReadsBack) {
  TXmlDocument doc;
  const TXmlNode fill = doc.CreateRoot("a:solidFill");
  fill.SetAttr("xmlns:a",
               std::string_view("http://schemas.openxmlformats.org/drawingml/2006/main"));
  WriteDrawingMLColor(0x302010, 30, fill);
  const std::string xml = doc.SaveToString();
  EXPECT_NE(xml.find(R"(<a:srgbClr val="102030"><a:alpha val="70000"/></a:srgbClr>)"),
            std::string::npos)
      << xml;
  int t = 0;
  TColor c = 0;
  ReadDrawingMLColor(fill, nullptr, t, c);
  EXPECT_EQ(c, 0x302010);
  EXPECT_EQ(t, 30);
}

}  // namespace
}  // namespace workbook
