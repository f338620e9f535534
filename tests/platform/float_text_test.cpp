#include "platform/float_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <utility>

using platform::FloatToStrGeneral;
using platform::FloatToStrPlain;
using platform::FloatToStrRoundTrip;
using platform::TryTextToFloat;

namespace {

// Values and their text with a point; the text of the run-time's general float format.
// The oracle below covers ordinary values; these are its blind spots and the form's boundaries.
const std::pair<double, const char*> kGeneral[] = {
    {0.0, "0"},
    {-0.0, "0"},
    {999999999999999.0, "999999999999999"},
    {0.1 + 0.2, "0.3"},
    {0.0001, "0.0001"},
    // Exponent form from 16 digits before the point, and below 0.0001.
    {1e15, "1E15"},
    {1234567890123456.0, "1.23456789012346E15"},
    {999999999999999.9, "1E15"},  // rounding carries into 16 digits
    {0.00001, "1E-5"},
    {0.00009999999999999999, "0.0001"},  // carries back to fixed
    {std::numeric_limits<double>::max(), "1.79769313486232E308"},
    {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
    // Values exactly halfway at the 15th digit round away from zero, as the run-time does.
    {1234567890123445.0, "1.23456789012345E15"},
    {-1234567890123445.0, "-1.23456789012345E15"},
    {std::numeric_limits<double>::quiet_NaN(), "NAN"},
    {std::numeric_limits<double>::infinity(), "INF"},
    {-std::numeric_limits<double>::infinity(), "-INF"}};

TEST(GeneralFloatText, MatchesTheRunTimeForm) {
  for (const auto& [value, text] : kGeneral) EXPECT_EQ(FloatToStrGeneral(value, '.'), text) << text;
}

TEST(GeneralFloatTextSeparator, IsTheGivenCharacter) {
  EXPECT_EQ(FloatToStrGeneral(1.5e-5, ','), "1,5E-5");
  EXPECT_EQ(FloatToStrGeneral(-0.25, u','), u"-0,25");
}

// The General number format's text: the same digits, plain wherever 15 digits can show it.
TEST(PlainFloatText, UsesTheExponentOnlyBeyondFifteenDigits) {
  const std::pair<double, const char16_t*> cases[] = {
      {3.14159, u"3,14159"},
      {0.000125, u"0,000125"},
      {0.0000125, u"0,0000125"},
      {-1e-15, u"-0,000000000000001"},
      {1.5e-15, u"1,5E-15"},  // 16 digits after the point
      {1e-20, u"1E-20"},
      {999999999999999.0, u"999999999999999"},
      {1e15, u"1E15"},
      {0.1 + 0.2, u"0,3"},
      {2, u"2"},
      {0.0, u"0"},
      {std::numeric_limits<double>::infinity(), u"INF"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(FloatToStrPlain(value, u','), text);
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

// Plain numbers only: texts taken with their values, and texts refused (which leave the value).
TEST(TextToFloat, AcceptsOnlyPlainNumbers) {
  const std::pair<std::string, double> taken[] = {
      {" 2.5 ", 2.5},  {"-3", -3},
      {"+4", 4},       {".5", 0.5},
      {"5.", 5},       {"1E-3", 0.001},
      {"2.5e+2", 250}, {"1e-400", 0},
      {"0.3", 0.3},    {"0." + std::string(356, '0') + "1", 0}};
  for (const auto& [text, expected] : taken) {
    double value = -999;
    EXPECT_TRUE(TryTextToFloat(std::u16string(text.begin(), text.end()), u'.', value)) << text;
    EXPECT_EQ(value, expected) << text;
  }
  for (const std::string text : {"", " ", ".", "-", "1e", "1e+", "1 000", "1,5", "1.2.3", "0x10",
                                 "NAN", "INF", "1e400", "--1", "1'000",
                                 "\xA0"
                                 "1"}) {
    double value = -999;
    EXPECT_FALSE(TryTextToFloat(std::u16string(text.begin(), text.end()), u'.', value)) << text;
    EXPECT_EQ(value, -999) << "untouched on failure: " << text;
  }
}

TEST(TextToFloatSeparator, IsTheGivenCharacter) {
  double value = 0;
  EXPECT_TRUE(TryTextToFloat(u"1,25", u',', value));
  EXPECT_EQ(value, 1.25);
  EXPECT_FALSE(TryTextToFloat(u"1.25", u',', value));
}

// Up to 15 digits the text is the general one; beyond them the digits that make the value exact.
const std::pair<double, const char*> kRoundTrip[] = {
    {-0.0, "0"},
    {1e15, "1E15"},
    {1.5e-5, "1.5E-5"},
    {0.1 + 0.2, "0.30000000000000004"},
    {-2.0 / 3, "-0.6666666666666666"},
    {1234567890123456.0, "1.234567890123456E15"},
    {999999999999999.9, "999999999999999.9"},
    {std::numeric_limits<double>::max(), "1.7976931348623157E308"},
    {std::numeric_limits<double>::denorm_min(), "5E-324"},
    {std::numeric_limits<double>::quiet_NaN(), "NAN"}};

TEST(RoundTripFloatText, HasTheGeneralLayoutWithTheShortestExactDigits) {
  for (const auto& [value, text] : kRoundTrip) EXPECT_EQ(FloatToStrRoundTrip(value), text) << text;
}

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
