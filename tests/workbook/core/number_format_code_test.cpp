#include "workbook/core/number_format_code.h"

#include <gtest/gtest.h>

#include <tuple>

#include <string>

#include "platform/text_codec.h"

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
  // Plain date codes are classified against openpyxl in the corpus peer test; these are the
  // codes it never holds and the letters that are no date parts.
  expect(C::None, {u"", u"GENERAL", u"@", u"\"Text: \"@"});
  expect(C::DateTime,
         {u"[$-F800]dddd\\,\\ mmmm\\ dd\\,\\ yyyy", u"[Red][$-405]d.m.yyyy", u"dd.mm.yyyy [$-41B]",
          u"%SYSDATETIME%", u"%systimews%", u"[h]:mm:ss", u"mm:ss.0", u"mmss.0", u"yyyy", u"[ss]"});
  // Letters inside quotes, after "\", "_" or "*", and inside colour, condition or locale
  // brackets are no date parts.
  expect(C::Number, {u"0.00 \\s", u"0\\d\\m", u"#,##0_m_d", u"*m0d", u"[>=100][Red]0;[Blue]0",
                     u"[Magenta]0.00", u"0;-0;0;@", u"[$-41B]#,##0.00"});
  expect(C::Currency, {u"0 \"yyyy\"", u"0.0 \"h:mm\"", u"[$mdl]0.00", u"#,##0.00 [$\u20AC-1]"});
}

TEST(IsGeneralFormatCodeTest, NoCodeOrGeneralInAnyCase) {
  const std::pair<std::u16string_view, bool> cases[] = {
      {u"", true},
      {u"General", true},
      {u"GENERAL", true},
      {u"gEnErAl", true},
      {u"Genera", false},
      {u"Generals", false},
      {u" General", false},
      {u"0", false},
      {u"G\u00C9neral", false},
      {u"\u0120eneral", false},
  };
  for (const auto& [code, general] : cases)
    EXPECT_EQ(IsGeneralFormatCode(code), general) << Narrow(code);
}

// The class's initial, then the record: "R" red negatives, "," thousands, decimals, integer
// zeros, exponent and fraction digits, currency symbol and its position.
std::string Parsed(std::u16string_view code) {
  TNumberFormatRec rec{true, true, 9, 9, 9, 9, u"stale", 9};
  const int cls = static_cast<int>(ParseNumberFormat(code, rec));
  return std::string(1, "-NPCSFD"[cls]) + " " + (rec.RedNegative ? "R" : "-") +
         (rec.ThousandSeparator ? "," : "-") + " " + std::to_string(rec.Decimals) + " " +
         std::to_string(rec.IntegerZeros) + " " + std::to_string(rec.ExponentDigits) + " " +
         std::to_string(rec.FractionDigits) + " '" + platform::Utf16ToUtf8(rec.CurrencySymbol) +
         "'" + std::to_string(rec.CurrencyPosition);
}

// A date resets the record.
TEST(ParseNumberFormatTest, FillsTheRecord) {
  const std::pair<std::u16string, const char*> cases[] = {
      {u"0.00%", "P -- 2 1 1 1 ''0"},
      {u"# ?\?/??", "F -- 255 1 1 2 ''0"},
      {u"0.00E+00", "S -- 2 1 2 1 ''0"},
      {u"0E+0000", "S -- 0 1 3 1 ''0"},
      {u"#,##0.00;[Red]-#,##0.00", "N R, 2 1 1 1 ''0"},
      {u"0.0#", "N -- 2 1 1 1 ''0"},
      {u"00,000", "N -, 0 5 1 1 ''0"},
      {u"0.", "N -- 0 1 1 1 ''0"},
      {u"[Red]0.0", "N -- 1 1 1 1 ''0"},
      {u"0;[RED]-0", "N R- 0 1 1 1 ''0"},
      {u"#,##0.00 \"K\u010D\"", "C -, 2 1 1 1 'K\xC4\x8D'2"},
      {u"_-\"EUR\"* #,##0_-", "C -, 0 1 1 1 'EUR'1"},
      {u"[$-41B]#,##0.00 [$Sk-41B]", "C -, 2 1 1 1 'Sk'2"},
      {u"0.00\" a;b\";-0", "C -- 2 1 1 1 ' a;b'2"},
      {u"0." + std::u16string(300, u'0'), "N -- 254 1 1 1 ''0"},
      {u"dd.mm.yyyy", "D -- 255 1 1 1 ''0"}};
  for (const auto& [code, expected] : cases) EXPECT_EQ(Parsed(code), expected) << Narrow(code);
  // No class leaves it alone.
  EXPECT_EQ(Parsed(u"General"), "- R, 9 9 9 9 'stale'9");
}

TEST(BuildNumberFormatCodeTest, Builds) {
  const std::tuple<uint8_t, uint8_t, std::u16string, std::u16string, std::u16string> cases[] = {
      {255, 1, u"#,##", u"", u""},       {0, 1, u"", u"", u"0"},
      {2, 1, u"#,##", u"", u"#,##0.00"}, {3, 2, u"", u"%", u"00.000%"},
      {1, 0, u"", u"", u".0"},           {2, 1, u"", u" \"\u20AC\"", u"0.00 \"\u20AC\""}};
  for (const auto& [decimals, zeros, prefix, suffix, code] : cases)
    EXPECT_EQ(BuildNumberFormatCode(decimals, zeros, prefix, suffix), code);
}

}  // namespace
}  // namespace workbook
