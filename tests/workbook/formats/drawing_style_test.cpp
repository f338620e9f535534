#include <gtest/gtest.h>

#include "workbook/formats/xml_test_support.h"

#include "workbook/model/drawing_style.h"

namespace workbook {
namespace {

constexpr const char* kDrawingMLMain = "http://schemas.openxmlformats.org/drawingml/2006/main";

using test::XmlScratch;

void Frame(TExportDrawingStyle& style) {
  style.Fill.FillType = TExportDrawingFill::ftSolid;
  style.Fill.Color = 0x336699;  // blue 33, green 66, red 99
  style.Fill.Transparency = 25;
  style.Border.FillType = TExportDrawingFill::ftSolid;
  style.Border.Color = 0x555555;
  style.Border.Width = 2;
  style.Border.Dash = TExportDrawingBorder::dsDotted;
  style.Border.Transparency = 10;
  style.Shadow.FillType = TExportDrawingFill::ftSolid;
  style.Shadow.Distance = 5;
  style.Shadow.Blur = 7;
}

TEST(DrawingStyle, DefaultStyleWritesNoFillNoLineNoShadow) {
  XmlScratch ods("p"), xlsx("spPr");
  const TExportDrawingStyle style;
  style.WriteODS(ods.Root());
  style.WriteXLSX(xlsx.Root());
  EXPECT_EQ(ods.Text(), "<p draw:stroke=\"none\"/>");
  EXPECT_EQ(xlsx.Text(), "<spPr><a:ln><a:noFill/></a:ln></spPr>");
}

TEST(DrawingStyle, OdsGraphicProperties) {
  XmlScratch xml("p");
  TExportDrawingStyle style;
  Frame(style);
  style.WriteODS(xml.Root());
  // Width 2 px x 0.017 = 0.034 cm; shadow distance 5 px = 0.14 cm.
  EXPECT_EQ(xml.Text(),
            "<p draw:fill=\"solid\" draw:fill-color=\"#996633\" draw:opacity=\"75%\" "
            "draw:stroke-dash=\"Ultrafine_20_Dotted_20__28_var_29_\" draw:stroke=\"dash\" "
            "svg:stroke-color=\"#555555\" svg:stroke-width=\"0.034cm\" "
            "svg:stroke-opacity=\"90%\" draw:shadow=\"visible\" draw:shadow-color=\"#000000\" "
            "draw:shadow-offset-x=\"0.14cm\" draw:shadow-offset-y=\"0.14cm\" "
            "draw:shadow-opacity=\"50%\"/>");
}

TEST(DrawingStyle, XlsxShapeProperties) {
  XmlScratch xml("spPr");
  TExportDrawingStyle style;
  Frame(style);
  style.WriteXLSX(xml.Root());
  EXPECT_EQ(xml.Text(),
            "<spPr><a:solidFill><a:srgbClr val=\"996633\"><a:alpha val=\"75000\"/></a:srgbClr>"
            "</a:solidFill><a:ln w=\"17600\"><a:solidFill><a:srgbClr val=\"555555\">"
            "<a:alpha val=\"90000\"/></a:srgbClr></a:solidFill><a:prstDash val=\"sysDot\"/>"
            "</a:ln><a:effectLst><a:outerShdw blurRad=\"88900\" dist=\"63500\" dir=\"2700000\">"
            "<a:srgbClr val=\"000000\"><a:alpha val=\"50000\"/></a:srgbClr></a:outerShdw>"
            "</a:effectLst></spPr>");
}

TEST(DrawingStyle, XlsxReadsBackWhatItWrote) {
  XmlScratch xml("spPr");
  TExportDrawingStyle written;
  Frame(written);
  written.WriteXLSX(xml.Root());
  // Parsed again inside the namespaces a drawing part declares.
  std::string text = xml.Text();
  text.insert(text.find('>'), std::string(" xmlns:a=\"") + kDrawingMLMain + "\"");
  xml.Load(text);
  TExportDrawingStyle read;
  read.ReadXLSX(xml.Root());
  EXPECT_EQ(read.GetKeyString(), written.GetKeyString());
}

TEST(DrawingStyle, ReadsShapePropertiesOfOtherFiles) {
  const std::pair<std::string, const char16_t*> kCases[] = {
      // Nothing: no fill, no line, no shadow.
      {"", u"0;16777215;0;0;0;0;-1;0;0;0;50;3;4"},
      // A line with a:noFill stays off; widths round, unknown dashes are solid.
      {"<a:ln w=\"12700\"><a:noFill/></a:ln>", u"0;16777215;0;0;0;0;-1;0;0;0;50;3;4"},
      {"<a:ln w=\"12700\"><a:solidFill><a:srgbClr val=\"00FF00\"/></a:solidFill>"
       "<a:prstDash val=\"lgDash\"/></a:ln>",
       u"0;16777215;0;2;65280;0;1;0;0;0;50;3;4"},
      // Out-of-range and non-numeric EMU keep the defaults instead of overflowing.
      {"<a:ln w=\"99999999999999999999\"/><a:effectLst><a:outerShdw blurRad=\"abc\" "
       "dist=\"1e300\"/></a:effectLst>",
       u"0;16777215;0;2;0;0;-1;0;2;536870911;0;3;4"},
  };
  for (const auto& [inner, key] : kCases) {
    XmlScratch xml("x");
    xml.Load(
        "<xdr:spPr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/"
        "spreadsheetDrawing\" xmlns:a=\"" +
        std::string(kDrawingMLMain) + "\">" + inner + "</xdr:spPr>");
    TExportDrawingStyle style;
    style.ReadXLSX(xml.Root());
    EXPECT_EQ(style.GetKeyString(), key) << inner;
  }
}

}  // namespace
}  // namespace workbook
