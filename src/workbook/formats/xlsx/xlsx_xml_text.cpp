#include "workbook/formats/xlsx/xlsx_xml_text.h"

#include "workbook/formats/xlsx/xlsx_escapes.h"

namespace workbook {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

}  // namespace

std::u16string WithLineFeeds(std::u16string_view text) {
  if (text.find(u'\r') == std::u16string_view::npos) return std::u16string(text);
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

TXLSXElementText XLSXElementText(std::u16string_view text) {
  TXLSXElementText element{WithLineFeeds(text), false};
  element.PreserveSpace = XMLNeedsPreservedSpace(element.Text);
  // Most texts need no escape: they are not copied again.
  if (NeedsXLSXEscapes(element.Text)) element.Text = EncodeXLSXEscapes(element.Text);
  return element;
}

}  // namespace workbook
