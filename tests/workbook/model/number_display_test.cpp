#include "workbook/model/number_display.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace workbook {
namespace {

struct FixedCase {
  double value;
  int decimals;
  int minInteger;
  char16_t group;
  std::u16string expected;
};

class FixedTextTest : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedTextTest, FormatsWithCarryAndGrouping) {
  const FixedCase& c = GetParam();
  EXPECT_EQ(FormatFixedText(c.value, c.decimals, c.minInteger, u',', c.group), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FixedTextTest,
    ::testing::Values(FixedCase{9.996, 2, 1, 0, u"10,00"},  // carry into the integer part
                      FixedCase{999999.995, 2, 1, u'.', u"1.000.000,00"},
                      FixedCase{1.005, 2, 1, 0, u"1,01"},   // 15 significant digits first
                      FixedCase{-0.001, 2, 1, 0, u"0,00"},  // no negative zero
                      FixedCase{-1234.5, 1, 1, u' ', u"-1 234,5"}, FixedCase{0.5, 0, 1, 0, u"1"},
                      FixedCase{0.0004, 3, 1, 0, u"0,000"}, FixedCase{0.0005, 3, 1, 0, u"0,001"},
                      FixedCase{7.25, 2, 4, 0, u"0007,25"}, FixedCase{0.25, 2, 0, 0, u",25"},
                      FixedCase{1e20, 0, 1, 0, u"100000000000000000000"},
                      FixedCase{123456789.125, 2, 1, u'\'', u"123'456'789,13"}));

TEST(NonFiniteTest, EveryDisplayEnds) {
  double inf = std::numeric_limits<double>::infinity();
  double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(FormatFixedText(inf, 2, 1, u'.', 0), u"INF");
  EXPECT_EQ(FormatFixedText(-inf, 2, 1, u'.', 0), u"-INF");
  EXPECT_EQ(FormatScientificText(nan, 2, 1, 2, u'.', 0), u"NAN");
  EXPECT_EQ(FormatScientificText(-inf, 2, 1, 2, u'.', 0), u"-INF");
  EXPECT_EQ(FormatFractionText(inf, 2, 0), u"INF");
}

struct ScientificCase {
  double value;
  int decimals;
  int exponentDigits;
  std::u16string expected;
};

class ScientificTextTest : public ::testing::TestWithParam<ScientificCase> {};

TEST_P(ScientificTextTest, NormalisesTheMantissa) {
  const ScientificCase& c = GetParam();
  EXPECT_EQ(FormatScientificText(c.value, c.decimals, 1, c.exponentDigits, u'.', 0), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScientificTextTest,
                         ::testing::Values(ScientificCase{12345, 2, 2, u"1.23E+04"},
                                           ScientificCase{9.996, 2, 2, u"1.00E+01"},
                                           ScientificCase{0.00099999, 1, 2, u"1.0E-03"},
                                           ScientificCase{0, 2, 2, u"0.00E+00"},
                                           ScientificCase{-0.5, 0, 3, u"-5E-001"},
                                           ScientificCase{1e300, 1, 2, u"1.0E+300"},
                                           ScientificCase{5e-324, 1, 2, u"4.9E-324"}));

struct FractionCase {
  double value;
  int digits;
  std::u16string expected;
};

class FractionTextTest : public ::testing::TestWithParam<FractionCase> {};

TEST_P(FractionTextTest, UsesTheBestConvergent) {
  const FractionCase& c = GetParam();
  EXPECT_EQ(FormatFractionText(c.value, c.digits, 0), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FractionTextTest,
    ::testing::Values(FractionCase{0.5, 1, u"1/2"},  // remainder 0 ends
                      FractionCase{1.75, 1, u"1 3/4"}, FractionCase{3.14159265, 1, u"3 1/7"},
                      FractionCase{3.14159265, 3, u"3 16/113"}, FractionCase{2, 1, u"2"},
                      FractionCase{0, 1, u"0"}, FractionCase{0.9999, 1, u"1"},  // carry to a whole
                      FractionCase{-0.5, 1, u"-1/2"}, FractionCase{-2.25, 2, u"-2 1/4"},
                      FractionCase{0.333333, 2, u"1/3"}));

TEST(GroupDigitsTest, GroupsByThreeFromTheRight) {
  EXPECT_EQ(GroupDigits("1234567", u'.'), u"1.234.567");
  EXPECT_EQ(GroupDigits("123", u'.'), u"123");
  EXPECT_EQ(GroupDigits("1234", 0), u"1234");
}

}  // namespace
}  // namespace workbook
