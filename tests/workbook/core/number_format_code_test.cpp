#include "workbook/core/number_format_code.h"

#include <gtest/gtest.h>

#include <string>

namespace workbook {
namespace {

using C = TNumberFormatClass;

struct ClassCase {
  std::u16string code;
  TNumberFormatClass cls;
};

void PrintTo(const ClassCase& c, std::ostream* os) {
  for (char16_t ch : c.code) *os << (ch < 128 ? static_cast<char>(ch) : '?');
}

class ParseNumberFormatClassTest : public testing::TestWithParam<ClassCase> {};

TEST_P(ParseNumberFormatClassTest, Classifies) {
  TNumberFormatRec rec;
  EXPECT_EQ(ParseNumberFormat(GetParam().code, rec), GetParam().cls);
}

INSTANTIATE_TEST_SUITE_P(NoClass, ParseNumberFormatClassTest,
                         testing::Values(ClassCase{u"", C::None}, ClassCase{u"General", C::None},
                                         ClassCase{u"GENERAL", C::None}, ClassCase{u"@", C::None},
                                         ClassCase{u"\"Text: \"@", C::None},
                                         ClassCase{u"0;-0;0;@", C::Number}));

INSTANTIATE_TEST_SUITE_P(
    Dates, ParseNumberFormatClassTest,
    testing::Values(ClassCase{u"dd.mm.yyyy", C::DateTime}, ClassCase{u"d/m/yy", C::DateTime},
                    ClassCase{u"m/d/yy", C::DateTime}, ClassCase{u"d-mmm-yy", C::DateTime},
                    ClassCase{u"mmm-yy", C::DateTime}, ClassCase{u"mmmm yyyy", C::DateTime},
                    ClassCase{u"yyyy-mm-dd", C::DateTime}, ClassCase{u"DD.MM.YYYY", C::DateTime},
                    ClassCase{u"[$-41B]d. mmmm yyyy", C::DateTime},
                    ClassCase{u"[$-F800]dddd\\,\\ mmmm\\ dd\\,\\ yyyy", C::DateTime},
                    ClassCase{u"[Red][$-405]d.m.yyyy", C::DateTime},
                    ClassCase{u"dd.mm.yyyy [$-41B]", C::DateTime},
                    ClassCase{u"%sysdate%", C::DateTime}, ClassCase{u"%SYSDATETIME%", C::DateTime},
                    ClassCase{u"%sysdatetimews%", C::DateTime},
                    ClassCase{u"%systime%", C::DateTime}, ClassCase{u"%systimews%", C::DateTime}));

INSTANTIATE_TEST_SUITE_P(
    Times, ParseNumberFormatClassTest,
    testing::Values(ClassCase{u"h:mm", C::DateTime}, ClassCase{u"hh:mm:ss", C::DateTime},
                    ClassCase{u"h:mm AM/PM", C::DateTime},
                    ClassCase{u"[$-F400]h:mm:ss AM/PM", C::DateTime},
                    ClassCase{u"dd.mm.yyyy hh:mm", C::DateTime},
                    ClassCase{u"m/d/yy h:mm", C::DateTime},
                    // Elapsed times and minutes with seconds.
                    ClassCase{u"[h]:mm:ss", C::DateTime}, ClassCase{u"[hh]:mm", C::DateTime},
                    ClassCase{u"[mm]:ss", C::DateTime}, ClassCase{u"mm:ss", C::DateTime},
                    ClassCase{u"mm:ss.0", C::DateTime}, ClassCase{u"mmss.0", C::DateTime},
                    // One date part alone.
                    ClassCase{u"yyyy", C::DateTime}, ClassCase{u"mmmm", C::DateTime},
                    ClassCase{u"dddd", C::DateTime}, ClassCase{u"[ss]", C::DateTime},
                    ClassCase{u"0 \"yyyy\"", C::Currency}, ClassCase{u"0.00 \\s", C::Number}));

// Letters inside quotes, after "\", "_" or "*", and inside colour, condition or locale brackets
// are no date parts.
INSTANTIATE_TEST_SUITE_P(
    LiteralsAreNotDates, ParseNumberFormatClassTest,
    testing::Values(ClassCase{u"0 \"dm\"", C::Currency}, ClassCase{u"0.0 \"h:mm\"", C::Currency},
                    ClassCase{u"0\\d\\m", C::Number}, ClassCase{u"#,##0_m_d", C::Number},
                    ClassCase{u"*m0d", C::Number}, ClassCase{u"[$mdl]0.00", C::Currency},
                    ClassCase{u"[>=100][Red]0;[Blue]0", C::Number},
                    ClassCase{u"[Magenta]0.00", C::Number}));

INSTANTIATE_TEST_SUITE_P(
    Numbers, ParseNumberFormatClassTest,
    testing::Values(ClassCase{u"0", C::Number}, ClassCase{u"0.00", C::Number},
                    ClassCase{u"#,##0", C::Number}, ClassCase{u"0.00%", C::Percent},
                    ClassCase{u"0%", C::Percent}, ClassCase{u"# ?/?", C::Fraction},
                    ClassCase{u"# ?"
                              u"?/??",
                              C::Fraction},
                    ClassCase{u"0.00E+00", C::Scientific}, ClassCase{u"##0.0E+0", C::Scientific},
                    ClassCase{u"#,##0.00 \"\u20AC\"", C::Currency},
                    ClassCase{u"#,##0.00 [$\u20AC-1]", C::Currency},
                    ClassCase{u"[$-41B]#,##0.00", C::Number}));

struct RecCase {
  std::u16string code;
  TNumberFormatClass cls;
  TNumberFormatRec rec;
};

void PrintTo(const RecCase& c, std::ostream* os) { PrintTo(ClassCase{c.code, c.cls}, os); }

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
