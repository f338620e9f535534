#include "workbook/formats/xlsx/xlsx_escapes.h"

#include "platform/text_codec.h"
#include "workbook/formats/xlsx/xlsx_xml_text.h"

namespace workbook {

namespace {

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

}  // namespace

int XLSXEscapeAt(std::u16string_view text, std::size_t i) {
  if (i + 6 >= text.size() || text[i] != u'_' || (text[i + 1] | 0x20) != u'x' ||
      text[i + 6] != u'_')
    return -1;
  int unit = 0;
  for (std::size_t k = i + 2; k < i + 6; ++k) {
    const int digit = HexDigit(text[k]);
    if (digit < 0) return -1;
    unit = unit * 16 + digit;
  }
  return unit;
}

namespace {

using platform::IsHighSurrogate;
using platform::IsLowSurrogate;

// Whether the unit at I cannot stand in an XML 1.0 document.
bool IsUnwritable(std::u16string_view text, std::size_t i) {
  const char16_t c = text[i];
  if (c < 0x20) return c != u'\t' && c != u'\n' && c != u'\r';
  if (c == 0xFFFE || c == 0xFFFF) return true;
  if (IsHighSurrogate(c)) return i + 1 >= text.size() || !IsLowSurrogate(text[i + 1]);
  if (IsLowSurrogate(c)) return i == 0 || !IsHighSurrogate(text[i - 1]);
  return false;
}

void AppendEscape(std::u16string& out, char16_t unit) {
  static const char16_t digits[] = u"0123456789ABCDEF";
  out += u"_x";
  for (int shift = 12; shift >= 0; shift -= 4) out += digits[(unit >> shift) & 15];
  out += u'_';
}

}  // namespace

std::u16string DecodeXLSXEscapes(std::u16string_view text) {
  if (text.find(u'_') == std::u16string_view::npos) return std::u16string(text);
  std::u16string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int unit = XLSXEscapeAt(text, i);
    if (unit < 0) {
      result += text[i];
    } else {
      result += static_cast<char16_t>(unit);
      i += 6;
    }
  }
  return result;
}

bool NeedsXLSXEscapes(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if (IsUnwritable(text, i) || XLSXEscapeAt(text, i) >= 0) return true;
  return false;
}

std::u16string EncodeXLSXEscapes(std::u16string_view text) {
  if (!NeedsXLSXEscapes(text)) return std::u16string(text);
  std::u16string result;
  result.reserve(text.size() + 14);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsUnwritable(text, i)) {
      AppendEscape(result, text[i]);
    } else if (XLSXEscapeAt(text, i) >= 0) {
      AppendEscape(result, u'_');
    } else {
      result += text[i];
    }
  }
  return result;
}

std::u16string XLSXCellStringText(std::u16string_view text) {
  return WithLineFeeds(DecodeXLSXEscapes(text));
}

}  // namespace workbook
