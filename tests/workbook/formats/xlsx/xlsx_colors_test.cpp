// Colours of SpreadsheetML and BIFF: the palette (its records, its indexed colours, the entries it
// hands out) and colour elements read through a theme and a palette.
#include "workbook/formats/xlsx/xlsx_palette.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "workbook/core/color_hls.h"
#include "workbook/core/fake_theme.h"
#include "workbook/core/xlsx_colors.h"
#include "workbook/core/xml/xml_document.h"
#include "workbook/formats/python_peer.h"
#include "workbook/formats/xls/xls_workbook_stream.h"
#include "workbook/model/cell_borders_list.h"
#include "workbook/model/font_list.h"

namespace workbook {
namespace {

constexpr TColor Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

TEST(Palette, ExactMatchesComeFirst) {
  TExporterXLSX_Palette palette;
  EXPECT_EQ(palette.GetColorIndex(Rgb(0xFF, 0, 0)), 2);
  EXPECT_EQ(palette.GetColorIndex(clNone), 0);
  EXPECT_EQ(palette.GetColorIndex(Rgb(0x99, 0x33, 0x66)), 25);
  EXPECT_EQ(palette.GetColorIndex(Rgb(0x33, 0x33, 0x33)), 63);
  EXPECT_EQ(palette.GetColor(-1), clNone);
  EXPECT_EQ(palette.GetColor(66), clNone);
}

TEST(Palette, MissingColoursRedefineFreeEntriesThenTakeTheNearest) {
  TExporterXLSX_Palette palette;
  // 800000 (16) is handed out first, so the redefinitions pass it by.
  EXPECT_EQ(palette.GetColorIndex(Rgb(0x80, 0, 0)), 16);
  EXPECT_EQ(palette.GetColorIndex(Rgb(1, 2, 3)), 8);
  EXPECT_EQ(palette.GetColor(8), Rgb(1, 2, 3));
  EXPECT_EQ(palette.GetColorIndex(Rgb(1, 2, 4)), 9);
  EXPECT_EQ(palette.GetColorIndex(Rgb(1, 2, 3)), 8);
  std::vector<int> free;
  for (int i = 10; i <= 63; ++i)
    if (i != 16) free.push_back(i);
  for (std::size_t k = 0; k < free.size(); ++k)
    ASSERT_EQ(palette.GetColorIndex(Rgb(10 + static_cast<int>(k), 200, 7)), free[k]);
  // Everything of 8..63 is in use: nearest, lowest index on a tie, no entry changed.
  EXPECT_EQ(palette.GetColorIndex(Rgb(1, 2, 5)), 9);
  EXPECT_EQ(palette.GetColorIndex(Rgb(250, 250, 250)), 1);
  EXPECT_EQ(palette.GetColorIndex(Rgb(0, 0, 1)), 0);
  EXPECT_EQ(palette.GetColor(9), Rgb(1, 2, 4));
}

TEST(Palette, WritesThePaletteRecord) {
  TExporterXLSX_Palette palette;
  palette.GetColorIndex(Rgb(0x12, 0x34, 0x56));
  TMemoryStream out;
  palette.WritePalette(out);
  const std::vector<std::uint8_t>& bytes = out.Data();
  ASSERT_EQ(bytes.size(), 230u);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 14),
            (std::vector<std::uint8_t>{0x92, 0x00, 0xE2, 0x00, 56, 0, 0x12, 0x34, 0x56, 0, 0xFF,
                                       0xFF, 0xFF, 0}));
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.end() - 4, bytes.end()),
            (std::vector<std::uint8_t>{0x33, 0x33, 0x33, 0}));
}

