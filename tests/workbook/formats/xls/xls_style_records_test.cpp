// The style parts of XF and FONT records: font records as xlrd reads the ones we write, odd and
// cut record data read, the font list's order in the file, and the border fields of an XF.
#include <gtest/gtest.h>

#include <vector>

#include "biff_builder.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/stream.h"
#include "workbook/formats/xls/xls_cell_borders.h"
#include "workbook/model/font_list.h"
#include "workbook/model/style_test_support.h"
#include "xls_test_support.h"

namespace workbook {
namespace {

using xls_test::Bytes;
using xls_test::FromHex;
using xls_test::ToHex;

// Hands out indexes 8, 9, ... in the order colours are asked for; knows the indexes 0 to 65.
struct FakePalette {
  std::vector<TColor> asked;
  std::uint8_t GetColorIndex(TColor color) {
    asked.push_back(color);
    return static_cast<std::uint8_t>(7 + asked.size());
  }
  TColor GetColor(int index) const { return index < 66 ? 0x010101 * index : clNone; }
};

TExportFont MakeFont(const std::u16string& name, int size, TExportFontStyle style) {
  TExportFont font;
  font.SetName(name);
  font.SetSize(size);
  font.GetStyle() = style;
  return font;
}

struct FontReadCase {
  const char* hex;
  int size;
  std::u16string name;
  const char* key;  // Bold;Underline;Italic;VertPosition;StrikeOut
};

TEST(FontRecord, ReadMapsCodesBack) {
  const FontReadCase cases[] = {
      // 11 pt, italic, struck out, weight 400, superscript, double accounting, 8-bit name
      {"dc000a000c0090010100220000000400436f7572", 11, u"Cour", "2;4;1;1;1"},
      // weight 800 reads as bold, escapement 7 as baseline, underline byte 0x55 as none
      {"640000000000200307005500000001010c01", 5, u"\u010C", "1;5;2;3;2"},
      // underline and escapement 0 leave those unset
      {"640000000000200300000000000001010c01", 5, u"\u010C", "1;0;2;0;2"},
  };
  for (const FontReadCase& c : cases) {
    TExportFont font;
    font.ReadXLS(FromHex(c.hex));
    EXPECT_EQ(font.GetSize(), c.size);
    EXPECT_EQ(font.GetName(), c.name);
    EXPECT_EQ(test::Narrow(font.GetStyle().GetKeyString()), c.key);
  }
}

TEST(FontRecord, TruncatedDataRaisesAndLeavesTheFont) {
  const Bytes full{0xC8, 0, 0, 0, 0, 0, 0x90, 1, 0, 0, 0, 0, 0, 0, 3, 1, 'A', 0, 'B', 0, 'C', 0};
  for (std::size_t size : {0u, 13u, 15u, 16u, 21u}) {
    TExportFont font = MakeFont(u"Keep", 12, {});
    EXPECT_THROW(font.ReadXLS(std::span(full.data(), size)), EWorkbookFileException) << size;
    EXPECT_EQ(font.GetName(), u"Keep");
    EXPECT_EQ(font.GetSize(), 12);
  }
}

TEST(FontList, WritesEntryZeroFourTimesThenTheRest) {
  TExportFontList fonts;
  fonts.Add(MakeFont(u"B", 12, {}));
  TExportFont red = MakeFont(u"C", 8, {});
  red.SetColor(0x0000FF);
  fonts.Add(red);
  TMemoryStream stream;
  FakePalette palette;
  fonts.WriteXLS(stream, palette);
  EXPECT_EQ(palette.asked, (std::vector<TColor>{clNone, clNone, 0x0000FF}));
  // Header 0x31 length 26, 10 pt, no flags, colour 8, weight 400, no escapement or underline.
  const std::string arial = "31001a00c800000008009001000000000000050141007200690061006c00";
  EXPECT_EQ(ToHex(stream.Data()), arial + arial + arial + arial +
                                      "31001200f00000000900900100000000000001014200"
                                      "31001200a00000000a00900100000000000001014300");
}

TEST(FontList, ReadKeepsFileOrderAndResolvesColours) {
  TExportFontList fonts;
  fonts.Clear();
  FakePalette palette;
  const Bytes blue{0xC8, 0, 0, 0, 10, 0, 0x90, 1, 0, 0, 0, 0, 0, 0, 1, 0, 'X'};
  const Bytes automatic{0xC8, 0, 0, 0, 0xFF, 0x7F, 0x90, 1, 0, 0, 0, 0, 0, 0, 1, 0, 'X'};
  EXPECT_EQ(fonts.ReadXLS(blue, palette), 0);
  EXPECT_EQ(fonts.ReadXLS(blue, palette), 1);
  EXPECT_EQ(fonts.ReadXLS(automatic, palette), 2);
  EXPECT_EQ(fonts.GetItem(0)->GetColor(), 0x0A0A0A);
  EXPECT_EQ(fonts.GetItem(2)->GetColor(), clNone);
}

// xlrd parses our FONT record data with its own BIFF8 font parser: every field of the record,
// names cut to 255 characters and heights clamped to the field.
TEST(FontRecordPeer, XlrdReadsWhatWeWrite) {
  const TExportFont fonts[] = {MakeFont(u"Arial", 10, {1, 3, 1, 1, 2}),
                               MakeFont(u"Times New Roman", 14, {2, 2, 2, 2, 1}),
                               MakeFont(u"\u017Dlt\u00FD", 9, {}),
                               MakeFont(u"Arial", 10, {2, 5, 2, 2, 3}),
                               MakeFont(u"Arial", 10, {0, 4, 0, 0, 0}),
                               MakeFont(std::u16string(300, u'x'), 4000, {}),
                               MakeFont(u"Arial", -1, {})};
  const std::uint16_t colours[] = {12, 8, 63, 0x0A, 0x0A, 0, 0};
  std::vector<std::string> records;
  for (std::size_t i = 0; i < std::size(fonts); ++i)
    records.push_back(ToHex(fonts[i].WriteXLS(colours[i])));
  EXPECT_EQ(test_support::RunPeer(xls_test::kPeers + "fonts_xlrd.py", records),
            "Arial 200 1 1 700 2 33 12\n"
            "Times New Roman 280 0 0 400 1 2 8\n"
            "\xC5\xBDlt\xC3\xBD 180 0 0 400 0 0 63\n"
            "Arial 200 0 0 400 0 0 10\n"
            "Arial 200 0 0 400 0 34 10\n" +
                std::string(255, 'x') +
                " 65535 0 0 400 0 0 0\n"
                "Arial 0 0 0 400 0 0 0\n");
}

TEST(CellBordersXls, FieldsFollowTheXfLayout) {
  TExportCellBorders borders;
  borders.GetBorder(TExportCellBorders::bLeft) = TExportCellBorder(2, 0x0000FF);
  borders.GetBorder(TExportCellBorders::bRight) = TExportCellBorder(3, 0xFF0000);
  borders.GetBorder(TExportCellBorders::bTop) = TExportCellBorder(1, 0x123456);
  borders.GetBorder(TExportCellBorders::bBottom) = TExportCellBorder(7, clNone);
  borders.GetBorder(TExportCellBorders::bDiagonalDown) = TExportCellBorder(6, 0x00FF00);
  borders.GetBorder(TExportCellBorders::bDiagonalUp) = TExportCellBorder(8, 0x00FFFF);
  FakePalette palette;
  const TXLSBorderFields fields = XLSWriteBorders(borders, palette);
  // Codes left 1, right 2, top 0, bottom 6; colours left 8 (bits 16-22), right 9 (23-29); both
  // diagonal flags (bits 30, 31).
  EXPECT_EQ(fields.Lines, 0xC4886021u);
  // Top has no colour (none), bottom 10 (bits 7-13), diagonal colour 11 (14-20) and the down
  // diagonal's code 5 (21-24).
  EXPECT_EQ(fields.Colors, 0x00A2C500u);
  EXPECT_EQ(palette.asked, (std::vector<TColor>{0x0000FF, 0xFF0000, clNone, 0x00FF00}));
}

TEST(CellBordersXls, UpDiagonalAloneAndEmptySet) {
  TExportCellBorders borders;
  borders.GetBorder(TExportCellBorders::bDiagonalUp) = TExportCellBorder(14, 0x00FFFF);
  borders.GetBorder(TExportCellBorders::bDiagonalDown) = TExportCellBorder(1, 0x00FF00);
  FakePalette palette;
  const TXLSBorderFields fields = XLSWriteBorders(borders, palette);
  // Four unset sides (code 0) still take colour indexes 8 to 11; the up diagonal 12, code 13.
  EXPECT_EQ(fields.Lines, 0x80000000u | 9u << 23 | 8u << 16);
  EXPECT_EQ(fields.Colors, 10u | 11u << 7 | 12u << 14 | 13u << 21);
}

TEST(CellBordersXls, ReadBuildsTheSixLines) {
  const std::tuple<std::uint32_t, std::uint32_t, const char*> cases[] = {
      // top none (code 0 reads as 1), right medium colour 9, bottom double 10, left thin 8, both
      // diagonals thick with colour 11
      {0xC4886021u, 0x00A2C500u, "1;0;3;592137;7;657930;2;526344;6;723723;6;723723"},
      // no diagonal flags; code 15 reads as 14 (the last style), index 127 is outside the palette
      {0x3FFFFFFFu, 0x01FFFFFFu,
       "14;536870911;14;536870911;14;536870911;14;536870911;1;536870911;1;536870911"}};
  for (const auto& [lines, colors, key] : cases) {
    TExportCellBorders borders;
    FakePalette palette;
    XLSReadBorders(borders, {lines, colors}, palette);
    EXPECT_EQ(test::Narrow(borders.GetKeyString()), key);
  }
}

}  // namespace
}  // namespace workbook
