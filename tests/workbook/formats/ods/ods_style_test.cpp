#include <gtest/gtest.h>

#include "workbook/formats/xml_test_support.h"

#include "workbook/core/hashed_strings.h"
#include "workbook/model/cell_borders.h"
#include "workbook/model/font.h"

namespace workbook {
namespace {

using test::XmlScratch;

struct FontStyleOdsCase {
  TExportFontStyle style;
  bool withPosition;
  const char* expected;
};

class FontStyleOds : public ::testing::TestWithParam<FontStyleOdsCase> {};

TEST_P(FontStyleOds, WritesTextProperties) {
  XmlScratch xml("p");
  GetParam().style.WriteODS(xml.Root(), GetParam().withPosition);
  EXPECT_EQ(xml.Text(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, FontStyleOds,
    ::testing::Values(
        FontStyleOdsCase{{}, true, "<p/>"},
        FontStyleOdsCase{
            {1, 1, 1, 1, 1},
            true,
            "<p fo:font-style=\"italic\" fo:font-weight=\"bold\" "
            "style:text-underline-style=\"solid\" "
            "style:text-line-through-style=\"solid\" style:text-position=\"33% 58%\"/>"},
        FontStyleOdsCase{
            {2, 5, 2, 2, 2},
            true,
            "<p fo:font-style=\"normal\" fo:font-weight=\"normal\" "
            "style:text-underline-style=\"none\" "
            "style:text-line-through-style=\"none\" style:text-position=\"-33% 58%\"/>"},
        FontStyleOdsCase{{0, 2, 0, 0, 1},
                         false,
                         "<p style:text-underline-style=\"solid\" "
                         "style:text-underline-type=\"double\"/>"},
        FontStyleOdsCase{{0, 3, 0, 0, 3}, true, "<p style:text-underline-style=\"solid\"/>"},
        FontStyleOdsCase{{0, 4, 0, 0, 0},
                         true,
                         "<p style:text-underline-style=\"solid\" "
                         "style:text-underline-type=\"double\"/>"}));

// An automatic colour is black; unset fields are left out; a name registers its face.
TEST(FontOds, WritesNameColourSizeAndRegistersTheFace) {
  TExportFont font;
  THashedStrings faces;
  XmlScratch xml("p");
  font.SetSize(-1);
  font.WriteODS(xml.Root(), faces, true);
  EXPECT_EQ(xml.Text(), "<p fo:color=\"#000000\"/>");
  EXPECT_EQ(faces.Count(), 0);
  font.SetName(u"Liberation Sans");
  font.SetSize(12);
  font.SetColor(0x332211);
  font.GetStyle().Bold = 1;
  XmlScratch named("p");
  font.WriteODS(named.Root(), faces, false);
  EXPECT_EQ(named.Text(),
            "<p style:font-name=\"Liberation Sans\" fo:color=\"#112233\" fo:font-size=\"12pt\" "
            "fo:font-weight=\"bold\"/>");
  EXPECT_EQ(faces.IndexOf(u"Liberation Sans"), 0);
}

struct BorderOdsCase {
  TExportCellBorder line;
  const char* attribute;
  const char* expected;
};

class BorderOds : public ::testing::TestWithParam<BorderOdsCase> {};

TEST_P(BorderOds, WritesStyleTextAndColour) {
  XmlScratch xml("p");
  GetParam().line.WriteODS(xml.Root(), GetParam().attribute);
  EXPECT_EQ(xml.Text(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BorderOds,
    ::testing::Values(
        // None carries no colour; an automatic colour is black, not the white of its bits.
        BorderOdsCase{{1, 0x0000FF}, "fo:border-left", "<p fo:border-left=\"none\"/>"},
        BorderOdsCase{
            {2, 0x0000FF}, "fo:border-top", "<p fo:border-top=\"0.74pt solid #FF0000\"/>"},
        BorderOdsCase{{7, clNone},
                      "style:diagonal-bl-tr",
                      "<p style:diagonal-bl-tr=\"2.01pt double #000000\"/>"},
        BorderOdsCase{{6, 0x332211},
                      "style:diagonal-tl-br",
                      "<p style:diagonal-tl-br=\"2.49pt solid #112233\"/>"}));

}  // namespace
}  // namespace workbook
