#include "app/statement/validators.h"

#include <gtest/gtest.h>

#include <string>

#include "app/statement/errors.h"

using namespace app;

namespace {

struct AmountCase {
  int mode;
  const char* text;
  const char* amount;
};

const AmountCase kAmountCases[] = {
    // no rounding: more than two decimals are rejected
    {0, "12.34", "12.34"},
    {0, "12,345", ""},
    {0, "1.10", "1.1"},
    {0, "12,5", "12.5"},
    {0, "12.50", "12.5"},
    {0, "100", "100"},
    {0, "-10", "-10"},
    {0, "1e2", "100"},
    {0, "1,5E1", "15"},
    {0, "1.5e-1", "0.15"},
    {0, " 7 ", "7"},
    {0, "+5", "5"},
    {0, "5.", "5"},
    {0, ".5", "0.5"},
    {0, "-0", "0"},
    {0, "0.01", "0.01"},
    {0, "0.005", ""},
    {0, "21474836.47", "21474836.47"},
    {0, "30000000.005", ""},
    {0, "1E15", "1E15"},
    {0, "1E300", "1E300"},
    {0, "1E400", ""},
    {0, "1E-400", "0"},
    {0, "abc", ""},
    {0, "", ""},
    {0, "1 000", ""},
    {0, "1.000,5", ""},
    {0, "1e", ""},
    {0, "0x10", ""},
    {0, "12 €", ""},
    // arithmetic: halves away from zero, on the double's value
    {1, "0.125", "0.13"},
    {1, "-0.125", "-0.13"},
    {1, "2.675", "2.67"},  // the double nearest 2.675 lies below it
    {1, "1.005", "1"},
    {1, "2.5", "2.5"},
    {1, "1.999", "2"},
    {1, "-1.995", "-2"},
    {1, "0.004", "0"},
    {1, "-0.004", "0"},
    {1, "30000000.005", "30000000"},
    {1, "1e20", "1E20"},
    {1, "1,2345E2", "123.45"},
    {1, "abc", ""},
    // down
    {2, "1.239", "1.23"},
    {2, "-1.231", "-1.24"},
    {2, "1.23", "1.23"},
    {2, "1.1", "1.1"},
    {2, "30000000.005", "30000000"},
    {2, "21474836.479", "21474836.47"},
    {2, "123456789012.345", "123456789012.34"},
    {2, "-0.001", "-0.01"},
    {2, "0.009", "0"},
    {2, "99.999", "99.99"},
    {2, "1e20", "1E20"},
    {2, "-1e-300", "-0.01"},
    {2, "", ""},
    // up
    {3, "1.231", "1.24"},
    {3, "-1.239", "-1.23"},
    {3, "1.1", "1.1"},
    {3, "1.23", "1.23"},
    {3, "0.001", "0.01"},
    {3, "-0.009", "0"},
    {3, "9.999", "10"},
    {3, "30000000.001", "30000000.01"},
    {3, "99999999999.999", "100000000000"},
    {3, "1e-300", "0.01"},
    {3, "x", ""},
};

}  // namespace

TEST(FormatAmount, EveryRoundingMode) {
  for (const auto& c : kAmountCases)
    EXPECT_EQ(FormatAmount(c.text, c.mode), c.amount)
        << "mode " << c.mode << " text \"" << c.text << '"';
}

TEST(FormatQuantity, Table) {
  struct Case {
    const char* text;
    const char* quantity;
  } cases[] = {{"2,5", "2.5"}, {"2.5", "2.5"},     {"3", "3"},       {"2.505", ""},
               {"2,505", ""},  {"-1.25", "-1.25"}, {"1e-2", "0.01"}, {"0.001", ""},
               {"abc", ""},    {"", ""},           {"1E16", "1E16"}, {"0.1", "0.1"}};
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
    try {
      RoundN(1, digits);
      FAIL() << digits;
    } catch (const ERangeError& e) {
      EXPECT_EQ(e.Message(), "RoundN: Value must be in -12..12");
    }
  }
}

