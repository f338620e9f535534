#include "workbook/model/number_display.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace workbook {
namespace {

TEST(NumberDisplayTest, FixedTextCarriesAndGroups) {
  // Carry into the integer part, 15 significant digits first, no negative zero.
  const struct {
    double value;
    int decimals, minInteger;
    char16_t group;
    std::u16string expected;
  } cases[] = {{9.996, 2, 1, 0, u"10,00"},
               {999999.995, 2, 1, u'.', u"1.000.000,00"},
               {1.005, 2, 1, 0, u"1,01"},
               {-0.001, 2, 1, 0, u"0,00"},
               {-1234.5, 1, 1, u' ', u"-1 234,5"},
               {0.5, 0, 1, 0, u"1"},
               {0.0004, 3, 1, 0, u"0,000"},
               {0.0005, 3, 1, 0, u"0,001"},
               {7.25, 2, 4, 0, u"0007,25"},
               {0.25, 2, 0, 0, u",25"},
               {1e20, 0, 1, 0, u"100000000000000000000"},
               {123456789.125, 2, 1, u'\'', u"123'456'789,13"}};
  for (const auto& c : cases)
    EXPECT_EQ(FormatFixedText(c.value, c.decimals, c.minInteger, u',', c.group), c.expected)
        << c.value;
  EXPECT_EQ(GroupDigits("1234567", u'.'), u"1.234.567");
  EXPECT_EQ(GroupDigits("123", u'.'), u"123");
  EXPECT_EQ(GroupDigits("1234", 0), u"1234");
}

TEST(NumberDisplayTest, NonFiniteValuesEndEveryDisplay) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(FormatFixedText(inf, 2, 1, u'.', 0), u"INF");
  EXPECT_EQ(FormatFixedText(-inf, 2, 1, u'.', 0), u"-INF");
  EXPECT_EQ(FormatScientificText(std::nan(""), 2, 1, 2, u'.', 0), u"NAN");
  EXPECT_EQ(FormatScientificText(-inf, 2, 1, 2, u'.', 0), u"-INF");
  EXPECT_EQ(FormatFractionText(inf, 2, 0), u"INF");
}

TEST(NumberDisplayTest, ScientificNormalisesTheMantissa) {
  const struct {
    double value;
    int decimals, exponentDigits;
    std::u16string expected;
  } cases[] = {{12345, 2, 2, u"1.23E+04"},     {9.996, 2, 2, u"1.00E+01"},
               {0.00099999, 1, 2, u"1.0E-03"}, {0, 2, 2, u"0.00E+00"},
               {-0.5, 0, 3, u"-5E-001"},       {1e300, 1, 2, u"1.0E+300"},
               {5e-324, 1, 2, u"4.9E-324"}};
  for (const auto& c : cases)
    EXPECT_EQ(FormatScientificText(c.value, c.decimals, 1, c.exponentDigits, u'.', 0), c.expected)
        << c.value;
}

TEST(NumberDisplayTest, FractionUsesTheBestConvergent) {
  // A remainder of 0 ends the search; 0.9999 carries to a whole.
  const struct {
    double value;
    int digits;
    std::u16string expected;
  } cases[] = {{0.5, 1, u"1/2"},     {1.75, 1, u"1 3/4"},          {3.14159265, 1, u"3 1/7"},
               {2, 1, u"2"},         {3.14159265, 3, u"3 16/113"}, {0, 1, u"0"},
               {0.9999, 1, u"1"},    {-0.5, 1, u"-1/2"},           {-2.25, 2, u"-2 1/4"},
               {0.333333, 2, u"1/3"}};
  for (const auto& c : cases)
    EXPECT_EQ(FormatFractionText(c.value, c.digits, 0), c.expected) << c.value;
}

}  // namespace
}  // namespace workbook
