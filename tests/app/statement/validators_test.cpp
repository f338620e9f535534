#include "app/statement/validators.h"

#include <gtest/gtest.h>

#include <ctime>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/statement/errors.h"
#include "statement_fixture.h"

using namespace app;
using namespace app::test;

namespace {

// Amount texts and what a rounding mode makes of them ("" for a rejected text).
using TAmounts = std::vector<std::pair<std::string, std::string>>;

// No rounding: texts taken, and texts rejected (more than two decimals, or too large for the
// reports, among them). Amounts are plain decimals, all their digits kept.
// (A point is read as the comma; the number parser's own forms are the number-text tests'.)
const TAmounts kUnrounded = TextPairs(
    "12.34=12.34 1.10=1.1 12,5=12.5 12.50=12.5 -0=0 0.01=0.01 1E-400=0 21474836.47=21474836.47 "
    "165357.30=165357.3 1E15=1000000000000000 -1E15=-1000000000000000 1.5e14=150000000000000 "
    "12345678901234.56=12345678901234.56 -9876543210987.65=-9876543210987.65 "
    "9999999999999998=9999999999999998 1E-2=0.01");
const char* const kRejectedWithoutRounding[] = {
    "12,345", "0.005", "30000000.005", "1E400", "1.000,5", "1E16", "-1E16", "1E300", "1.5E308"};

// Arithmetic: halves away from zero, on the double's value.
const TAmounts kArithmetic = TextPairs(
    "0.125=0.13 -0.125=-0.13 2.675=2.67 1.005=1 2.5=2.5 1.999=2 -1.995=-2 0.004=0 -0.004=0 "
    "30000000.005=30000000 1e20= 1,2345E2=123.45 abc= 1e15=1000000000000000 "
    "12345678901234.557=12345678901234.56");
const TAmounts kDown = TextPairs(
    "1.239=1.23 -1.231=-1.24 1.23=1.23 1.1=1.1 30000000.005=30000000 21474836.479=21474836.47 "
    "123456789012.345=123456789012.34 -0.001=-0.01 0.009=0 99.999=99.99 1e20= -1e-300=-0.01 = "
    "12345678901234.569=12345678901234.56 1.5e15=1500000000000000");
const TAmounts kUp = TextPairs(
    "1.231=1.24 -1.239=-1.23 1.1=1.1 1.23=1.23 0.001=0.01 -0.009=0 9.999=10 "
    "30000000.001=30000000.01 99999999999.999=100000000000 1e-300=0.01 x= "
    "1234567890123.561=1234567890123.57 9999999999999999.5= 1.5E308=");

int LocalYear() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_year + 1900;
}

}  // namespace

TEST(FormatAmount, EveryRoundingMode) {
  const std::pair<int, const TAmounts*> modes[] = {
      {0, &kUnrounded}, {1, &kArithmetic}, {2, &kDown}, {3, &kUp}};
  for (const auto& [mode, cases] : modes)
    for (const auto& [text, amount] : *cases)
      EXPECT_EQ(FormatAmount(text, mode), amount) << "mode " << mode << " text \"" << text << '"';
  for (const char* text : kRejectedWithoutRounding) EXPECT_EQ(FormatAmount(text, 0), "") << text;
}

TEST(FormatQuantity, Table) {
  struct Case {
    const char* text;
    const char* quantity;
  } cases[] = {{"2,5", "2.5"},
               {"2.5", "2.5"},
               {"3", "3"},
               {"2.505", ""},
               {"2,505", ""},
               {"-1.25", "-1.25"},
               {"1e-2", "0.01"},
               {"0.001", ""},
               {"abc", ""},
               {"", ""},
               {"1E16", ""},
               {"0.1", "0.1"},
               {"1E15", "1000000000000000"},
               {"12345678901234.56", "12345678901234.56"}};
  for (const auto& c : cases) EXPECT_EQ(FormatQuantity(c.text), c.quantity) << c.text;
}

