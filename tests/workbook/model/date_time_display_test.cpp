#include "workbook/model/date_time_display.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "platform/format_settings.h"

namespace workbook {
namespace {

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
  const std::pair<double, const char*> cases[] = {{0, "1899-12-30 00:00:00"},
                                                  {1, "1899-12-31 00:00:00"},
                                                  {61, "1900-03-01 00:00:00"},
                                                  {45000.75, "2023-03-15 18:00:00"},
                                                  {-1.25, "1899-12-29 06:00:00"},
                                                  {45000.9999999, "2023-03-16 00:00:00"},
                                                  {45000.99998, "2023-03-15 23:59:58"},
                                                  {1462, "1904-01-01 00:00:00"},
                                                  {2958465, "9999-12-31 00:00:00"},
                                                  {3e6, "no"},
                                                  {-7e5, "no"},
                                                  {std::nan(""), "no"}};
  for (auto [serial, expected] : cases) EXPECT_EQ(Decoded(serial), expected) << serial;
}

TEST(DateTimeDisplayTest, NormalisesAndClassifiesCodes) {
  EXPECT_EQ(NormalizeDateTimeCode(u"[$-409]DD.MM.YYYY;@"), u"dd.mm.yyyy");
  EXPECT_EQ(NormalizeDateTimeCode(u"[h]:mm:ss"), u"h:mm:ss");
  EXPECT_EQ(NormalizeDateTimeCode(u"hh\\:mm"), u"hh:mm");
  EXPECT_EQ(DateTimeKindOf(u"dd.mm.yyyy"), TDateTimeKind::Date);
  EXPECT_EQ(DateTimeKindOf(u"hh:mm"), TDateTimeKind::Time);
  EXPECT_EQ(DateTimeKindOf(u"d.m.yyyy h:mm"), TDateTimeKind::DateTime);
  EXPECT_EQ(DateTimeKindOf(u"mmm"), TDateTimeKind::DateTime);
  // The cell tests see the date and time kinds; an elapsed time keeps its days.
  EXPECT_EQ(DateTimeKindValue(1.5, TDateTimeKind::Time, true), 1.5);
}

TEST(DateTimeDisplayTest, FormatsTheFields) {
  const platform::TFormatSettings saved = platform::FormatSettings();
  platform::FormatSettings().DateSeparator = u'/';
  platform::FormatSettings().TimeSeparator = u':';
  const struct {
    std::u16string code;
    double value;
    bool elapsed;
    std::u16string expected;
  } cases[] = {{u"dd.mm.yyyy", 45000.75, false, u"15.03.2023"},
               {u"d/m/yy", 45000, false, u"15/3/23"},
               {u"hh:mm:ss", 0.75, false, u"18:00:00"},
               {u"h:mm am/pm", 0.75, false, u"6:00 PM"},
               {u"h:mm", 1.5, true, u"36:00"},
               {u"mm:ss", 0.0015, false, u"02:10"},
               {u"ddd d mmm yyyy", 45000, false, u"Wed 15 Mar 2023"},
               {u"yyyy-mm-dd\"T\"hh:mm", 45000.5, false, u"2023-03-15T12:00"},
               {u"dd.mm.yyyy", 5e6, false, u""}};
  for (const auto& c : cases)
    EXPECT_EQ(FormatDateTimeCode(c.code, c.value, c.elapsed), c.expected) << c.value;
  platform::FormatSettings() = saved;
}

}  // namespace
}  // namespace workbook
