#include "app/statement/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <utility>

#include "app/statement/errors.h"
#include "app/statement/integer_text.h"
#include "statement_fixture.h"

using namespace app;
using namespace app::test;

namespace {

// Texts with a comma separator and their values; texts refused ("1.5": a point is no separator,
// "1E400": too large for a double; "1E-400" underflows to zero).
const std::pair<const char*, double> kFloats[] = {
    {"1,5", 1.5},   {" -2,5e1 ", -25.0}, {"+1", 1.0},
    {",5", 0.5},    {"5,", 5.0},         {"1E+2", 100.0},
    {"1e-2", 0.01}, {"2,675", 2.675},    {"0E99999999999", 0.0},
    {"1E-400", 0.0}};
const char* const kNoFloats[] = {
    "1.5", "1E400", "1E99999999999", "",    " ",   ",",   "-",     "1,2,3", "1 000", "1e",
    "e5",  "1e+",   "--1",           "inf", "nan", "\t1", "1\r\n", "0x10",  "12abc"};

}  // namespace

TEST(TextToFloat, CommaSeparatorTable) {
  for (const auto& [text, expected] : kFloats) {
    double value = -123;
    EXPECT_TRUE(TryTextToFloat(text, value, ',')) << '"' << text << '"';
    EXPECT_EQ(value, expected) << '"' << text << '"';
  }
  for (const char* text : kNoFloats) {
    double value = -123;
    EXPECT_FALSE(TryTextToFloat(text, value, ',')) << '"' << text << '"';
    EXPECT_EQ(value, -123) << "unchanged on failure: " << text;
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

// A point where the separator is the process's comma, and the other way round.
TEST(TextToFloat, OtherSeparator) {
  double value = 0;
  EXPECT_TRUE(TryTextToFloat("1.25", value, '.'));
  EXPECT_EQ(value, 1.25);
  EXPECT_FALSE(TryTextToFloat("1,25", value, '.'));
  EXPECT_EQ(StrToFloat("12,5"), 12.5L);
}

TEST(TextToFloat, StrToFloatRaisesConvertError) {
  EXPECT_EQ(test_support::Thrown<EConvertError>([] { StrToFloat("12.5"); }),
            "'12.5' is not a valid floating point value");
}

TEST(StrToInt, Table) {
  auto taken = TextPairs(
      "123=123 +7=7 007=7 0=0 $FF=255 0x1A=26 0X1a=26 x10=16 X10=16 -$10=-16 $FFFFFFFF=-1 "
      "$80000000=-2147483648 2147483647=2147483647 -2147483648=-2147483648");
  taken.emplace_back("  -5", "-5");
  for (const auto& [text, expected] : taken) {
    std::int32_t value = -77;
    EXPECT_TRUE(TryStrToInt(text, value)) << '"' << text << '"';
    EXPECT_EQ(value, std::stol(expected)) << '"' << text << '"';
  }
  for (const char* text : {"2147483648", "-2147483649", "99999999999999999999", "$100000000", "",
                           " ", "1 ", "1.0", "1,0", "$", "0x", "$G", "abc", "- 1", "\t1"}) {
    std::int32_t value = -77;
    EXPECT_FALSE(TryStrToInt(text, value)) << '"' << text << '"';
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

TEST(IntegerText, AcceptedAndRejectedForms) {
  auto taken = TextPairs(
      "0=0 1234567890=1234567890 0012=12 +7=7 -15=-15 9223372036854775807=9223372036854775807 "
      "-9223372036854775808=-9223372036854775808");
  taken.emplace_back("  42", "42");
  for (const auto& [text, value] : taken) EXPECT_EQ(TryStrToInt64(text), std::stoll(value)) << text;
  for (const char* text :
       {"", " ", "-", "+", "12.5", "12,5", "1e3", "42 ", "x12", "$1F", "0x1F", "12a",
        "9223372036854775808", "-9223372036854775809", "99999999999999999999"})
    EXPECT_FALSE(TryStrToInt64(text).has_value()) << text;
}
