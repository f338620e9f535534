#include "app/statement/float_general.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

using namespace app;

TEST(FloatToStrGeneral, Table) {
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {100, "100"},
      {-12.5, "-12,5"},
      {1234.5, "1234,5"},
      {0.1 + 0.2, "0,3"},  // 15 significant digits
      {1.0 / 3, "0,333333333333333"},
      {2.0 / 3, "0,666666666666667"},
      {0.0001, "0,0001"},
      {0.00001, "1E-5"},
      {1.5e-5, "1,5E-5"},
      {123456789012345.0, "123456789012345"},
      {999999999999999.0, "999999999999999"},
      {1e15, "1E15"},
      {1234567890123456.0, "1,23456789012346E15"},
      {1e20, "1E20"},
      {-1e20, "-1E20"},
      {1e-300, "1E-300"},
      {DBL_MAX, "1,79769313486232E308"},
      {21474836.47, "21474836,47"},
      {9.9999999999999999e14, "1E15"},  // rounding to 15 digits carries into a new digit
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToStrGeneral(c.value, ','), c.text) << c.value;
}

TEST(FloatToStrGeneral, SeparatorAndSpecialValues) {
  EXPECT_EQ(FloatToStrGeneral(0.5, '.'), "0.5");
  EXPECT_EQ(FloatToStrGeneral(std::numeric_limits<double>::quiet_NaN(), ','), "NAN");
  EXPECT_EQ(FloatToStrGeneral(HUGE_VAL, ','), "INF");
  EXPECT_EQ(FloatToStrGeneral(-HUGE_VAL, ','), "-INF");
}
