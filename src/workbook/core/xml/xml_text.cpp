#include "workbook/core/xml/xml_text.h"

#include <algorithm>

#include "platform/text_codec.h"

namespace workbook {

namespace {

bool AllowedControl(char32_t c) { return c >= 0x20 || c == '\t' || c == '\n' || c == '\r'; }

std::string_view Escape(char32_t c, TXmlEscaping escaping) {
  const bool attribute = escaping == TXmlEscaping::Attribute;
  switch (c) {
    case u'&':
      return "&amp;";
    case u'<':
      return "&lt;";
    case u'>':
      return "&gt;";
    case u'"':
      return "&quot;";
    case u'\t':
      return attribute ? "&#9;" : "";
    case u'\n':
      return attribute ? "&#10;" : "";
    case u'\r':
      return "&#13;";
    default:
      return "";
  }
}

// Printable ASCII that no escaping changes.
bool IsPlainAscii(char16_t c) {
  return c >= 0x20 && c < 0x80 && c != u'&' && c != u'<' && c != u'>' && c != u'"';
}

}  // namespace

void AppendXmlText(std::string& out, std::u16string_view text, TXmlEscaping escaping) {
  for (std::size_t i = 0; i < text.size();) {
    // Runs of plain ASCII, the bulk of most texts, are copied in one go.
    std::size_t end = i;
    while (end < text.size() && IsPlainAscii(text[end])) ++end;
    if (end > i) {
      const std::size_t at = out.size();
      out.resize(at + (end - i));
      std::copy(text.begin() + static_cast<std::ptrdiff_t>(i),
                text.begin() + static_cast<std::ptrdiff_t>(end),
                out.begin() + static_cast<std::ptrdiff_t>(at));
      i = end;
      continue;
    }
    const char32_t c = platform::NextCodePoint(text, i);
    if (!AllowedControl(c) || c == 0xFFFE || c == 0xFFFF) continue;
    const std::string_view escape = escaping == TXmlEscaping::None ? "" : Escape(c, escaping);
    if (!escape.empty())
      out += escape;
    else
      platform::AppendUtf8(out, c);
  }
}

std::string XmlText(std::u16string_view text, TXmlEscaping escaping) {
  std::string out;
  out.reserve(text.size());
  AppendXmlText(out, text, escaping);
  return out;
}

void AppendXmlText(std::string& out, std::string_view text) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    // U+FFFE and U+FFFF are EF BF BE and EF BF BF.
    bool drop = !AllowedControl(c) || (c == 0xEF && i + 2 < text.size() &&
                                       static_cast<unsigned char>(text[i + 1]) == 0xBF &&
                                       (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xBE);
    if (!drop) continue;
    out.append(text.substr(start, i - start));
    i += c == 0xEF ? 2 : 0;
    start = i + 1;
  }
  out.append(text.substr(start));
}

}  // namespace workbook
