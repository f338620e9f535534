#include "workbook/core/oformat.h"

#include <charconv>
#include <initializer_list>

#include "platform/system_colors.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/iso_parts.h"

namespace workbook::OFormat {
namespace {

constexpr std::int32_t kNoColor = 0x1FFFFFFF;

// Simple upper-case mapping for the scripts the library's users write in: Latin (with the
// Central European letters), Greek and Cyrillic. Other characters compare as they are.
char16_t UpperCase(char16_t c) {
  if (c >= u'a' && c <= u'z') return c - 0x20;
  if (c < 0x00E0) return c;
  if (c <= 0x00FE) return c == 0x00F7 ? c : c - 0x20;
  if (c == 0x00FF) return 0x0178;
  if (c >= 0x0100 && c <= 0x017F) {
    const bool oddUpper = (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
    const bool noPair =
        c == 0x0130 || c == 0x0131 || c == 0x0138 || c == 0x0149 || c == 0x0178 || c == 0x017F;
    if (noPair) return c;
    if (oddUpper) return (c % 2 == 0) ? c - 1 : c;
    return (c % 2 == 1) ? c - 1 : c;
  }
  if (c >= 0x03B1 && c <= 0x03C9 && c != 0x03C2) return c - 0x20;
  if (c >= 0x0430 && c <= 0x044F) return c - 0x20;
  if (c >= 0x0450 && c <= 0x045F) return c - 0x50;
  return c;
}

// Whether text at pos starts with pattern (lower-case ASCII), letter case ignored.
bool StartsWithAt(std::u16string_view text, std::size_t pos, std::string_view pattern) {
  if (text.size() - pos < pattern.size()) return false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (LowerAscii(text[pos + i]) != static_cast<char16_t>(pattern[i])) return false;
  }
  return true;
}

// The first of patterns found at pos; its length, 0 when none.
std::size_t MatchAt(std::u16string_view text, std::size_t pos,
                    std::initializer_list<std::string_view> patterns) {
  for (std::string_view p : patterns)
    if (StartsWithAt(text, pos, p)) return p.size();
  return 0;
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

// A component written as one hexadecimal digit (times 17) or two; 0 when not hexadecimal.
int HexComponent(std::u16string_view digits) {
  int value = 0;
  for (char16_t c : digits) {
    const int d = HexDigit(c);
    if (d < 0) return 0;
    value = value * 16 + d;
  }
  return digits.size() == 1 ? value * 17 : value;
}

}  // namespace

std::u16string ISODateToStr(TDateTime value) {
  platform::TDateTimeParts p;
  platform::DecodeDateTime(value, p);
  return ISODateText(p);
}

std::u16string ISODateTimeToStr(TDateTime value) {
  platform::TDateTimeParts p;
  platform::DecodeDateTime(value, p);
  return ISODateText(p) + u"T" + ISOTimeText(p);
}

TDateTime ISOStrToDateTime(std::u16string_view text) { return workbook::ISOStrToDateTime(text); }

std::u16string ISOTimeToDuration(TDateTime value) {
  platform::TDateTimeParts p;
  platform::DecodeDateTime(value, p);
  return u"PT" + ZeroPadded(p.Hour, 2) + u"H" + ZeroPadded(p.Minute, 2) + u"M" +
         ZeroPadded(p.Second, 2) + u"S";
}

TDateTime ISODurationToTime(std::u16string_view text) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == u'-';
  if (negative) ++i;
  if (i >= text.size() || text[i] != u'P') return 0;
  ++i;
  // Designators in the order they may appear: date part, then time part.
  static constexpr std::u16string_view kDateOrder = u"YMWD";
  static constexpr std::u16string_view kTimeOrder = u"HMS";
  static constexpr double kSeconds[] = {0, 0, 7 * 86400.0, 86400.0};
  static constexpr double kTimeSeconds[] = {3600.0, 60.0, 1.0};
  bool inTime = false;
  bool timeComponent = false;
  bool anyComponent = false;
  std::size_t next = 0;  // first designator rank still allowed
  double seconds = 0;
  while (i < text.size()) {
    if (text[i] == u'T') {
      if (inTime) return 0;
      inTime = true;
      next = 0;
      ++i;
      continue;
    }
    std::string number;
    for (; i < text.size() &&
           ((text[i] >= u'0' && text[i] <= u'9') || text[i] == u'.' || text[i] == u',');
         ++i)
      number.push_back(text[i] == u',' ? '.' : static_cast<char>(text[i]));
    double amount = 0;
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), amount,
                                     std::chars_format::fixed);
    if (number.empty() || ec != std::errc() || end != number.data() + number.size() ||
        i >= text.size())
      return 0;
    const std::u16string_view order = inTime ? kTimeOrder : kDateOrder;
    const std::size_t rank = order.find(text[i], next);
    if (rank == std::u16string_view::npos) return 0;
    if (!inTime && rank < 2) {
      // Years and months have no fixed length in days.
      if (amount != 0) return 0;
    } else {
      seconds += amount * (inTime ? kTimeSeconds[rank] : kSeconds[rank]);
    }
    next = rank + 1;
    anyComponent = true;
    timeComponent = timeComponent || inTime;
    ++i;
  }
  if (!anyComponent || (inTime && !timeComponent)) return 0;
  return (negative ? -seconds : seconds) / 86400.0;
}

