#include "workbook/model/number_display.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <tuple>

#include "platform/format_settings.h"
#include "workbook/model/date_time_display.h"

namespace workbook {
namespace {

TEST(NumberDisplayTest, FixedTextCarriesAndGroups) {
  // Carry into the integer part, 15 significant digits first, no negative zero.
  std::u16string fixed;
  const std::tuple<double, int, int, char16_t> cases[] = {
      {9.996, 2, 1, 0},      {999999.995, 2, 1, u'.'}, {1.005, 2, 1, 0},  {-0.001, 2, 1, 0},
      {-1234.5, 1, 1, u' '}, {0.5, 0, 1, 0},           {0.0005, 3, 1, 0}, {7.25, 2, 4, 0},
      {0.25, 2, 0, 0},       {1e20, 0, 1, 0}};
  for (auto [value, decimals, minInteger, group] : cases)
    fixed += FormatFixedText(value, decimals, minInteger, u',', group) + u"|";
  EXPECT_EQ(fixed,
            u"10,00|1.000.000,00|1,01|0,00|-1 234,5|1|0,001|0007,25|,25|100000000000000000000|");
  EXPECT_EQ(GroupDigits("1234567", u'.'), u"1.234.567");
}

TEST(NumberDisplayTest, NonFiniteValuesEndEveryDisplay) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(FormatFixedText(inf, 2, 1, u'.', 0), u"INF");
  EXPECT_EQ(FormatFixedText(-inf, 2, 1, u'.', 0), u"-INF");
  EXPECT_EQ(FormatScientificText(std::nan(""), 2, 1, 2, u'.', 0), u"NAN");
  EXPECT_EQ(FormatFractionText(inf, 2, 0), u"INF");
}

TEST(NumberDisplayTest, ScientificNormalisesTheMantissa) {
  std::u16string texts;
  const std::tuple<double, int, int> cases[] = {{12345, 2, 2}, {9.996, 2, 2}, {0.00099999, 1, 2},
                                                {0, 2, 2},     {-0.5, 0, 3},  {1e300, 1, 2},
                                                {5e-324, 1, 2}};
  for (auto [value, decimals, exponentDigits] : cases)
    texts += FormatScientificText(value, decimals, 1, exponentDigits, u'.', 0) + u"|";
  EXPECT_EQ(texts, u"1.23E+04|1.00E+01|1.0E-03|0.00E+00|-5E-001|1.0E+300|4.9E-324|");
}

TEST(NumberDisplayTest, FractionUsesTheBestConvergent) {
  // A remainder of 0 ends the search; 0.9999 carries to a whole.
  std::u16string texts;
  const std::pair<double, int> cases[] = {{0.5, 1},        {1.75, 1},    {3.14159265, 1}, {2, 1},
                                          {3.14159265, 3}, {0, 1},       {0.9999, 1},     {-0.5, 1},
                                          {-2.25, 2},      {0.333333, 2}};
  for (auto [value, digits] : cases) texts += FormatFractionText(value, digits, 0) + u"|";
  EXPECT_EQ(texts, u"1/2|1 3/4|3 1/7|2|3 16/113|0|1|-1/2|-2 1/4|1/3|");
}

// The parts as "YYYY-MM-DD hh:mm:ss", or "no" when the serial is no date.
std::string Decoded(double serial) {
  TDateTimeParts p;
  if (!DecodeSerial(serial, p)) return "no";
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", p.Year, p.Month, p.Day, p.Hour,
                p.Minute, p.Second);
  return text;
}

TEST(DateTimeDisplayTest, DecodesSerialsCountedFrom18991230) {
  // Before the epoch the fraction is still the time; a hair before midnight rounds to it.
  std::string decoded;
  for (double serial :
       {0.0, 61.0, -1.25, 45000.9999999, 45000.99998, 1462.0, 2958465.0, 3e6, -7e5, std::nan("")})
    decoded += Decoded(serial) + "|";
  EXPECT_EQ(decoded,
            "1899-12-30 00:00:00|1900-03-01 00:00:00|1899-12-29 06:00:00|2023-03-16 00:00:00|"
            "2023-03-15 23:59:58|1904-01-01 00:00:00|9999-12-31 00:00:00|no|no|no|");
}

TEST(DateTimeDisplayTest, NormalisesAndClassifiesCodes) {
  EXPECT_EQ(NormalizeDateTimeCode(u"[$-409]DD.MM.YYYY;@"), u"dd.mm.yyyy");
  EXPECT_EQ(NormalizeDateTimeCode(u"[h]:mm:ss"), u"h:mm:ss");
  EXPECT_EQ(NormalizeDateTimeCode(u"hh\\:mm"), u"hh:mm");
  EXPECT_EQ(DateTimeKindOf(u"d.m.yyyy h:mm"), TDateTimeKind::DateTime);
  EXPECT_EQ(DateTimeKindOf(u"mmm"), TDateTimeKind::DateTime);
  // The date cells' table sees the plain date and time kinds; an elapsed time keeps its days.
  EXPECT_EQ(DateTimeKindValue(1.5, TDateTimeKind::Time, true), 1.5);
}

TEST(DateTimeDisplayTest, FormatsTheFields) {
  const platform::TFormatSettings saved = platform::FormatSettings();
  platform::FormatSettings().DateSeparator = u'/';
  platform::FormatSettings().TimeSeparator = u':';
  const std::tuple<std::u16string, double, bool, std::u16string> cases[] = {
      {u"d/m/yy", 45000, false, u"15/3/23"},
      {u"h:mm am/pm", 0.75, false, u"6:00 PM"},
      {u"h:mm", 1.5, true, u"36:00"},
      {u"mm:ss", 0.0015, false, u"02:10"},
      {u"ddd d mmm yyyy", 45000, false, u"Wed 15 Mar 2023"},
      {u"yyyy-mm-dd\"T\"hh:mm", 45000.5, false, u"2023-03-15T12:00"},
      {u"dd.mm.yyyy", 5e6, false, u""}};
  for (const auto& [code, value, elapsed, expected] : cases)
    EXPECT_EQ(FormatDateTimeCode(code, value, elapsed), expected) << value;
  platform::FormatSettings() = saved;
}

}  // namespace
}  // namespace workbook