TEST(Palette, ReadsThePaletteRecordWithinItsData) {
  TExporterXLSX_Palette palette;
  std::vector<std::uint8_t> data = {56, 0};
  for (int i = 0; i < 56; ++i) data.insert(data.end(), {static_cast<std::uint8_t>(i), 1, 2, 0});
  palette.ReadPalette(data);
  EXPECT_EQ(palette.GetColor(8), Rgb(0, 1, 2));
  EXPECT_EQ(palette.GetColor(63), Rgb(55, 1, 2));
  EXPECT_EQ(palette.GetColor(7), Rgb(0, 0xFF, 0xFF));
  EXPECT_EQ(palette.GetColor(64), Rgb(0, 0, 0));
  EXPECT_EQ(palette.GetColor(65), Rgb(0xFF, 0xFF, 0xFF));

  // A count of 58 reaches entries 64 and 65; a count beyond the data reads only what is there.
  TExporterXLSX_Palette wide;
  std::vector<std::uint8_t> more = {0xFF, 0xFF};
  for (int i = 0; i < 58; ++i) more.insert(more.end(), {9, 9, 9, 0});
  wide.ReadPalette(more);
  EXPECT_EQ(wide.GetColor(65), Rgb(9, 9, 9));
  TExporterXLSX_Palette shortRecord;
  shortRecord.ReadPalette(std::vector<std::uint8_t>{56, 0, 7, 7, 7, 0, 8, 8});
  EXPECT_EQ(shortRecord.GetColor(8), Rgb(7, 7, 7));
  EXPECT_EQ(shortRecord.GetColor(9), Rgb(0xFF, 0xFF, 0xFF));
  shortRecord.ReadPalette(std::vector<std::uint8_t>{56});
}

TEST(Palette, LoadsIndexedColors) {
  TXmlDocument doc;
  doc.LoadFromString(
      "<colors><indexedColors>"
      "<rgbColor rgb=\"FF102030\"/><rgbColor rgb=\"#abc\"/><rgbColor rgb=\"A0B0C0\"/>"
      "<rgbColor rgb=\"12345\"/><rgbColor/><rgbColor rgb=\"GG0000\"/>"
      "</indexedColors></colors>");
  TExporterXLSX_Palette palette;
  palette.LoadIndexedColors(doc.FindPath("colors/indexedColors"));
  EXPECT_EQ(palette.GetColor(0), Rgb(0x10, 0x20, 0x30));
  EXPECT_EQ(palette.GetColor(1), Rgb(0xAA, 0xBB, 0xCC));
  EXPECT_EQ(palette.GetColor(2), Rgb(0xA0, 0xB0, 0xC0));
  EXPECT_EQ(palette.GetColor(3), clNone);
  EXPECT_EQ(palette.GetColor(4), clNone);
  EXPECT_EQ(palette.GetColor(5), clNone);
  EXPECT_EQ(palette.GetColor(6), Rgb(0xFF, 0, 0xFF));
}

TEST(Palette, ReadsAPaletteWrittenByXlwtAsXlrdSeesIt) {
  if (!test_support::PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
  test_support::TScratchDir dir;
  std::string expected =
      test_support::RunPython(dir,
                              "import xlwt, xlrd\n"
                              "wb = xlwt.Workbook()\n"
                              "wb.set_colour_RGB(0x21, 1, 2, 3)\n"
                              "wb.set_colour_RGB(0x3F, 250, 128, 7)\n"
                              "wb.add_sheet('A').write(0, 0, 1)\n"
                              "wb.save('p.xls')\n"
                              "book = xlrd.open_workbook('p.xls', formatting_info=True)\n"
                              "for i in range(8, 64): print(i, *book.colour_map[i])\n");
  TMemoryStream file;
  file.LoadFromFile(dir.File("p.xls"));
  TOleStreamReader records = XLSOpenWorkbookStream(file);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(records.Size()));
  records.Copy(0, bytes.data(), bytes.size());
  TExporterXLSX_Palette palette;
  bool found = false;
  for (std::size_t at = 0; at + 4 <= bytes.size();) {
    std::size_t id = bytes[at] | (bytes[at + 1] << 8), size = bytes[at + 2] | (bytes[at + 3] << 8);
    if (at + 4 + size > bytes.size()) break;
    if (id == 0x0092) {
      palette.ReadPalette(std::span(bytes.data() + at + 4, size));
      found = true;
    }
    at += 4 + size;
  }
  ASSERT_TRUE(found);
  std::string ours;
  for (int i = 8; i < 64; ++i) {
    TColor c = palette.GetColor(i);
    ours += std::to_string(i) + " " + std::to_string(c & 0xFF) + " " +
            std::to_string((c >> 8) & 0xFF) + " " + std::to_string((c >> 16) & 0xFF) + "\n";
  }
  EXPECT_EQ(ours, expected);
}

using test::FakeTheme;

