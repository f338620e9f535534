#include "workbook/core/units.h"

#include <gtest/gtest.h>

#include <tuple>

#include "workbook/core/rk_number.h"

namespace workbook {
namespace {

TEST(UnitsTest, CentimetresAndInches) {
  EXPECT_DOUBLE_EQ(InchToCm(0.75), 1.905);
  for (double cm : {0.0, 1.0, 1.9, 2.5, 100.0}) EXPECT_NEAR(InchToCm(CmToInch(cm)), cm, 1e-12);
}

TEST(UnitsTest, ColumnWidthsAndRowHeightsInPixels) {
  EXPECT_DOUBLE_EQ(XLSXColWidthToPixels(u"8.43", 7), 59.01);
  EXPECT_DOUBLE_EQ(XLSXColWidthToPixels(u"", 8), 0);
  EXPECT_DOUBLE_EQ(XLSXPointsToPixels(u"15"), 20);
  EXPECT_DOUBLE_EQ(XLSXPointsToPixels(u"12.75"), 17);
  EXPECT_DOUBLE_EQ(XLSXPointsToPixels(u"x"), 0);
  EXPECT_DOUBLE_EQ(XLSXLeadingPointsToPixels(u"12.75pt;width:3pt"), 17);
  EXPECT_DOUBLE_EQ(XLSXLeadingPointsToPixels(u"pt15"), 0);
  EXPECT_DOUBLE_EQ(XLSColWidthToPixels(2560, 7), 70);
  EXPECT_DOUBLE_EQ(XLSColWidthToPixels(65535, 8), 2047.96875);
}

TEST(XMLStrToBoolDefTest, FirstCharacter) {
  const std::tuple<std::u16string_view, bool, bool> cases[] = {
      {u"1", false, true},   {u"True", false, true}, {u"t", false, true}, {u"0", true, false},
      {u"yes", true, false}, {u"", true, true},      {u"", false, false}, {u" 1", true, false}};
  for (const auto& [text, def, result] : cases) EXPECT_EQ(XMLStrToBoolDef(text, def), result);
}

// The XLS reader's peer tests decode the common numbers of real files. Zero, the integer range's
// ends and the hundredths, then values built with Python's struct, independently of this code:
//   integer form:  ((n << 2) & 0xFFFFFFFF) | 2 | times100
//   IEEE form:     struct.unpack('<II', struct.pack('<d', v))[1] | times100
TEST(RKNumberTest, Decodes) {
  const std::pair<uint32_t, double> cases[] = {
      {0x00000000, 0.0},          {0x00000003, 0.0},   {0x7FFFFFFE, 536870911.0},
      {0x80000002, -536870912.0}, {0x0000134B, 12.34}, {0xFFFFFFEF, -0.05},
      {0x00000007, 0.01},         {0xC0060000, -2.75}, {0x3F000000, 3.0517578125e-05},
      {0x3FF00001, 0.01},         {0x40590001, 1.0}};
  for (auto [rk, value] : cases) EXPECT_EQ(RKToDouble(rk), value) << std::hex << rk;
}

}  // namespace
}  // namespace workbook
