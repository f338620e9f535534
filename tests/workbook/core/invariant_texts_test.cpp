#include "workbook/core/invariant_texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace workbook;

namespace {

std::u16string U(const std::string& s) { return std::u16string(s.begin(), s.end()); }

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
  EXPECT_EQ(InvariantFormatSettings().DecimalSeparator, u'.');
  // Always ":", whatever the process's time separator.
  EXPECT_EQ(ISOTimeToStr(0.75), u"18:00:00");
  EXPECT_EQ(ISODateTimeToStr(45352.75), u"2024-03-01 18:00:00");
}

TEST(ISOFloatToStr, ExponentFormsAndSpecialValues) {
  EXPECT_EQ(ISOFloatToStr(1e20), u"1E20");
  EXPECT_EQ(ISOFloatToStr(1.5e-5), u"1.5E-5");
  EXPECT_EQ(ISOFloatToStr(-0.0), u"0");
  EXPECT_EQ(ISOFloatToStr(std::numeric_limits<double>::quiet_NaN()), u"NAN");
}

struct TFloatParseCase {
  const char* text;
  double expected;  // with default 7
};

class ISOStrToFloatDefCases : public ::testing::TestWithParam<TFloatParseCase> {};

TEST_P(ISOStrToFloatDefCases, ReadsCommaAsPointAndNothingElse) {
  EXPECT_EQ(ISOStrToFloatDef(U(GetParam().text), 7), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, ISOStrToFloatDefCases,
                         ::testing::Values(TFloatParseCase{"1,5", 1.5}, TFloatParseCase{"1.5", 1.5},
                                           TFloatParseCase{"1 000", 7},
                                           TFloatParseCase{"1,000.5", 7},
                                           TFloatParseCase{" -2.5E3 ", -2500},
                                           TFloatParseCase{"", 7}, TFloatParseCase{"abc", 7},
                                           TFloatParseCase{"1e999", 7}, TFloatParseCase{"NAN", 7}));

TEST(ISOStrToFloat, FailureGivesZero) {
  EXPECT_EQ(ISOStrToFloat(u"x"), 0);
  double v = 3;
  EXPECT_FALSE(ISOTryStrToFloat(u"1.2.3", v));
  EXPECT_TRUE(ISOTryStrToFloat(u"0,25", v));
  EXPECT_EQ(v, 0.25);
}

struct TIntCase {
  const char* text;
  std::int64_t expected;  // with default -1
};

class ISOStrToIntDefCases : public ::testing::TestWithParam<TIntCase> {};

TEST_P(ISOStrToIntDefCases, RoundsHalfToEven) {
  EXPECT_EQ(ISOStrToIntDef(U(GetParam().text), -1), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ISOStrToIntDefCases,
    ::testing::Values(TIntCase{"2.5", 2}, TIntCase{"3.5", 4}, TIntCase{"-2.5", -2},
                      TIntCase{"-3.5", -4}, TIntCase{"2.51", 3}, TIntCase{"0.49999999999999994", 0},
                      TIntCase{"42", 42}, TIntCase{"1,5", 2},
                      TIntCase{"9.2e18", 9200000000000000000},
                      // Beyond the 64-bit range: the default, not an undefined conversion.
                      TIntCase{"1e19", -1}, TIntCase{"-1e19", -1},
                      TIntCase{"9223372036854775808", -1}, TIntCase{"x", -1}));

TEST(ISOStrToInt, FailureGivesZero) {
  EXPECT_EQ(ISOStrToInt(u"12.5"), 12);
  EXPECT_EQ(ISOStrToInt(u"twelve"), 0);
}

struct TDateTextCase {
  double value;
  const char16_t* dateTime;
  const char16_t* date;
  const char16_t* time;
};

class ISODateTexts : public ::testing::TestWithParam<TDateTextCase> {};

TEST_P(ISODateTexts, Write) {
  const TDateTextCase& c = GetParam();
  EXPECT_EQ(ISODateTimeToStr(c.value), c.dateTime);
  EXPECT_EQ(ISODateToStr(c.value), c.date);
  EXPECT_EQ(ISOTimeToStr(c.value), c.time);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ISODateTexts,
    ::testing::Values(
        TDateTextCase{0, u"0000-00-00 00:00:00", u"0000-00-00", u"00:00:00"},
        TDateTextCase{0.5, u"1899-12-30 12:00:00", u"1899-12-30", u"12:00:00"},
        TDateTextCase{1, u"1899-12-31 00:00:00", u"1899-12-31", u"00:00:00"},
        TDateTextCase{-1.25, u"1899-12-29 06:00:00", u"1899-12-29", u"06:00:00"},
        TDateTextCase{45356.6041782407, u"2024-03-05 14:30:01", u"2024-03-05", u"14:30:01"},
        // Seconds are cut, not rounded: 14:30:01.9 is 14:30:01.
        TDateTextCase{45356 + (14 * 3600 + 30 * 60 + 1.9) / 86400, u"2024-03-05 14:30:01",
                      u"2024-03-05", u"14:30:01"},
        TDateTextCase{2958465.99998, u"9999-12-31 23:59:58", u"9999-12-31", u"23:59:58"},
        // Outside the calendar: the empty texts instead of nonsense.
        TDateTextCase{2958466, u"0000-00-00 00:00:00", u"0000-00-00", u"00:00:00"},
        TDateTextCase{-1e10, u"0000-00-00 00:00:00", u"0000-00-00", u"00:00:00"},
        TDateTextCase{std::numeric_limits<double>::infinity(), u"0000-00-00 00:00:00",
                      u"0000-00-00", u"00:00:00"}));

TEST(ISODateTexts, EmptyTexts) {
  EXPECT_EQ(ISOEmptyDateTime(), u"0000-00-00 00:00:00");
  EXPECT_EQ(ISOEmptyDate(), u"0000-00-00");
  EXPECT_EQ(ISOEmptyTime(), u"00:00:00");
}

struct TDateParseCase {
  const char* text;
  bool ok;
  double value;
};

constexpr double kSecond = 1.0 / 86400;

class ISOTryStrToDateTimeCases : public ::testing::TestWithParam<TDateParseCase> {};

TEST_P(ISOTryStrToDateTimeCases, ReadsFixedPositions) {
  const TDateParseCase& c = GetParam();
  double v = 99;
  EXPECT_EQ(ISOTryStrToDateTime(U(c.text), v), c.ok) << c.text;
  EXPECT_NEAR(v, c.value, 1e-9) << c.text;
  EXPECT_NEAR(ISOStrToDateTimeDef(U(c.text), -5), c.ok ? c.value : -5, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ISOTryStrToDateTimeCases,
    ::testing::Values(
        TDateParseCase{"2024-03-05 14:30:15", true, 45356 + (14 * 3600 + 30 * 60 + 15) * kSecond},
        TDateParseCase{"2024/03/05T14.30.15", true, 45356 + (14 * 3600 + 30 * 60 + 15) * kSecond},
        TDateParseCase{"2024-03-05", true, 45356},
        TDateParseCase{"1899-12-29 06:00:00", true, -1.25},
        TDateParseCase{"2024-02-29 00:00:00", true, 45351},
        TDateParseCase{"2024-02-30 00:00:00", false, 0}, TDateParseCase{"2023-02-29", false, 0},
        TDateParseCase{"2024-03-05 24:00:00", false, 0},
        TDateParseCase{"2024-03-05 23:59:60", false, 0}, TDateParseCase{"2024-3-5", false, 0},
        TDateParseCase{"0000-00-00 00:00:00", false, 0}, TDateParseCase{"", false, 0},
        TDateParseCase{"abcd-ef-gh", false, 0}));

TEST(ISOTryStrToDate, IgnoresTheTimeAndChecksTheDay) {
  double v = 99;
  EXPECT_FALSE(ISOTryStrToDate(u"2024/02/30", v));
  EXPECT_EQ(v, 0);
  EXPECT_TRUE(ISOTryStrToDate(u"2024-02-29 13:00:00", v));
  EXPECT_EQ(v, 45351);
  EXPECT_EQ(ISOStrToDateDef(u"2024-13-01", 3), 3);
  EXPECT_EQ(ISOStrToDate(u"junk"), 0);
  EXPECT_EQ(ISOStrToDate(u"1900-01-01"), 2);
}

TEST(ISOStrToTime, ReadsHoursMinutesSeconds) {
  EXPECT_NEAR(ISOStrToTime(u"14:30:15"), (14 * 3600 + 30 * 60 + 15) * kSecond, 1e-12);
  EXPECT_EQ(ISOStrToTime(u"25:00:00"), 0);
  EXPECT_EQ(ISOStrToTime(u"12:60:00"), 0);
  EXPECT_EQ(ISOStrToTime(u""), 0);
}

TEST(ISODateTexts, RoundTripWholeSeconds) {
  for (double serial = -693593; serial < 2958465; serial += 9876.54321) {
    const double whole = std::round(serial * 86400) / 86400;
    double back = 0;
    ASSERT_TRUE(ISOTryStrToDateTime(ISODateTimeToStr(whole), back)) << whole;
    EXPECT_NEAR(back, whole, 1e-6) << whole;
  }
}

struct TBoolCase {
  const char16_t* text;
  bool plain, defTrue, defFalse;
};

class ISOBooleans : public ::testing::TestWithParam<TBoolCase> {};

TEST_P(ISOBooleans, Read) {
  const TBoolCase& c = GetParam();
  EXPECT_EQ(ISOStrToBool(c.text), c.plain);
  EXPECT_EQ(ISOStrToBoolDef(c.text, true), c.defTrue);
  EXPECT_EQ(ISOStrToBoolDef(c.text, false), c.defFalse);
}

INSTANTIATE_TEST_SUITE_P(Cases, ISOBooleans,
                         ::testing::Values(TBoolCase{u"1", true, true, true},
                                           TBoolCase{u"0", false, false, false},
                                           TBoolCase{u"yes", false, true, false},
                                           TBoolCase{u"", false, true, false},
                                           TBoolCase{u"true", false, true, false}));

TEST(ISOBooleans, Write) {
  EXPECT_EQ(ISOBoolToStr(true), u"1");
  EXPECT_EQ(ISOBoolToStr(false), u"0");
}

}  // namespace