TEST(RoundN, HalvesAwayFromZero) {
  struct Case {
    long double x;
    int digits;
    double result;
  } cases[] = {{25, -1, 30},           {-25, -1, -30},
               {24.9L, -1, 20},        {2.5L, 0, 3},
               {-2.5L, 0, -3},         {1.5L, 0, 2},
               {0.125L, 2, 0.13},      {-0.125L, 2, -0.13},
               {1234.5678L, -2, 1200}, {1234.5678L, 3, 1234.568},
               {1e12L, -12, 1e12},     {0.4999L, 0, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(static_cast<double>(RoundN(c.x, c.digits)), c.result)
        << static_cast<double>(c.x) << " " << c.digits;
}

TEST(RoundN, DigitsBeyondTwelveRaiseRangeError) {
  EXPECT_NO_THROW(RoundN(1, 12));
  EXPECT_NO_THROW(RoundN(1, -12));
  for (int digits : {13, -13}) {
    EXPECT_EQ(test_support::Thrown<ERangeError>([&] { RoundN(1, digits); }),
              "RoundN: Value must be in -12..12");
  }
}

// Every accepted form gives the date it denotes as yyyy-mm-dd, the reports' only date form.
TEST(CheckDateYMD, Table) {
  const auto dates = TextPairs(
      "2021-02-28=2021-02-28 2021-1-5=2021-01-05 2024-02-29=2024-02-29 2000-02-29=2000-02-29 "
      "2021-02-28-=2021-02-28 21-03-04=2021-03-04 1-03-04=2001-03-04 03-04=2026-03-04 "
      "1-4=2026-01-04 14-1-4=2014-01-04 12-31=2026-12-31 0001-01-01=0001-01-01 "
      "214-1-4=0214-01-04 9999-12-31=9999-12-31 2021-002-28=2021-02-28 0031-0012-0031=0031-12-31");
  for (const auto& [text, date] : dates) EXPECT_EQ(CheckDateYMD(text, 2026), date) << text;
  for (const char* text : {" 2021- 02- 28", "2021-02-28 ", "2021-02-28 - ", " 2021-02-28-  "})
    EXPECT_EQ(CheckDateYMD(text, 2026), "2021-02-28") << '"' << text << '"';
  std::istringstream refused(
      "2021-02-30 2023-02-29 1900-02-29 2021-13-01 2021-00-10 2021-04-31 2021-04-00 0000-01-01 "
      "28.02.2021 2021/02/28 2021-02-28x 12021-02-28 2021-00002-28 2021 2021- -2021-02-28 "
      "2021--02-28 2021-02-28-01 02-29");
  for (std::string text; refused >> text;) EXPECT_EQ(CheckDateYMD(text, 2026), "") << text;
  EXPECT_EQ(CheckDateYMD("", 2026), "");
}

TEST(CheckDateYMD, ShortYearsAndMonthDayUseTheCurrentYear) {
  EXPECT_EQ(CheckDateYMD("24-02-29", 2026), "2024-02-29");
  EXPECT_EQ(CheckDateYMD("23-02-29", 2026), "");
  EXPECT_EQ(CheckDateYMD("02-29", 2024), "2024-02-29");
  EXPECT_EQ(CheckDateYMD("99-02-29", 1999), "");  // 1999
  EXPECT_EQ(CheckDateYMD("96-02-29", 1999), "1996-02-29");
  // Year 00 of centuries that differ in leap status: 2000 is a leap year, 1900 and 2100 are not.
  EXPECT_EQ(CheckDateYMD("00-02-29", 2026), "2000-02-29");
  EXPECT_EQ(CheckDateYMD("0-02-29", 2026), "2000-02-29");
  EXPECT_EQ(CheckDateYMD("00-02-29", 1999), "");
  EXPECT_EQ(CheckDateYMD("00-02-29", 2150), "");
  // The local clock's year.
  EXPECT_EQ(CheckDateYMD("01-01"), std::to_string(LocalYear()) + "-01-01");
}

TEST(Validators, TextTests) {
  struct Case {
    bool (*check)(std::string_view);
    std::vector<std::string> valid, invalid;
  } cases[] = {
      {IsSKVATNumber,
       {"SK1234567890"},
       {"SK123456789", "sk1234567890", "SK12345678901", "SK123456789a", "CZ1234567890", ""}},
      // Č (0xC8) is no A-Z letter; " 401" has four characters and converts.
      {IsForeignVATNumber,
       {"AT12345678", "DE", "AB" + std::string(12, '?')},
       {"A", "at123", "AB" + std::string(13, '1'), "A1", "\xC8Z123", ""}},
      {IsVATRate, {"10", "20"}, {"19", "20.0", " 20"}},
      {IsMaxLen32, {"", std::string(32, 'f')}, {std::string(33, 'f')}},
      {IsFourDigitNumber, {"0401", " 401", "$1A2"}, {"401", "04a1", "04011"}},
      {IsGoodsTypeCode, {"", "IO", "MT"}, {"io"}},
      {IsUnitOfMeasure, {"kg", "t", "m", "ks"}, {"KG", ""}},
      {IsIntOneOrTwo, {"", "1", "2", " 1", "02", "$2"}, {"0", "3", "1 ", "x"}},
      {IsIntZeroOrOne, {"0", "1"}, {"", "2"}},
      {IsEmptyOrX, {"", "x", "X"}, {"xx", " "}},
      {IsEmptyOneOrTwo, {"", "1", "2"}, {"01", " 1"}},
  };
  for (const auto& c : cases) {
    for (const auto& text : c.valid) EXPECT_TRUE(c.check(text)) << '"' << text << '"';
    for (const auto& text : c.invalid) EXPECT_FALSE(c.check(text)) << '"' << text << '"';
  }
}
