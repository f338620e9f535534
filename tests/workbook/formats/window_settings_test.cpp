#include "workbook/model/window_settings.h"

#include <gtest/gtest.h>

#include "workbook/formats/sheet_record_support.h"
#include "workbook/formats/xls/biff_builder.h"

namespace workbook {
namespace {

using namespace xls_test;
using test::OneRecord;
using test::XmlScratch;

class WindowSettingsTest : public test::SheetTest {
 protected:
  TExportWindowSettings& view() { return sheet->WindowSettings; }
  std::string WriteView() {
    XmlScratch xml("sheetViews");
    view().WriteXLSX(xml.Root());
    return xml.Text();
  }
  void ReadView(const std::string& text) {
    XmlScratch xml("x");
    xml.Load(text);
    view().ReadXLSX(xml.Root());
  }
};

TEST_F(WindowSettingsTest, TwoFrozenRowsWritePaneAndNoSelection) {
  view().Split.Row = 2;
  EXPECT_EQ(WriteView(),
            "<sheetViews><sheetView workbookViewId=\"0\">"
            "<pane xSplit=\"0\" ySplit=\"2\" topLeftCell=\"A3\" state=\"frozen\"/>"
            "</sheetView></sheetViews>");
}

TEST_F(WindowSettingsTest, ViewAttributesInOrder) {
  view().Zoom = 85;
  view().ShowGridLines = false;
  view().ShowRowColHeaders = false;
  view().TopLeftCell.SetText(u"C10");
  view().Selection.SetRange(1, 1, 2, 3);
  EXPECT_EQ(WriteView(),
            "<sheetViews><sheetView zoomScale=\"85\" showGridLines=\"0\" "
            "showRowColHeaders=\"0\" topLeftCell=\"C10\" workbookViewId=\"0\">"
            "<selection activeCell=\"B2\" sqref=\"B2:C4\"/></sheetView></sheetViews>");
}

// The first frozen pane counts; damaged splits are clamped or ignored.
TEST_F(WindowSettingsTest, PaneReading) {
  const struct {
    const char* xml;
    int col, row;
  } kCases[] = {
      {R"(<pane ySplit="2"/>)", 0, 2},
      {R"(<pane xSplit="2000" state="split"/><pane xSplit="4" state="frozenSplit"/>)", 4, 0},
      {R"(<pane xSplit="-7" ySplit="99999999999" state="frozen"/>)", 0, 1048575},
      {R"(<pane xSplit="x" ySplit="" state="frozen"/>)", 0, 0},
  };
  for (const auto& c : kCases) {
    view().Split = TExportWindowSplit();
    ReadView(std::string("<sheetView>") + c.xml + "</sheetView>");
    EXPECT_EQ(view().Split.Col, c.col) << c.xml;
    EXPECT_EQ(view().Split.Row, c.row) << c.xml;
  }
}

TEST_F(WindowSettingsTest, ReadsViewAttributesAndSelection) {
  ReadView(R"(<sheetView showGridLines="0" showRowColHeaders="false" zoomScale="5000" )"
           R"(topLeftCell="D7"><selection activeCell="B2" sqref="B2:C5 E1"/></sheetView>)");
  EXPECT_FALSE(view().ShowGridLines);
  EXPECT_TRUE(view().ShowRowColHeaders);  // only "0" hides
  EXPECT_EQ(view().Zoom, 400);
  EXPECT_EQ(view().TopLeftCell.GetText(), u"D7");
  EXPECT_EQ(view().Selection.GetText(), u"B2:C5");
  ReadView(R"(<sheetView><selection activeCell="C3"/></sheetView>)");
  EXPECT_EQ(view().Selection.GetText(), u"C3");
  EXPECT_EQ(view().Zoom, 100);
  ReadView(R"(<sheetView><selection sqref="A1:XFD1048576"/></sheetView>)");
  EXPECT_EQ(view().Selection.ColCount, -1);
  EXPECT_EQ(view().Selection.RowCount, -1);
}

TEST_F(WindowSettingsTest, SheetPropertiesRoundTrip) {
  view().TabColor = RGBToColor(0x12, 0xAB, 0xEF);
  view().SummaryRowsAbove = true;
  XmlScratch xml("sheetPr");
  view().WriteXLSXSheetPr(xml.Root(), true);
  EXPECT_EQ(xml.Text(),
            "<sheetPr><tabColor rgb=\"FF12ABEF\"/><outlinePr summaryBelow=\"0\" "
            "summaryRight=\"1\"/><pageSetUpPr fitToPage=\"1\"/></sheetPr>");
  TExportWorkSheet* other = book->AddWorkSheet(u"Other");
  const bool fit = other->WindowSettings.ReadXLSXSheetPr(xml.Root(), nullptr, nullptr);
  EXPECT_TRUE(fit);
  EXPECT_EQ(other->WindowSettings.TabColor, view().TabColor);
  EXPECT_TRUE(other->WindowSettings.SummaryRowsAbove);
  EXPECT_FALSE(other->WindowSettings.SummaryColsLeft);
}

TEST_F(WindowSettingsTest, PaneRecord) {
  EXPECT_TRUE(view().Split.WriteXLS().empty());
  view().Split.Col = 1;
  view().Split.Row = 70000;  // more rows than a BIFF8 word holds
  EXPECT_EQ(test::Hex(view().Split.WriteXLS()), "41 00 0A 00 01 00 FF FF FF FF 01 00 03 00");
}

class TwoColourPalette : public IColorPalette {
 public:
  TColor GetColor(int index) const override { return index == 10 ? RGBToColor(255, 0, 0) : clNone; }
};

TEST_F(WindowSettingsTest, SheetLayoutRecord) {
  EXPECT_TRUE(view().WriteXLSSheetLayout(10).empty());
  view().TabColor = RGBToColor(255, 0, 0);
  const std::vector<std::uint8_t> bytes = view().WriteXLSSheetLayout(10);
  EXPECT_EQ(test::Hex(bytes),
            "62 08 14 00 62 08 00 00 00 00 00 00 00 00 00 00 14 00 00 00 0A 00 00 00");
  TExportWorkSheet* other = book->AddWorkSheet(u"Other");
  OneRecord record(bytes);
  other->WindowSettings.ReadXLSSheetLayout(record.Reader(), TwoColourPalette());
  EXPECT_EQ(other->WindowSettings.TabColor, RGBToColor(255, 0, 0));
  OneRecord outside(Record(0x0862, Join({Bytes(16, 0), Word(99), Word(0)})));
  other->WindowSettings.ReadXLSSheetLayout(outside.Reader(), TwoColourPalette());
  EXPECT_EQ(other->WindowSettings.TabColor, RGBToColor(255, 0, 0));
}

std::string ConfigItem(const char* name, const char* type, int value) {
  return std::string("<config:config-item config:name=\"") + name + "\" config:type=\"" + type +
         "\">" + std::to_string(value) + "</config:config-item>";
}

TEST_F(WindowSettingsTest, OdsConfigEntry) {
  view().Split.Col = 2;
  view().TopLeftCell.SetText(u"A7");
  view().Selection.SetRange(3, 4, 1, 1);
  XmlScratch xml("config:config-item-map-named");
  view().WriteODSConfig(xml.Root());
  EXPECT_EQ(xml.Text(),
            "<config:config-item-map-named>"
            "<config:config-item-map-entry config:name=\"Sheet1\">" +
                ConfigItem("CursorPositionX", "int", 3) + ConfigItem("CursorPositionY", "int", 4) +
                ConfigItem("HorizontalSplitMode", "short", 2) +
                ConfigItem("HorizontalSplitPosition", "int", 2) +
                ConfigItem("PositionLeft", "int", 0) + ConfigItem("PositionRight", "int", 2) +
                ConfigItem("PositionBottom", "int", 6) +
                "</config:config-item-map-entry></config:config-item-map-named>");
}

TEST(WindowSplitTest, OdsConfigItemsPerFrozenSide) {
  TExportCellAddress topLeft;
  topLeft.SetText(u"D9");
  const std::string rowsFrozen =
      ConfigItem("VerticalSplitMode", "short", 2) + ConfigItem("VerticalSplitPosition", "int", 3) +
      ConfigItem("PositionTop", "int", 0) + ConfigItem("PositionBottom", "int", 3);
  struct TCase {
    int col, row;
    std::string items;
  };
  for (const TCase& c : std::vector<TCase>{
           {0, 0, ConfigItem("PositionLeft", "int", 3) + ConfigItem("PositionBottom", "int", 8)},
           {0, 3, ConfigItem("PositionLeft", "int", 3) + rowsFrozen},
           {1, 3,
            ConfigItem("HorizontalSplitMode", "short", 2) +
                ConfigItem("HorizontalSplitPosition", "int", 1) +
                ConfigItem("PositionLeft", "int", 0) + ConfigItem("PositionRight", "int", 1) +
                rowsFrozen}}) {
    TExportWindowSplit split;
    split.Col = c.col;
    split.Row = c.row;
    XmlScratch xml("e");
    split.WriteODSConfig(xml.Root(), topLeft);
    EXPECT_EQ(xml.Text(), "<e>" + c.items + "</e>") << c.col << "," << c.row;
  }
}

}  // namespace
}  // namespace workbook
