#include "app/statement/xml_chars.h"

#include "app/statement/errors.h"
#include "platform/text_codec.h"

namespace app {
namespace {

bool IsXmlControl(unsigned c) { return c < 0x20 && c != '\t' && c != '\n' && c != '\r'; }

constexpr char kSubstitute = 0x1A;

}  // namespace

bool IsXmlText(std::string_view text) {
  for (unsigned char c : text)
    if (IsXmlControl(c)) return false;
  return true;
}

std::string CellTextToCp1250(std::u16string_view text) {
  std::u16string fit(text);
  for (std::size_t i = 0; i < fit.size(); ++i) {
    const char16_t c = fit[i];
    const bool high = platform::IsHighSurrogate(c);
    if (high && i + 1 < fit.size() && platform::IsLowSurrogate(fit[i + 1])) {
      ++i;  // a whole pair: a character the code page lacks, "?" as usual
    } else if (high || platform::IsLowSurrogate(c) || c == 0xFFFE || c == 0xFFFF) {
      fit[i] = kSubstitute;
    }
  }
  return platform::Utf16ToCp1250(fit);
}

void RequireXmlLines(const TTextLines& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (!IsXmlText(lines[i]))
      throw EAppException(platform::Utf8ToCp1250("Súbor XML nebol uložený: riadok č." +
                                                 std::to_string(i + 1) +
                                                 " obsahuje riadiaci znak, ktorý XML nepripúšťa"));
}

}  // namespace app
