#include "platform/date_time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <utility>

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

TEST(DecodeDateTime, Parts) {
  const std::pair<double, TDateTimeParts> cases[] = {
      // Negative serials: days before the origin, the fraction still the time of day.
      {-1.25, {1899, 12, 29, 6, 0, 0, 0}},
      {-0.25, {1899, 12, 30, 6, 0, 0, 0}},
      // Rounded to the millisecond, so never 24:00:00.
      {2.9999999999, {1900, 1, 2, 0, 0, 0, 0}},
      {0.5 + 1.5 / 86400, {1899, 12, 30, 12, 0, 1, 500}},
      {2958465.5, {9999, 12, 31, 12, 0, 0, 0}}};
  auto text = [](const TDateTimeParts& p) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d-%d-%d %d:%d:%d.%d", p.Year, p.Month, p.Day, p.Hour,
                  p.Minute, p.Second, p.MilliSecond);
    return std::string(buffer);
  };
  for (const auto& [value, parts] : cases) {
    TDateTimeParts p;
    EXPECT_TRUE(DecodeDateTime(value, p)) << value;
    EXPECT_EQ(text(p), text(parts)) << value;
  }
  for (double value :
       {-693594.0, 2958466.0, 1e300, -1e300, std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity()}) {
    TDateTimeParts p;
    EXPECT_FALSE(DecodeDateTime(value, p)) << value;
    EXPECT_EQ(text(p), text(TDateTimeParts{})) << value;
  }
}

TEST(EncodeDateTime, RefusesImpossibleParts) {
  TDateTime v = 0;
  const int dates[][3] = {{2024, 2, 30}, {2023, 2, 29}, {1900, 2, 29}, {0, 1, 1},
                          {10000, 1, 1}, {2024, 13, 1}, {2024, 1, 0}};
  for (const auto& d : dates) EXPECT_FALSE(TryEncodeDate(d[0], d[1], d[2], v)) << d[0] << d[1];
  const int times[][4] = {
      {24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
  for (const auto& t : times) EXPECT_FALSE(TryEncodeTime(t[0], t[1], t[2], t[3], v)) << t[0];
  EXPECT_TRUE(TryEncodeTime(23, 59, 59, 999, v));
}

// A time before the origin lies after its day's start: -1.25 is 29 December 1899, 6:00.
TEST(EncodeDateTime, TimeGoesAwayFromZero) {
  TDateTime v = 0;
  ASSERT_TRUE(TryEncodeDateTime({1899, 12, 29, 6, 0, 0, 0}, v));
  EXPECT_EQ(v, -1.25);
}

}  // namespace
