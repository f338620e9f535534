#include "workbook/core/number_format_code.h"

#include <algorithm>
#include <array>

#include "workbook/core/invariant_texts.h"

namespace workbook {

namespace {

using View = std::u16string_view;
constexpr size_t npos = View::npos;

bool Contains(View text, View part) { return text.find(part) != npos; }

// Position of the first ";" that separates sections (not one inside quotes or after "\").
size_t SectionEnd(View code) {
  bool quoted = false;
  for (size_t i = 0; i < code.size(); ++i) {
    if (code[i] == u'"') quoted = !quoted;
    if (quoted) continue;
    if (code[i] == u'\\')
      ++i;
    else if (code[i] == u';')
      return i;
  }
  return npos;
}

bool IsElapsedTimeBracket(View content) {
  return !content.empty() &&
         std::all_of(content.begin(), content.end(), [&](char16_t c) { return c == content[0]; }) &&
         (content[0] == u'h' || content[0] == u'm' || content[0] == u's');
}

// The section's date and time letters alone: quoted text, escaped characters, the characters
// after "_" and "*", and bracketed colours, conditions and locales go; an elapsed-time bracket
// ("[h]") keeps its letters.
std::u16string DateTimeLetters(View section) {
  std::u16string result;
  for (size_t i = 0; i < section.size(); ++i) {
    const char16_t c = section[i];
    if (c == u'"') {
      const size_t close = section.find(u'"', i + 1);
      if (close == npos) break;
      i = close;
    } else if (c == u'\\' || c == u'_' || c == u'*') {
      ++i;
    } else if (c == u'[') {
      const size_t close = section.find(u']', i + 1);
      if (close == npos) break;
      const View content = section.substr(i + 1, close - i - 1);
      if (IsElapsedTimeBracket(content)) result += content;
      i = close;
    } else {
      result += c;
    }
  }
  return result;
}

bool IsDateTime(View section) {
  // The system's own date and time placeholders (expanded when a file is written).
  View t = section;
  if (const size_t bracket = t.find(u']'); bracket != npos) t.remove_prefix(bracket + 1);
  if (!t.empty() && t[0] == u'%') {
    for (View sys :
         {u"%sysdate%", u"%sysdatetime%", u"%sysdatetimews%", u"%systime%", u"%systimews%"})
      if (t == sys) return true;
  }
  const std::u16string letters = DateTimeLetters(section);
  for (View pattern : {u"d/m", u"m/d", u"d-m", u"m-d", u"h:m"})
    if (Contains(letters, pattern)) return true;
  const bool d = Contains(letters, u"d"), h = Contains(letters, u"h"), m = Contains(letters, u"m"),
             s = Contains(letters, u"s"), y = Contains(letters, u"y");
  if ((h && m) || (d && m) || (m && y) || (m && s)) return true;
  // A section without digit placeholders that shows one date part alone ("yyyy", "dddd").
  return (d || h || m || s || y) && letters.find_first_of(u"0#?") == npos;
}

// "@" outside quotes marks a text section.
bool IsTextSection(View section) {
  bool quoted = false;
  for (size_t i = 0; i < section.size(); ++i) {
    if (section[i] == u'"')
      quoted = !quoted;
    else if (!quoted && section[i] == u'\\')
      ++i;
    else if (!quoted && section[i] == u'@')
      return true;
  }
  return false;
}

uint8_t Capped(size_t value, size_t limit) { return static_cast<uint8_t>(std::min(value, limit)); }

size_t RunLength(View text, size_t from, View chars) {
  size_t n = 0;
  while (from + n < text.size() && chars.find(text[from + n]) != npos) ++n;
  return n;
}

// The currency symbol: the first quoted text, or without quotes the first non-empty "[$...]"
// symbol (up to "]" or "-"; "[$-41B]" alone is a locale, not a symbol). Returns its start and
// length, or npos.
std::pair<size_t, size_t> FindCurrencySymbol(View section) {
  if (const size_t open = section.find(u'"'); open != npos) {
    const size_t close = section.find(u'"', open + 1);
    if (close == npos || close == open + 1) return {npos, 0};
    return {open + 1, close - open - 1};
  }
  for (size_t at = section.find(u"[$"); at != npos; at = section.find(u"[$", at + 2)) {
    const size_t begin = at + 2;
    const size_t end = section.find_first_of(u"]-", begin);
    const size_t length = (end == npos ? section.size() : end) - begin;
    if (length > 0) return {begin, length};
  }
  return {npos, 0};
}

}  // namespace

bool IsGeneralFormatCode(std::u16string_view code) {
  // Asked for every cell a reader makes: compared in place rather than through a lowered copy.
  constexpr View kGeneral = u"general";
  return code.empty() || std::equal(code.begin(), code.end(), kGeneral.begin(), kGeneral.end(),
                                    [](char16_t a, char16_t b) { return LowerAscii(a) == b; });
}

TNumberFormatClass ParseNumberFormat(std::u16string_view code, TNumberFormatRec& format) {
  if (IsGeneralFormatCode(code) || code == u"@") return TNumberFormatClass::None;
  const std::u16string lower = LowerAscii(code);

  const size_t sectionEnd = SectionEnd(lower);
  const size_t sectionLength = sectionEnd != npos && sectionEnd >= 1 ? sectionEnd : npos;
  const View s = View(lower).substr(0, sectionLength);
  const View written = code.substr(0, sectionLength);
  if (IsTextSection(s)) return TNumberFormatClass::None;

  format = TNumberFormatRec{};
  if (s.empty()) return TNumberFormatClass::Number;
  if (IsDateTime(s)) return TNumberFormatClass::DateTime;

  format.ThousandSeparator = Contains(s, u"#,##");
  format.RedNegative = Contains(lower, u";[red]");
  if (const size_t point = s.find(u"0."); point != npos) {
    // "0.00": the character after the point counts, then the run of "#" and "0" behind it.
    format.Decimals = point + 2 < s.size() ? Capped(1 + RunLength(s, point + 3, u"#0"), 254) : 0;
  } else {
    format.Decimals = Contains(s, u"0") ? 0 : 255;
  }
  if (const size_t zero = s.find(u'0'); zero != npos) {
    size_t zeros = 1;
    for (size_t i = zero + 1; i < s.size() && (s[i] == u'0' || s[i] == u','); ++i) {
      if (s[i] == u'0')
        ++zeros;
      else
        format.ThousandSeparator = true;
    }
    format.IntegerZeros = Capped(zeros, 255);
  }

  if (s.back() == u'%') return TNumberFormatClass::Percent;
  if (const size_t fraction = s.find(u"?/?"); fraction != npos) {
    format.FractionDigits = Capped(1 + RunLength(s, fraction + 3, u"?"), 4);
    return TNumberFormatClass::Fraction;
  }
  if (const size_t exponent = s.find(u"e+"); exponent != npos) {
    format.ExponentDigits = Capped(1 + RunLength(s, exponent + 3, u"0"), 3);
    return TNumberFormatClass::Scientific;
  }
  const auto [symbolAt, symbolLength] = FindCurrencySymbol(s);
  if (symbolAt == npos) return TNumberFormatClass::Number;
  format.CurrencySymbol = std::u16string(written.substr(symbolAt, symbolLength));
  const size_t firstZero = s.find(u'0');
  if (firstZero != npos && symbolAt > firstZero)
    format.CurrencyPosition = 2;
  else if (s.find(u'*', symbolAt + symbolLength) != npos)
    format.CurrencyPosition = 1;
  return TNumberFormatClass::Currency;
}

std::u16string BuildNumberFormatCode(uint8_t decimals, uint8_t integerZeros,
                                     std::u16string_view prefix, std::u16string_view suffix) {
  if (decimals == 255) return u"";
  std::u16string code(prefix);
  code.append(integerZeros, u'0');
  if (decimals > 0) {
    code += u'.';
    code.append(decimals, u'0');
  }
  return code + std::u16string(suffix);
}

}  // namespace workbook
