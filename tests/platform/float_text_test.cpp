#include "platform/float_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

using platform::FloatToStrGeneral;
using platform::FloatToStrRoundTrip;
using platform::TryTextToFloat;

namespace {

struct TGeneralCase {
  double value;
  const char* text;
};

class GeneralFloatText : public ::testing::TestWithParam<TGeneralCase> {};

TEST_P(GeneralFloatText, MatchesTheRunTimeForm) {
  EXPECT_EQ(FloatToStrGeneral(GetParam().value, '.'), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Integers, GeneralFloatText,
                         ::testing::Values(TGeneralCase{0.0, "0"}, TGeneralCase{-0.0, "0"},
                                           TGeneralCase{1, "1"}, TGeneralCase{-1, "-1"},
                                           TGeneralCase{100, "100"},
                                           TGeneralCase{123456789012345.0, "123456789012345"},
                                           TGeneralCase{999999999999999.0, "999999999999999"}));

INSTANTIATE_TEST_SUITE_P(
    Fractions, GeneralFloatText,
    ::testing::Values(TGeneralCase{1234.5, "1234.5"}, TGeneralCase{0.1 + 0.2, "0.3"},
                      TGeneralCase{1.0 / 3, "0.333333333333333"},
                      TGeneralCase{2.0 / 3, "0.666666666666667"},
                      TGeneralCase{-2.0 / 3, "-0.666666666666667"}, TGeneralCase{0.0001, "0.0001"},
                      TGeneralCase{0.00012345, "0.00012345"}, TGeneralCase{123.456, "123.456"},
                      TGeneralCase{1.005, "1.005"}));

// Exponent form from 16 digits before the point, and below 0.0001.
INSTANTIATE_TEST_SUITE_P(
    Exponents, GeneralFloatText,
    ::testing::Values(TGeneralCase{1e15, "1E15"}, TGeneralCase{1e20, "1E20"},
                      TGeneralCase{-2.5e30, "-2.5E30"},
                      TGeneralCase{1234567890123456.0, "1.23456789012346E15"},
                      TGeneralCase{999999999999999.9, "1E15"},  // rounding carries into 16 digits
                      TGeneralCase{0.00001, "1E-5"}, TGeneralCase{1.5e-5, "1.5E-5"},
                      TGeneralCase{-1.5e-7, "-1.5E-7"},
                      TGeneralCase{0.00009999999999999999, "0.0001"},  // carries back to fixed
                      TGeneralCase{std::numeric_limits<double>::max(), "1.79769313486232E308"},
                      TGeneralCase{std::numeric_limits<double>::denorm_min(),
                                   "4.94065645841247E-324"}));

// Values that lie exactly halfway at the 15th digit round away from zero, as the run-time does.
INSTANTIATE_TEST_SUITE_P(Ties, GeneralFloatText,
                         ::testing::Values(TGeneralCase{1234567890123445.0, "1.23456789012345E15"},
                                           TGeneralCase{-1234567890123445.0,
                                                        "-1.23456789012345E15"},
                                           TGeneralCase{0.5, "0.5"}));

INSTANTIATE_TEST_SUITE_P(
    NotFinite, GeneralFloatText,
    ::testing::Values(TGeneralCase{std::numeric_limits<double>::quiet_NaN(), "NAN"},
                      TGeneralCase{std::numeric_limits<double>::infinity(), "INF"},
                      TGeneralCase{-std::numeric_limits<double>::infinity(), "-INF"}));

TEST(GeneralFloatTextSeparator, IsTheGivenCharacter) {
  EXPECT_EQ(FloatToStrGeneral(1234.5, ','), "1234,5");
  EXPECT_EQ(FloatToStrGeneral(1.5e-5, ','), "1,5E-5");
  EXPECT_EQ(FloatToStrGeneral(-0.25, u','), u"-0,25");
  EXPECT_EQ(FloatToStrGeneral(1e20, u','), u"1E20");
}

// The C library's "%.15g" has the same digits and the same switch to exponent form; only the
// exponent is written differently ("1e+20" for "1E20").
std::string FromPrintf(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  std::string text = buffer;
  const auto e = text.find('e');
  if (e == std::string::npos) return text;
  std::string exponent = text.substr(e + 1);
  const bool negative = exponent[0] == '-';
  exponent.erase(0, 1);
  exponent.erase(0, exponent.find_first_not_of('0'));
  return text.substr(0, e) + "E" + (negative ? "-" : "") + exponent;
}

// Whether Value lies exactly halfway between two 15-digit decimals, where "%.15g" rounds to even.
bool IsExactTie(double value) {
  char buffer[80];
  std::snprintf(buffer, sizeof buffer, "%.40e", value);
  std::string digits;
  for (const char* p = buffer; *p && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') digits.push_back(*p);
  return digits.size() > 16 && digits[15] == '5' &&
         digits.find_first_not_of('0', 16) == std::string::npos;
}

TEST(GeneralFloatTextOracle, AgreesWithTheCLibraryOverManyValues) {
  std::mt19937_64 random(12345);
  std::uniform_int_distribution<int> exponent(-30, 30);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  for (int i = 0; i < 200000; ++i) {
    double value = mantissa(random) * std::pow(10.0, exponent(random));
    // Short decimals too, kept below 15 digits: exact ties are rounded differently there.
    if (i % 4 == 0 && std::fabs(value) < 1e9) value = std::round(value * 1000) / 1000;
    if (value == 0 || IsExactTie(value)) continue;  // "-0" there; ties see the Ties cases
    ASSERT_EQ(FloatToStrGeneral(value, '.'), FromPrintf(value)) << value;
  }
}

struct TParseCase {
  const char* text;
  bool ok;
  double value;
};

class TextToFloat : public ::testing::TestWithParam<TParseCase> {};

TEST_P(TextToFloat, AcceptsOnlyPlainNumbers) {
  const TParseCase& c = GetParam();
  const std::string t = c.text;
  double value = -999;
  EXPECT_EQ(TryTextToFloat(std::u16string(t.begin(), t.end()), u'.', value), c.ok) << c.text;
  if (c.ok) {
    EXPECT_EQ(value, c.value) << c.text;
  } else {
    EXPECT_EQ(value, -999) << "untouched on failure: " << c.text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextToFloat,
    ::testing::Values(
        TParseCase{"1.5", true, 1.5}, TParseCase{" 2.5 ", true, 2.5}, TParseCase{"-3", true, -3},
        TParseCase{"+4", true, 4}, TParseCase{".5", true, 0.5}, TParseCase{"5.", true, 5},
        TParseCase{"1e3", true, 1000}, TParseCase{"1E-3", true, 0.001},
        TParseCase{"2.5e+2", true, 250}, TParseCase{"1e-400", true, 0},
        TParseCase{"0.00000000000000000000000000000000000000000000000000000000000"
                   "000000000000000000000000000000000000000000000000000000000000"
                   "000000000000000000000000000000000000000000000000000000000000"
                   "000000000000000000000000000000000000000000000000000000000000"
                   "000000000000000000000000000000000000000000000000000000000000"
                   "0000000000000000000000000000000000000000000000000000000001",
                   true, 0},
        TParseCase{"0.3", true, 0.3}, TParseCase{"", false, 0}, TParseCase{" ", false, 0},
        TParseCase{".", false, 0}, TParseCase{"-", false, 0}, TParseCase{"1e", false, 0},
        TParseCase{"1e+", false, 0}, TParseCase{"1 000", false, 0}, TParseCase{"1,5", false, 0},
        TParseCase{"1.2.3", false, 0}, TParseCase{"0x10", false, 0}, TParseCase{"NAN", false, 0},
        TParseCase{"INF", false, 0}, TParseCase{"1e400", false, 0}, TParseCase{"--1", false, 0},
        TParseCase{"1'000", false, 0},
        TParseCase{"\xA0"
                   "1",
                   false, 0}));

TEST(TextToFloatSeparator, IsTheGivenCharacter) {
  double value = 0;
  EXPECT_TRUE(TryTextToFloat(u"1,25", u',', value));
  EXPECT_EQ(value, 1.25);
  EXPECT_FALSE(TryTextToFloat(u"1.25", u',', value));
}

TEST(TextToFloatRoundTrip, FifteenDigitsComeBack) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> value(-1e6, 1e6);
  for (int i = 0; i < 10000; ++i) {
    const double v = value(random);
    double back = 0;
    ASSERT_TRUE(TryTextToFloat(FloatToStrGeneral(v, u'.'), u'.', back));
    EXPECT_NEAR(back, v, std::fabs(v) * 1e-14);
  }
}

class RoundTripFloatText : public ::testing::TestWithParam<TGeneralCase> {};

TEST_P(RoundTripFloatText, HasTheGeneralLayoutWithTheShortestExactDigits) {
  EXPECT_EQ(FloatToStrRoundTrip(GetParam().value), GetParam().text);
}

// Up to 15 digits the text is the general one; beyond them the digits that make the value exact.
INSTANTIATE_TEST_SUITE_P(
    Cases, RoundTripFloatText,
    ::testing::Values(TGeneralCase{0.0, "0"}, TGeneralCase{-0.0, "0"},
                      TGeneralCase{1234.5, "1234.5"}, TGeneralCase{45000.75, "45000.75"},
                      TGeneralCase{0.0001, "0.0001"}, TGeneralCase{1e15, "1E15"},
                      TGeneralCase{1.5e-5, "1.5E-5"},
                      TGeneralCase{0.1 + 0.2, "0.30000000000000004"},
                      TGeneralCase{1.0 / 3, "0.3333333333333333"},
                      TGeneralCase{-2.0 / 3, "-0.6666666666666666"},
                      TGeneralCase{1234567890123456.0, "1.234567890123456E15"},
                      TGeneralCase{999999999999999.9, "999999999999999.9"},
                      TGeneralCase{std::numeric_limits<double>::max(), "1.7976931348623157E308"},
                      TGeneralCase{std::numeric_limits<double>::denorm_min(), "5E-324"},
                      TGeneralCase{std::numeric_limits<double>::quiet_NaN(), "NAN"}));

TEST(RoundTripFloatTextOracle, EveryValueReadsBackExactly) {
  std::mt19937_64 random(99);
  for (int i = 0; i < 200000; ++i) {
    double value = 0;
    const std::uint64_t bits = random();
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value)) continue;
    const std::string text = FloatToStrRoundTrip(value);
    double back = 1;
    ASSERT_TRUE(TryTextToFloat(std::u16string(text.begin(), text.end()), u'.', back)) << text;
    ASSERT_EQ(back, value == 0 ? 0.0 : value) << text;
  }
}

}  // namespace
