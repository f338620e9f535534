#include "workbook/model/date_time_display.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/format_settings.h"

namespace workbook {
namespace {

struct DecodeCase {
  double serial;
  int year, month, day, hour, minute, second;
};

class DecodeSerialTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeSerialTest, CountsFrom18991230) {
  const DecodeCase& c = GetParam();
  TDateTimeParts p;
  ASSERT_TRUE(DecodeSerial(c.serial, p));
  EXPECT_EQ(p.Year, c.year);
  EXPECT_EQ(p.Month, c.month);
  EXPECT_EQ(p.Day, c.day);
  EXPECT_EQ(p.Hour, c.hour);
  EXPECT_EQ(p.Minute, c.minute);
  EXPECT_EQ(p.Second, c.second);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeSerialTest,
    ::testing::Values(DecodeCase{0, 1899, 12, 30, 0, 0, 0}, DecodeCase{1, 1899, 12, 31, 0, 0, 0},
                      DecodeCase{61, 1900, 3, 1, 0, 0, 0},
                      DecodeCase{45000.75, 2023, 3, 15, 18, 0, 0},
                      DecodeCase{-1.25, 1899, 12, 29, 6, 0, 0},  // the fraction is still the time
                      DecodeCase{45000.9999999, 2023, 3, 16, 0, 0, 0},  // rounds to midnight
                      DecodeCase{45000.99998, 2023, 3, 15, 23, 59, 58},
                      DecodeCase{1462, 1904, 1, 1, 0, 0, 0},
                      DecodeCase{2958465, 9999, 12, 31, 0, 0, 0}));

TEST(DecodeSerialTest, RefusesWhatIsNoDate) {
  TDateTimeParts p;
  EXPECT_FALSE(DecodeSerial(3e6, p));
  EXPECT_FALSE(DecodeSerial(-7e5, p));
  EXPECT_FALSE(DecodeSerial(std::nan(""), p));
}

TEST(DateTimeCodeTest, NormalisesAndClassifies) {
  EXPECT_EQ(NormalizeDateTimeCode(u"[$-409]DD.MM.YYYY;@"), u"dd.mm.yyyy");
  EXPECT_EQ(NormalizeDateTimeCode(u"[h]:mm:ss"), u"h:mm:ss");
  EXPECT_EQ(NormalizeDateTimeCode(u"hh\\:mm"), u"hh:mm");
  EXPECT_EQ(DateTimeKindOf(u"dd.mm.yyyy"), TDateTimeKind::Date);
  EXPECT_EQ(DateTimeKindOf(u"hh:mm"), TDateTimeKind::Time);
  EXPECT_EQ(DateTimeKindOf(u"d.m.yyyy h:mm"), TDateTimeKind::DateTime);
  EXPECT_EQ(DateTimeKindOf(u"mmm"), TDateTimeKind::DateTime);
}

TEST(DateTimeCodeTest, KindValues) {
  EXPECT_EQ(DateTimeKindValue(45000.75, TDateTimeKind::Date, false), 45000);
  EXPECT_EQ(DateTimeKindValue(45000.999999999, TDateTimeKind::Date, false), 45001);
  EXPECT_EQ(DateTimeKindValue(45000.75, TDateTimeKind::Time, false), 0.75);
  EXPECT_EQ(DateTimeKindValue(1.5, TDateTimeKind::Time, true), 1.5);
  EXPECT_EQ(DateTimeKindValue(45000.75, TDateTimeKind::DateTime, false), 45000.75);
}

struct FormatCase {
  std::u16string code;
  double value;
  bool elapsed;
  std::u16string expected;
};

class FormatDateTimeCodeTest : public ::testing::TestWithParam<FormatCase> {
 protected:
  void SetUp() override { saved_ = platform::FormatSettings(); }
  void TearDown() override { platform::FormatSettings() = saved_; }
  platform::TFormatSettings saved_;
};

TEST_P(FormatDateTimeCodeTest, ShowsTheFields) {
  platform::FormatSettings().DateSeparator = u'/';
  platform::FormatSettings().TimeSeparator = u':';
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatDateTimeCode(c.code, c.value, c.elapsed), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatDateTimeCodeTest,
    ::testing::Values(FormatCase{u"dd.mm.yyyy", 45000.75, false, u"15.03.2023"},
                      FormatCase{u"d/m/yy", 45000, false, u"15/3/23"},
                      FormatCase{u"hh:mm:ss", 0.75, false, u"18:00:00"},
                      FormatCase{u"h:mm am/pm", 0.75, false, u"6:00 PM"},
                      FormatCase{u"h:mm", 1.5, true, u"36:00"},
                      FormatCase{u"mm:ss", 0.0015, false, u"02:10"},
                      FormatCase{u"ddd d mmm yyyy", 45000, false, u"Wed 15 Mar 2023"},
                      FormatCase{u"yyyy-mm-dd\"T\"hh:mm", 45000.5, false, u"2023-03-15T12:00"},
                      FormatCase{u"dd.mm.yyyy", 5e6, false, u""}));

}  // namespace
}  // namespace workbook
