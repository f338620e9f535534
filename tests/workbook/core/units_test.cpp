#include "workbook/core/units.h"

#include <gtest/gtest.h>

namespace workbook {
namespace {

TEST(UnitsTest, CentimetresAndInches) {
  EXPECT_DOUBLE_EQ(InchToCm(0.75), 1.905);
  for (double cm : {0.0, 1.0, 1.9, 2.5, 100.0}) EXPECT_NEAR(InchToCm(CmToInch(cm)), cm, 1e-12);
}

TEST(UnitsTest, XlsxWidthsAndHeights) {
  EXPECT_DOUBLE_EQ(XLSXColWidthToPixels(u"8.43", 7), 59.01);
  EXPECT_DOUBLE_EQ(XLSXColWidthToPixels(u"", 8), 0);
  EXPECT_DOUBLE_EQ(XLSXPointsToPixels(u"15"), 20);
  EXPECT_DOUBLE_EQ(XLSXPointsToPixels(u"12.75"), 17);
  EXPECT_DOUBLE_EQ(XLSXPointsToPixels(u"x"), 0);
  EXPECT_DOUBLE_EQ(XLSXLeadingPointsToPixels(u"12.75pt;width:3pt"), 17);
  EXPECT_DOUBLE_EQ(XLSXLeadingPointsToPixels(u"pt15"), 0);
  EXPECT_DOUBLE_EQ(XLSXLeadingPointsToPixels(u""), 0);
}

TEST(UnitsTest, XlsColumnWidth) {
  EXPECT_DOUBLE_EQ(XLSColWidthToPixels(2560, 7), 70);
  EXPECT_DOUBLE_EQ(XLSColWidthToPixels(0, 7), 0);
  EXPECT_DOUBLE_EQ(XLSColWidthToPixels(65535, 8), 2047.96875);
}

TEST(XMLStrToBoolDefTest, FirstCharacter) {
  const struct {
    std::u16string_view text;
    bool def;
    bool result;
  } cases[] = {{u"1", false, true}, {u"True", false, true}, {u"t", false, true},
               {u"0", true, false}, {u"yes", true, false},  {u"", true, true},
               {u"", false, false}, {u" 1", true, false}};
  for (const auto& c : cases) EXPECT_EQ(XMLStrToBoolDef(c.text, c.def), c.result);
}

}  // namespace
}  // namespace workbook
