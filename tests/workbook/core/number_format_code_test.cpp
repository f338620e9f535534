#include "workbook/core/number_format_code.h"

#include <gtest/gtest.h>

#include <string>

namespace workbook {
namespace {

using C = TNumberFormatClass;

std::string Narrow(std::u16string_view code) {
  std::string text;
  for (char16_t ch : code) text += ch < 128 ? static_cast<char>(ch) : '?';
  return text;
}

TEST(ParseNumberFormatTest, Classifies) {
  const auto expect = [](C cls, std::initializer_list<std::u16string_view> codes) {
    for (std::u16string_view code : codes) {
      TNumberFormatRec rec;
      EXPECT_EQ(ParseNumberFormat(code, rec), cls) << Narrow(code);
    }
  };
  expect(C::None, {u"", u"General", u"GENERAL", u"@", u"\"Text: \"@"});
  // Dates, system dates, times, elapsed times, minutes with seconds, one date part alone.
  expect(C::DateTime, {u"dd.mm.yyyy", u"d/m/yy", u"m/d/yy", u"d-mmm-yy", u"mmm-yy", u"mmmm yyyy",
                       u"yyyy-mm-dd", u"DD.MM.YYYY"});
  expect(C::DateTime, {u"[$-41B]d. mmmm yyyy", u"[$-F800]dddd\\,\\ mmmm\\ dd\\,\\ yyyy",
                       u"[Red][$-405]d.m.yyyy", u"dd.mm.yyyy [$-41B]"});
  expect(C::DateTime,
         {u"%sysdate%", u"%SYSDATETIME%", u"%sysdatetimews%", u"%systime%", u"%systimews%"});
  expect(C::DateTime, {u"h:mm", u"hh:mm:ss", u"h:mm AM/PM", u"[$-F400]h:mm:ss AM/PM",
                       u"dd.mm.yyyy hh:mm", u"m/d/yy h:mm"});
  expect(C::DateTime, {u"[h]:mm:ss", u"[hh]:mm", u"[mm]:ss", u"mm:ss", u"mm:ss.0", u"mmss.0",
                       u"yyyy", u"mmmm", u"dddd", u"[ss]"});
  // Letters inside quotes, after "\", "_" or "*", and inside colour, condition or locale
  // brackets are no date parts.
  expect(C::Number, {u"0.00 \\s", u"0\\d\\m", u"#,##0_m_d", u"*m0d", u"[>=100][Red]0;[Blue]0",
                     u"[Magenta]0.00", u"0;-0;0;@", u"0", u"0.00", u"#,##0", u"[$-41B]#,##0.00"});
  expect(C::Currency, {u"0 \"yyyy\"", u"0 \"dm\"", u"0.0 \"h:mm\"", u"[$mdl]0.00",
                       u"#,##0.00 \"\u20AC\"", u"#,##0.00 [$\u20AC-1]"});
  expect(C::Percent, {u"0.00%", u"0%"});
  expect(C::Fraction, {u"# ?/?",
                       u"# ?"
                       u"?/??"});
  expect(C::Scientific, {u"0.00E+00", u"##0.0E+0"});
}

struct RecCase {
  std::u16string code;
  TNumberFormatClass cls;
  TNumberFormatRec rec;
};

void PrintTo(const RecCase& c, std::ostream* os) { *os << Narrow(c.code); }

TNumberFormatRec Rec(bool red, bool thousands, uint8_t decimals, uint8_t zeros,
                     uint8_t exponent = 1, uint8_t fraction = 1, std::u16string symbol = u"",
                     uint8_t position = 0) {
  return {red, thousands, decimals, zeros, exponent, fraction, std::move(symbol), position};
}

class ParseNumberFormatRecTest : public testing::TestWithParam<RecCase> {};

TEST_P(ParseNumberFormatRecTest, FillsTheRecord) {
  TNumberFormatRec rec = Rec(true, true, 9, 9, 9, 9, u"stale", 9);
  ASSERT_EQ(ParseNumberFormat(GetParam().code, rec), GetParam().cls);
  const TNumberFormatRec& want = GetParam().rec;
  EXPECT_EQ(rec.RedNegative, want.RedNegative);
  EXPECT_EQ(rec.ThousandSeparator, want.ThousandSeparator);
  EXPECT_EQ(rec.Decimals, want.Decimals);
  EXPECT_EQ(rec.IntegerZeros, want.IntegerZeros);
  EXPECT_EQ(rec.ExponentDigits, want.ExponentDigits);
  EXPECT_EQ(rec.FractionDigits, want.FractionDigits);
  EXPECT_EQ(rec.CurrencySymbol, want.CurrencySymbol);
  EXPECT_EQ(rec.CurrencyPosition, want.CurrencyPosition);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseNumberFormatRecTest,
    testing::Values(
        RecCase{u"0.00%", C::Percent, Rec(false, false, 2, 1)},
        RecCase{u"# ?"
                u"?/??",
                C::Fraction, Rec(false, false, 255, 1, 1, 2)},
        RecCase{u"# ???"
                u"?/?????",
                C::Fraction, Rec(false, false, 255, 1, 1, 4)},
        RecCase{u"0.00E+00", C::Scientific, Rec(false, false, 2, 1, 2)},
        RecCase{u"0E+0000", C::Scientific, Rec(false, false, 0, 1, 3)},
        RecCase{u"#,##0.00;[Red]-#,##0.00", C::Number, Rec(true, true, 2, 1)},
        RecCase{u"0.000", C::Number, Rec(false, false, 3, 1)},
        RecCase{u"0.0#", C::Number, Rec(false, false, 2, 1)},
        RecCase{u"000", C::Number, Rec(false, false, 0, 3)},
        RecCase{u"00,000", C::Number, Rec(false, true, 0, 5)},
        RecCase{u"#", C::Number, Rec(false, false, 255, 1)},
        RecCase{u"0.", C::Number, Rec(false, false, 0, 1)},
        RecCase{u"[Red]0.0", C::Number, Rec(false, false, 1, 1)},
        RecCase{u"0;[RED]-0", C::Number, Rec(true, false, 0, 1)},
        RecCase{u"#,##0.00 \"K\u010D\"", C::Currency, Rec(false, true, 2, 1, 1, 1, u"K\u010D", 2)},
        RecCase{u"\"$\"#,##0.00", C::Currency, Rec(false, true, 2, 1, 1, 1, u"$", 0)},
        RecCase{u"_-\"EUR\"* #,##0_-", C::Currency, Rec(false, true, 0, 1, 1, 1, u"EUR", 1)},
        RecCase{u"#,##0.00 [$\u20AC-1]", C::Currency, Rec(false, true, 2, 1, 1, 1, u"\u20AC", 2)},
        RecCase{u"[$-41B]#,##0.00 [$Sk-41B]", C::Currency, Rec(false, true, 2, 1, 1, 1, u"Sk", 2)},
        RecCase{u"[$USD] 0.00", C::Currency, Rec(false, false, 2, 1, 1, 1, u"USD", 0)},
        RecCase{u"0.00\" a;b\";-0", C::Currency, Rec(false, false, 2, 1, 1, 1, u" a;b", 2)},
        RecCase{u"0." + std::u16string(300, u'0'), C::Number, Rec(false, false, 254, 1)}));

TEST(ParseNumberFormatTest, NoClassLeavesTheRecordAlone) {
  TNumberFormatRec rec;
  rec.Decimals = 7;
  rec.CurrencySymbol = u"x";
  EXPECT_EQ(ParseNumberFormat(u"General", rec), C::None);
  EXPECT_EQ(rec.Decimals, 7);
  EXPECT_EQ(rec.CurrencySymbol, u"x");
}

TEST(ParseNumberFormatTest, DateTimeResetsTheRecord) {
  TNumberFormatRec rec = Rec(true, true, 4, 4, 2, 3, u"x", 2);
  EXPECT_EQ(ParseNumberFormat(u"dd.mm.yyyy", rec), C::DateTime);
  EXPECT_EQ(rec.Decimals, 255);
  EXPECT_TRUE(rec.CurrencySymbol.empty());
}

struct BuildCase {
  uint8_t decimals;
  uint8_t zeros;
  std::u16string prefix;
  std::u16string suffix;
  std::u16string code;
};

class BuildNumberFormatCodeTest : public testing::TestWithParam<BuildCase> {};

TEST_P(BuildNumberFormatCodeTest, Builds) {
  const BuildCase& c = GetParam();
  EXPECT_EQ(BuildNumberFormatCode(c.decimals, c.zeros, c.prefix, c.suffix), c.code);
}

INSTANTIATE_TEST_SUITE_P(Table, BuildNumberFormatCodeTest,
                         testing::Values(BuildCase{255, 1, u"#,##", u"", u""},
                                         BuildCase{0, 1, u"", u"", u"0"},
                                         BuildCase{2, 1, u"#,##", u"", u"#,##0.00"},
                                         BuildCase{3, 2, u"", u"%", u"00.000%"},
                                         BuildCase{1, 0, u"", u"", u".0"},
                                         BuildCase{2, 1, u"", u" \"\u20AC\"", u"0.00 \"\u20AC\""}));

}  // namespace
}  // namespace workbook
