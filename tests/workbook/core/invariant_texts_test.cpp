#include "workbook/core/invariant_texts.h"

#include <gtest/gtest.h>

#include <tuple>

#include <cmath>
#include <limits>
#include <string>

using namespace workbook;

namespace {

std::u16string U(const std::string& s) { return std::u16string(s.begin(), s.end()); }

constexpr double kSecond = 1.0 / 86400;

// The process settings with a different decimal and time separator, restored afterwards.
class LocaleSwitched : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = platform::FormatSettings();
    platform::FormatSettings().DecimalSeparator = u',';
    platform::FormatSettings().TimeSeparator = u'.';
  }
  void TearDown() override { platform::FormatSettings() = saved_; }

 private:
  platform::TFormatSettings saved_;
};

TEST_F(LocaleSwitched, NumbersAndTimesIgnoreTheLocale) {
  EXPECT_EQ(ISOFloatToStr(1234.5), u"1234.5");
  EXPECT_EQ(ISOFloatToStr(0.1 + 0.2), u"0.3");
  EXPECT_EQ(ISOStrToFloat(u"1.5"), 1.5);
  // Always ":", whatever the process's time separator.
  EXPECT_EQ(ISOTimeToStr(0.75), u"18:00:00");
  EXPECT_EQ(ISODateTimeToStr(45352.75), u"2024-03-01 18:00:00");
}

TEST(InvariantTextsTest, Numbers) {
  EXPECT_EQ(ISOFloatToStr(1e20), u"1E20");
  EXPECT_EQ(ISOFloatToStr(-0.0), u"0");
  EXPECT_EQ(ISOFloatToStr(std::numeric_limits<double>::quiet_NaN()), u"NAN");
  // A comma reads as the point and nothing else does; failure gives the default.
  const std::pair<const char*, double> floats[] = {
      {"1,5", 1.5}, {"1 000", 7}, {"1,000.5", 7}, {" -2.5E3 ", -2500},
      {"1.2.3", 7}, {"", 7},      {"1e999", 7},   {"NAN", 7}};
  for (auto [text, value] : floats) EXPECT_EQ(ISOStrToFloatDef(U(text), 7), value) << text;
  // Integers round half to even; beyond the 64-bit range the default, not an undefined
  // conversion.
  std::string ints;
  for (const char* text : {"2.5", "3.5", "-2.5", "2.51", "0.49999999999999994", "1,5", "1e19",
                           "-1e19", "9223372036854775808", "x"})
    ints += std::to_string(ISOStrToIntDef(U(text), -1)) + " ";
  EXPECT_EQ(ints, "2 4 -2 3 0 2 -1 -1 -1 -1 ");
  EXPECT_EQ(ISOStrToInt(u"twelve"), 0);
}

// Seconds are cut, not rounded: 14:30:01.9 is 14:30:01. Outside the calendar: the empty texts
// instead of nonsense.
TEST(InvariantTextsTest, WritesDatesAndTimes) {
  const std::tuple<double, std::u16string> cases[] = {
      {0, u"0000-00-00 00:00:00"},
      {-1.25, u"1899-12-29 06:00:00"},
      {45356 + (14 * 3600 + 30 * 60 + 1.9) / 86400, u"2024-03-05 14:30:01"},
      {2958465.99998, u"9999-12-31 23:59:58"},
      {2958466, u"0000-00-00 00:00:00"},
      {-1e10, u"0000-00-00 00:00:00"},
      {std::numeric_limits<double>::infinity(), u"0000-00-00 00:00:00"}};
  for (const auto& [value, dateTime] : cases) {
    EXPECT_EQ(ISODateTimeToStr(value), dateTime) << value;
    EXPECT_EQ(ISODateToStr(value), dateTime.substr(0, 10)) << value;
    EXPECT_EQ(ISOTimeToStr(value), dateTime.substr(11)) << value;
  }
  for (double serial = -693593; serial < 2958465; serial += 9876.54321) {
    const double whole = std::round(serial * 86400) / 86400;
    double back = 0;
    ASSERT_TRUE(ISOTryStrToDateTime(ISODateTimeToStr(whole), back)) << whole;
    EXPECT_NEAR(back, whole, 1e-6) << whole;
  }
}

TEST(InvariantTextsTest, ReadsDatesAndTimesAtFixedPositions) {
  const std::pair<const char*, double> cases[] = {
      {"2024/03/05T14.30.15", 45356 + (14 * 3600 + 30 * 60 + 15) * kSecond},
      {"1899-12-29 06:00:00", -1.25},
      {"2024-02-29 00:00:00", 45351},
      {"2024-02-30 00:00:00", -5},
      {"2023-02-29", -5},
      {"2024-03-05 24:00:00", -5},
      {"2024-3-5", -5},
      {"0000-00-00 00:00:00", -5},
      {"abcd-ef-gh", -5}};
  for (auto [text, value] : cases) {
    double v = 99;
    EXPECT_EQ(ISOTryStrToDateTime(U(text), v), value != -5) << text;
    EXPECT_NEAR(v, value == -5 ? 0 : value, 1e-9) << text;
    EXPECT_NEAR(ISOStrToDateTimeDef(U(text), -5), value, 1e-9) << text;
  }
  // Dates ignore the time and check the day.
  double v = 99;
  EXPECT_FALSE(ISOTryStrToDate(u"2024/02/30", v));
  EXPECT_TRUE(ISOTryStrToDate(u"2024-02-29 13:00:00", v));
  EXPECT_EQ(v, 45351);
  EXPECT_EQ(ISOStrToDateDef(u"2024-13-01", 3), 3);
  EXPECT_NEAR(ISOStrToTime(u"14:30:15"), (14 * 3600 + 30 * 60 + 15) * kSecond, 1e-12);
  for (const char16_t* bad : {u"25:00:00", u"12:60:00", u""}) EXPECT_EQ(ISOStrToTime(bad), 0);
}

TEST(InvariantTextsTest, Booleans) {
  // Only "1" and "0" are read; anything else is the default (the boolean cells use the rest).
  for (const char16_t* text : {u"yes", u"", u"true"}) {
    EXPECT_TRUE(ISOStrToBoolDef(text, true));
    EXPECT_FALSE(ISOStrToBoolDef(text, false));
  }
  EXPECT_FALSE(ISOStrToBoolDef(u"0", true));
}

}  // namespace
