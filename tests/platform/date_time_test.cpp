#include "platform/date_time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

using namespace platform;

namespace {

TEST(DateSerials, AgreeWithTheStandardCalendarOnEveryDay) {
  using namespace std::chrono;
  const auto origin = sys_days{year{1899} / December / 30};
  for (auto day = sys_days{year{1} / January / 1}; day <= sys_days{year{9999} / December / 31};
       day += days{1}) {
    const year_month_day ymd{day};
    const double serial = static_cast<double>((day - origin).count());
    TDateTime encoded = 0;
    ASSERT_TRUE(TryEncodeDate(int(ymd.year()), int(unsigned(ymd.month())), int(unsigned(ymd.day())),
                              encoded));
    ASSERT_EQ(encoded, serial);
    TDateTimeParts parts;
    ASSERT_TRUE(DecodeDateTime(serial, parts));
    ASSERT_EQ(parts.Year, int(ymd.year()));
    ASSERT_EQ(parts.Month, int(unsigned(ymd.month())));
    ASSERT_EQ(parts.Day, int(unsigned(ymd.day())));
  }
}

struct TDecodeCase {
  double value;
  bool ok;
  TDateTimeParts parts;
};

class DecodeDateTimeCases : public ::testing::TestWithParam<TDecodeCase> {};

TEST_P(DecodeDateTimeCases, Parts) {
  const TDecodeCase& c = GetParam();
  TDateTimeParts p;
  EXPECT_EQ(DecodeDateTime(c.value, p), c.ok);
  EXPECT_EQ(p.Year, c.parts.Year);
  EXPECT_EQ(p.Month, c.parts.Month);
  EXPECT_EQ(p.Day, c.parts.Day);
  EXPECT_EQ(p.Hour, c.parts.Hour);
  EXPECT_EQ(p.Minute, c.parts.Minute);
  EXPECT_EQ(p.Second, c.parts.Second);
  EXPECT_EQ(p.MilliSecond, c.parts.MilliSecond);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeDateTimeCases,
    ::testing::Values(
        TDecodeCase{0, true, {1899, 12, 30, 0, 0, 0, 0}},
        // Negative serials: days before the origin, the fraction still the time of day.
        TDecodeCase{-1.25, true, {1899, 12, 29, 6, 0, 0, 0}},
        TDecodeCase{-0.25, true, {1899, 12, 30, 6, 0, 0, 0}},
        TDecodeCase{45352.5, true, {2024, 3, 1, 12, 0, 0, 0}},
        // Rounded to the millisecond, so never 24:00:00.
        TDecodeCase{2.9999999999, true, {1900, 1, 2, 0, 0, 0, 0}},
        TDecodeCase{0.5 + 1.5 / 86400, true, {1899, 12, 30, 12, 0, 1, 500}},
        TDecodeCase{-693593, true, {1, 1, 1, 0, 0, 0, 0}},
        TDecodeCase{2958465.5, true, {9999, 12, 31, 12, 0, 0, 0}}, TDecodeCase{-693594, false, {}},
        TDecodeCase{2958466, false, {}}, TDecodeCase{1e300, false, {}},
        TDecodeCase{-1e300, false, {}},
        TDecodeCase{std::numeric_limits<double>::quiet_NaN(), false, {}},
        TDecodeCase{std::numeric_limits<double>::infinity(), false, {}}));

TEST(EncodeDateTime, RefusesImpossibleParts) {
  TDateTime v = 0;
  EXPECT_FALSE(TryEncodeDate(2024, 2, 30, v));
  EXPECT_FALSE(TryEncodeDate(2023, 2, 29, v));
  EXPECT_TRUE(TryEncodeDate(2000, 2, 29, v));
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, v));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, v));
  EXPECT_FALSE(TryEncodeDate(10000, 1, 1, v));
  EXPECT_FALSE(TryEncodeDate(2024, 13, 1, v));
  EXPECT_FALSE(TryEncodeDate(2024, 1, 0, v));
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, v));
  EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0, v));
  EXPECT_FALSE(TryEncodeTime(0, 0, 60, 0, v));
  EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, v));
  EXPECT_FALSE(TryEncodeTime(-1, 0, 0, 0, v));
  EXPECT_TRUE(TryEncodeTime(23, 59, 59, 999, v));
}

TEST(EncodeDateTime, TimeGoesAwayFromZero) {
  TDateTime v = 0;
  ASSERT_TRUE(TryEncodeDateTime({1899, 12, 29, 6, 0, 0, 0}, v));
  EXPECT_EQ(v, -1.25);
  ASSERT_TRUE(TryEncodeDateTime({2024, 3, 1, 12, 0, 0, 0}, v));
  EXPECT_EQ(v, 45352.5);
}

}  // namespace
