#include "app/statement/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "app/statement/errors.h"

using namespace app;

namespace {

struct FloatCase {
  const char* text;
  std::optional<double> value;
};

const FloatCase kFloatCases[] = {
    {"1,5", 1.5},
    {"1.5", std::nullopt},  // a point is no decimal separator
    {" -2,5e1 ", -25.0},
    {"+1", 1.0},
    {",5", 0.5},
    {"5,", 5.0},
    {"1E+2", 100.0},
    {"1e-2", 0.01},
    {"2,675", 2.675},
    {"0E99999999999", 0.0},
    {"1E-400", 0.0},          // too small: zero
    {"1E400", std::nullopt},  // too large for a double
    {"1E99999999999", std::nullopt},
    {"", std::nullopt},
    {" ", std::nullopt},
    {",", std::nullopt},
    {"-", std::nullopt},
    {"1,2,3", std::nullopt},
    {"1 000", std::nullopt},
    {"1e", std::nullopt},
    {"e5", std::nullopt},
    {"1e+", std::nullopt},
    {"--1", std::nullopt},
    {"inf", std::nullopt},
    {"nan", std::nullopt},
    {"\t1", std::nullopt},
    {"1\r\n", std::nullopt},
    {"0x10", std::nullopt},
    {"12abc", std::nullopt},
};

}  // namespace

TEST(TextToFloat, CommaSeparatorTable) {
  for (const auto& c : kFloatCases) {
    double value = -123;
    const bool ok = TryTextToFloat(c.text, value, ',');
    EXPECT_EQ(ok, c.value.has_value()) << '"' << c.text << '"';
    if (ok && c.value) {
      EXPECT_EQ(value, *c.value) << '"' << c.text << '"';
    }
    if (!ok) {
      EXPECT_EQ(value, -123) << "unchanged on failure: " << c.text;
    }
  }
}

TEST(TextToFloat, UnderflowKeepsTheSign) {
  double value = 1;
  ASSERT_TRUE(TryTextToFloat("-1E-400", value, ','));
  EXPECT_EQ(value, 0.0);
  EXPECT_TRUE(std::signbit(value));
}

TEST(TextToFloat, ExtendedKeepsMoreDigitsAndRange) {
  long double value = 0;
  ASSERT_TRUE(TryTextToExtended("0,1", value, ','));
  EXPECT_EQ(value, 0.1L);
  EXPECT_NE(value, static_cast<long double>(0.1));
  ASSERT_TRUE(TryTextToExtended("1E400", value, ','));
  EXPECT_EQ(value, 1e400L);
  EXPECT_FALSE(TryTextToExtended("1E99999", value, ','));
}

TEST(TextToFloat, OtherSeparator) {
  double value = 0;
  EXPECT_TRUE(TryTextToFloat("1.25", value, '.'));
  EXPECT_EQ(value, 1.25);
  EXPECT_FALSE(TryTextToFloat("1,25", value, '.'));
}

TEST(TextToFloat, ProcessSeparatorIsComma) {
  EXPECT_EQ(DecimalSeparator(), ',');
  EXPECT_EQ(StrToFloat("12,5"), 12.5L);
}

TEST(TextToFloat, StrToFloatRaisesConvertError) {
  try {
    StrToFloat("12.5");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'12.5' is not a valid floating point value");
  }
}

TEST(StrToInt, Table) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> value;
  } cases[] = {
      {"123", 123},
      {"  -5", -5},
      {"+7", 7},
      {"007", 7},
      {"0", 0},
      {"$FF", 255},
      {"0x1A", 26},
      {"0X1a", 26},
      {"x10", 16},
      {"X10", 16},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"$80000000", INT32_MIN},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"$100000000", std::nullopt},
      {"", std::nullopt},
      {" ", std::nullopt},
      {"1 ", std::nullopt},
      {"1.0", std::nullopt},
      {"1,0", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"$G", std::nullopt},
      {"abc", std::nullopt},
      {"- 1", std::nullopt},
      {"\t1", std::nullopt},
  };
  for (const auto& c : cases) {
    std::int32_t value = -77;
    const bool ok = TryStrToInt(c.text, value);
    EXPECT_EQ(ok, c.value.has_value()) << '"' << c.text << '"';
    if (ok && c.value) {
      EXPECT_EQ(value, *c.value) << '"' << c.text << '"';
    }
  }
}

TEST(StrToInt, RaisesConvertErrorWithTheText) {
  EXPECT_EQ(StrToInt(" 12"), 12);
  try {
    StrToInt("1\xE1");  // "1á"
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'1\xE1' is not a valid integer value");
    EXPECT_STREQ(e.what(), "'1\xC3\xA1' is not a valid integer value");  // UTF-8
  }
}