TEST(CheckDateYMD, Table) {
  struct Case {
    const char* text;
    bool valid;
  } cases[] = {
      {"2021-02-28", true},     {"2021-1-5", true},
      {"2024-02-29", true},     {"2000-02-29", true},
      {" 2021- 02- 28", true},  {"2021-02-28-", true},
      {"2021-02-28 ", true},    {"2021-02-28 - ", true},
      {"21-03-04", true},       {"1-03-04", true},
      {"03-04", true},          {"12-31", true},
      {"0001-01-01", true},     {"9999-12-31", true},
      {"2021-02-30", false},    {"2023-02-29", false},
      {"1900-02-29", false},    {"2021-13-01", false},
      {"2021-00-10", false},    {"2021-04-31", false},
      {"2021-04-00", false},    {"0000-01-01", false},
      {"28.02.2021", false},    {"2021/02/28", false},
      {"2021-02-28x", false},   {"2021-02-28T00:00", false},
      {"12021-02-28", false},   {"2021-002-28", true},
      {"2021-00002-28", false}, {"2021", false},
      {"2021-", false},         {"", false},
      {"-2021-02-28", false},   {"2021--02-28", false},
      {"2021-02-28-01", false}, {"02-29", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CheckDateYMD(c.text, 2026), c.valid ? c.text : "") << '"' << c.text << '"';
}

TEST(CheckDateYMD, ShortYearsAndMonthDayUseTheCurrentYear) {
  EXPECT_EQ(CheckDateYMD("24-02-29", 2026), "24-02-29");  // 2024
  EXPECT_EQ(CheckDateYMD("23-02-29", 2026), "");
  EXPECT_EQ(CheckDateYMD("02-29", 2024), "02-29");
  EXPECT_EQ(CheckDateYMD("99-02-29", 1999), "");  // 1999
  EXPECT_EQ(CheckDateYMD("96-02-29", 1999), "96-02-29");
  // Year 00 of centuries that differ in leap status: 2000 is a leap year, 1900 and 2100 are not.
  EXPECT_EQ(CheckDateYMD("00-02-29", 2026), "00-02-29");
  EXPECT_EQ(CheckDateYMD("0-02-29", 2026), "0-02-29");
  EXPECT_EQ(CheckDateYMD("00-02-29", 1999), "");
  EXPECT_EQ(CheckDateYMD("00-02-29", 2150), "");
  EXPECT_EQ(CheckDateYMD("01-01"), "01-01");  // the local clock's year
}

TEST(Validators, TextTests) {
  struct Case {
    const char* name;
    bool (*check)(std::string_view);
    std::string text;
    bool result;
  } cases[] = {
      {"SK", IsSKVATNumber, "SK1234567890", true},
      {"SK", IsSKVATNumber, "SK123456789", false},
      {"SK", IsSKVATNumber, "sk1234567890", false},
      {"SK", IsSKVATNumber, "SK12345678901", false},
      {"SK", IsSKVATNumber, "SK123456789a", false},
      {"SK", IsSKVATNumber, "CZ1234567890", false},
      {"SK", IsSKVATNumber, "", false},
      {"foreign", IsForeignVATNumber, "A", false},
      {"foreign", IsForeignVATNumber, "AT12345678", true},
      {"foreign", IsForeignVATNumber, "at123", false},
      {"foreign", IsForeignVATNumber, "DE", true},
      {"foreign", IsForeignVATNumber, "AB" + std::string(12, '?'), true},
      {"foreign", IsForeignVATNumber, "AB" + std::string(13, '1'), false},
      {"foreign", IsForeignVATNumber, "A1", false},
      {"foreign", IsForeignVATNumber, "\xC8Z123", false},  // Č is no A-Z
      {"foreign", IsForeignVATNumber, "", false},
      {"rate", IsVATRate, "10", true},
      {"rate", IsVATRate, "20", true},
      {"rate", IsVATRate, "19", false},
      {"rate", IsVATRate, "20.0", false},
      {"rate", IsVATRate, " 20", false},
      {"maxlen", IsMaxLen32, "", true},
      {"maxlen", IsMaxLen32, std::string(32, 'f'), true},
      {"maxlen", IsMaxLen32, std::string(33, 'f'), false},
      {"four", IsFourDigitNumber, "0401", true},
      {"four", IsFourDigitNumber, "401", false},
      {"four", IsFourDigitNumber, "04a1", false},
      {"four", IsFourDigitNumber, "04011", false},
      {"four", IsFourDigitNumber, " 401", true},  // four characters, converts
      {"four", IsFourDigitNumber, "$1A2", true},
      {"goods", IsGoodsTypeCode, "", true},
      {"goods", IsGoodsTypeCode, "IO", true},
      {"goods", IsGoodsTypeCode, "MT", true},
      {"goods", IsGoodsTypeCode, "io", false},
      {"unit", IsUnitOfMeasure, "kg", true},
      {"unit", IsUnitOfMeasure, "t", true},
      {"unit", IsUnitOfMeasure, "m", true},
      {"unit", IsUnitOfMeasure, "ks", true},
      {"unit", IsUnitOfMeasure, "KG", false},
      {"unit", IsUnitOfMeasure, "", false},
      {"oneortwo", IsIntOneOrTwo, "", true},
      {"oneortwo", IsIntOneOrTwo, "1", true},
      {"oneortwo", IsIntOneOrTwo, "2", true},
      {"oneortwo", IsIntOneOrTwo, " 1", true},
      {"oneortwo", IsIntOneOrTwo, "02", true},
      {"oneortwo", IsIntOneOrTwo, "$2", true},
      {"oneortwo", IsIntOneOrTwo, "0", false},
      {"oneortwo", IsIntOneOrTwo, "3", false},
      {"oneortwo", IsIntOneOrTwo, "1 ", false},
      {"oneortwo", IsIntOneOrTwo, "x", false},
      {"zeroorone", IsIntZeroOrOne, "", false},
      {"zeroorone", IsIntZeroOrOne, "0", true},
      {"zeroorone", IsIntZeroOrOne, "1", true},
      {"zeroorone", IsIntZeroOrOne, "2", false},
      {"emptyorx", IsEmptyOrX, "", true},
      {"emptyorx", IsEmptyOrX, "x", true},
      {"emptyorx", IsEmptyOrX, "X", true},
      {"emptyorx", IsEmptyOrX, "xx", false},
      {"emptyorx", IsEmptyOrX, " ", false},
      {"emptyonetwo", IsEmptyOneOrTwo, "", true},
      {"emptyonetwo", IsEmptyOneOrTwo, "1", true},
      {"emptyonetwo", IsEmptyOneOrTwo, "2", true},
      {"emptyonetwo", IsEmptyOneOrTwo, "01", false},
      {"emptyonetwo", IsEmptyOneOrTwo, " 1", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.check(c.text), c.result) << c.name << " \"" << c.text << '"';
}