class FakePalette : public IColorPalette {
 public:
  TColor GetColor(int Index) const override {
    if (Index == 2) return 0x0000FF;
    if (Index == 64) return 0;
    return Index >= 0 && Index < 66 ? 0x808080 : clNone;
  }
};

TColor ReadColor(const std::string& element, const IThemeColors* theme = nullptr,
                 const IColorPalette* palette = nullptr) {
  TXmlDocument doc;
  doc.LoadFromString(element);
  return ReadXLSXColor(doc.DocumentElement(), theme, palette);
}

TEST(ReadXLSXColorTest, RgbThemeAndIndexed) {
  FakeTheme theme;
  FakePalette palette;
  TExporterXLSX_Palette filePalette;
  const TColorPaletteRef xlsPalette(filePalette);
  const std::pair<const char*, TColor> cases[] = {
      {R"(<color rgb="FF102030"/>)", 0x302010},
      {R"(<color rgb="102030"/>)", 0x302010},
      {R"(<color rgb="12345"/>)", clNone},
      {R"(<color rgb="FF102030" theme="1" indexed="2"/>)", 0x302010},  // rgb wins
      {R"(<color theme="4"/>)", 0xBD814F},
      {R"(<color theme="4" tint="0"/>)", 0xBD814F},
      {R"(<color theme="4" tint="0.3999755851924192"/>)", ApplyTint(0xBD814F, 0.3999755851924192)},
      {R"(<color theme="0" tint="-0.499984740745262"/>)", ApplyTint(0xFFFFFF, -0.499984740745262)},
      // A theme index outside the theme is no colour.
      {R"(<color theme="6"/>)", clNone},
      {R"(<color theme="-1"/>)", clNone},
      {R"(<color theme="x"/>)", clNone},
      {R"(<color indexed="2"/>)", 0x0000FF},
      {R"(<color indexed="64"/>)", 0},
      {R"(<color indexed="66"/>)", clNone},
      {R"(<color auto="1"/>)", clNone}};
  for (auto [element, color] : cases)
    EXPECT_EQ(ReadColor(element, &theme, &palette), color) << element;
  EXPECT_EQ(ReadColor(R"(<color theme="1"/>)", nullptr), clNone);
  EXPECT_EQ(ReadColor(R"(<color indexed="2"/>)", nullptr, nullptr), clNone);
  EXPECT_EQ(ReadXLSXColor(TXmlNode(), nullptr, nullptr), clNone);
  // Through the XLS palette.
  EXPECT_EQ(ReadColor(R"(<color indexed="2"/>)", nullptr, &xlsPalette), 0x0000FF);
  EXPECT_EQ(ReadColor(R"(<color indexed="65"/>)", nullptr, &xlsPalette), 0xFFFFFF);
  EXPECT_EQ(ReadColor(R"(<color indexed="66"/>)", nullptr, &xlsPalette), clNone);
}

// The font and border lists hand the file's theme and palette on to their colours.
TEST(ReadXLSXColorTest, FontsAndBordersResolveThroughTheFilesColours) {
  TXmlDocument doc;
  doc.LoadFromString(
      "<styleSheet><fonts><font><color theme=\"4\"/></font><font><color indexed=\"2\"/></font>"
      "</fonts><borders><border><left style=\"thin\"><color theme=\"4\"/></left>"
      "<right style=\"thin\"><color indexed=\"2\"/></right></border></borders></styleSheet>");
  FakeTheme theme;
  FakePalette palette;
  TExportFontList fonts;
  fonts.ReadXLSX(doc.DocumentElement().Child("fonts"), &theme, &palette);
  EXPECT_EQ(fonts.GetItem(0)->GetColor(), 0xBD814F);
  EXPECT_EQ(fonts.GetItem(1)->GetColor(), 0x0000FF);
  TExportCellBordersList borders;
  borders.ReadXLSX(doc.DocumentElement().Child("borders"), &theme, &palette);
  EXPECT_EQ(borders.GetItem(0)->GetBorder(TExportCellBorders::bLeft).Color, 0xBD814F);
  EXPECT_EQ(borders.GetItem(0)->GetBorder(TExportCellBorders::bRight).Color, 0x0000FF);
}

}  // namespace
}  // namespace workbook