bool StrToBool(std::u16string_view text) {
  return !text.empty() && (text[0] == u'T' || text[0] == u't' || text[0] == u'1');
}

std::int32_t ColorToRGB(std::int32_t color) {
  if (color == kNoColor) return 0;
  return color < 0 ? platform::SystemColorToRGB(color) : color;
}

std::u16string ColorToHTMLHex(std::int32_t color, bool addHash) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  const auto rgb = static_cast<std::uint32_t>(ColorToRGB(color));
  std::u16string text = addHash ? u"#" : u"";
  for (int shift : {0, 8, 16}) {
    const unsigned component = (rgb >> shift) & 0xFF;
    text.push_back(kDigits[component >> 4]);
    text.push_back(kDigits[component & 0xF]);
  }
  return text;
}

std::int32_t HTMLHexToColor(std::u16string_view text) {
  if (!text.empty() && text[0] == u'#') text.remove_prefix(1);
  std::size_t width = 0;
  if (text.size() == 3)
    width = 1;
  else if (text.size() == 6)
    width = 2;
  else
    return kNoColor;
  const int red = HexComponent(text.substr(0, width));
  const int green = HexComponent(text.substr(width, width));
  const int blue = HexComponent(text.substr(2 * width, width));
  return red | (green << 8) | (blue << 16);
}

std::u16string EncodeXMLEntities(std::u16string_view text, bool nbspAtEdges,
                                 bool encodeLineBreaks) {
  std::u16string result;
  result.reserve(text.size());
  for (char16_t c : text) {
    switch (c) {
      case u'&':
        result += u"&amp;";
        break;
      case u'<':
        result += u"&lt;";
        break;
      case u'>':
        result += u"&gt;";
        break;
      case u'\'':
        result += u"&apos;";
        break;
      case u'"':
        result += u"&quot;";
        break;
      case u'\r':
        result += encodeLineBreaks ? u"&#xD;" : u"\r";
        break;
      case u'\n':
        result += encodeLineBreaks ? u"&#xA;" : u"\n";
        break;
      default:
        result += c;
    }
  }
  if (nbspAtEdges && !result.empty()) {
    // A character reference: "&nbsp;" is no XML entity.
    if (result.front() == u' ') result.replace(0, 1, u"&#160;");
    if (result.back() == u' ') result.replace(result.size() - 1, 1, u"&#160;");
  }
  return result;
}

std::u16string DecodeXMLEntities(std::u16string_view text) {
  std::u16string result;
  result.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] != u'&') {
      result += text[i++];
      continue;
    }
    if (std::size_t n = MatchAt(text, i, {"&br;", "&#xd;", "&#13;"})) {
      result += u"\r\n";
      i += n;
      // The LF of a CR LF pair is part of the same line break.
      i += MatchAt(text, i, {"&#xa;", "&#10;"});
    } else if ((n = MatchAt(text, i, {"&#xa;", "&#10;"}))) {
      result += u'\n';
      i += n;
    } else if ((n = MatchAt(text, i, {"&nbsp;", "&sp;", "&#160;", "&#xa0;"}))) {
      result += u' ';
      i += n;
    } else if ((n = MatchAt(text, i, {"&lt;"}))) {
      result += u'<';
      i += n;
    } else if ((n = MatchAt(text, i, {"&gt;", "&rt;"}))) {
      result += u'>';
      i += n;
    } else if ((n = MatchAt(text, i, {"&apos;"}))) {
      result += u'\'';
      i += n;
    } else if ((n = MatchAt(text, i, {"&quot;"}))) {
      result += u'"';
      i += n;
    } else if ((n = MatchAt(text, i, {"&amp;"}))) {
      result += u'&';
      i += n;
    } else {
      result += text[i++];
    }
  }
  return result;
}

std::u16string ReplaceAllIgnoreCase(std::u16string_view text, std::u16string_view oldText,
                                    std::u16string_view newText) {
  if (oldText.empty()) return std::u16string(text);
  std::u16string result;
  result.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    bool match = text.size() - i >= oldText.size();
    for (std::size_t k = 0; match && k < oldText.size(); ++k)
      match = UpperCase(text[i + k]) == UpperCase(oldText[k]);
    if (match) {
      result += newText;
      i += oldText.size();
    } else {
      result += text[i++];
    }
  }
  return result;
}

}  // namespace workbook::OFormat
