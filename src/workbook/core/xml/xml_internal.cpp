#include "workbook/core/xml/xml_internal.h"

#include "platform/text_codec.h"
#include "workbook/core/xml/xml_error.h"

namespace workbook::xml_internal {

void TErrorCollector::Record(const xmlError* error) {
  if (!error || error->level < XML_ERR_ERROR) return;
  // The first fatal error explains the failure best; lesser errors are kept until one comes.
  bool isFatal = error->level == XML_ERR_FATAL;
  if (fatal || (!message.empty() && !isFatal)) return;
  fatal = isFatal;
  std::string text = error->message ? error->message : "unknown error";
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  message = "XML error";
  if (error->line > 0)
    message +=
        " at line " + std::to_string(error->line) + ", column " + std::to_string(error->int2);
  message += ": " + text + ".";
}

void TErrorCollector::Throw(const char* fallback) const {
  throw EXmlError(platform::Utf8ToUtf16(message.empty() ? std::string(fallback) : message));
}

void CollectError(void* collector, xmlErrorPtr error) {
  static_cast<TErrorCollector*>(collector)->Record(error);
}

namespace {

bool AllowedControl(unsigned char c) { return c >= 0x20 || c == '\t' || c == '\n' || c == '\r'; }

void AppendCodePoint(std::string& out, char32_t c) {
  // XML 1.0 has no place for most control characters nor for U+FFFE and U+FFFF.
  if (c < 0x80 ? !AllowedControl(static_cast<unsigned char>(c)) : (c == 0xFFFE || c == 0xFFFF))
    return;
  platform::AppendUtf8(out, c);
}

}  // namespace

void AppendXmlText(std::string& out, std::string_view text) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<unsigned char>(text[i]);
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

void AppendXmlText(std::string& out, std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    AppendCodePoint(out, c);
  }
}

}  // namespace workbook::xml_internal
