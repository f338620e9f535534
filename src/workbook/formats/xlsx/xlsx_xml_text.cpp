#include "workbook/formats/xlsx/xlsx_xml_text.h"

#include <algorithm>

#include "platform/text_codec.h"

namespace workbook {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// ASCII that stands in XML as it is.
bool IsPlainAscii(char16_t c) {
  return c >= 0x20 && c < 0x80 && c != u'&' && c != u'<' && c != u'>' && c != u'"';
}

}  // namespace

void AppendXMLText(std::string& out, std::u16string_view text, bool attribute) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    // Runs of plain ASCII, the bulk of most texts, are copied in one go.
    std::size_t end = i;
    while (end < text.size() && IsPlainAscii(text[end])) ++end;
    if (end > i) {
      const std::size_t at = out.size();
      out.resize(at + (end - i));
      std::copy(text.begin() + static_cast<std::ptrdiff_t>(i),
                text.begin() + static_cast<std::ptrdiff_t>(end), out.begin() + at);
      if (end == text.size()) return;
      i = end;
    }
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
        ++i;
        platform::AppendUtf8(out, c);
      }
      continue;
    }
    if (c >= 0xDC00 && c <= 0xDFFF) continue;
    switch (c) {
      case u'&':
        out += "&amp;";
        continue;
      case u'<':
        out += "&lt;";
        continue;
      case u'>':
        out += "&gt;";
        continue;
      case u'"':
        out += "&quot;";
        continue;
      case u'\t':
        out += attribute ? "&#9;" : "\t";
        continue;
      case u'\n':
        out += attribute ? "&#10;" : "\n";
        continue;
      case u'\r':
        out += "&#13;";
        continue;
      default:
        break;
    }
    if (c < 0x20 || c == 0xFFFE || c == 0xFFFF) continue;
    platform::AppendUtf8(out, c);
  }
}

std::string XMLText(std::u16string_view text, bool attribute) {
  std::string out;
  out.reserve(text.size());
  AppendXMLText(out, text, attribute);
  return out;
}

std::u16string WithLineFeeds(std::u16string_view text) {
  std::u16string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r') {
      result += u'\n';
      if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

bool XMLNeedsPreservedSpace(std::u16string_view text) {
  if (text.empty()) return false;
  if (IsBlank(text.front()) || IsBlank(text.back())) return true;
  for (std::size_t i = 1; i < text.size(); ++i)
    if (IsBlank(text[i]) && IsBlank(text[i - 1])) return true;
  return false;
}

}  // namespace workbook
