#include "workbook/core/iso_parts.h"

namespace workbook {

int FixedPositionNumber(std::u16string_view text, std::size_t start, std::size_t length) {
  if (start == 0 || start - 1 >= text.size()) return 0;
  std::u16string_view part = text.substr(start - 1, length);
  std::size_t i = 0;
  while (i < part.size() && part[i] == u' ') ++i;
  bool negative = false;
  if (i < part.size() && (part[i] == u'+' || part[i] == u'-')) negative = part[i++] == u'-';
  if (i == part.size()) return 0;
  int value = 0;
  for (; i < part.size(); ++i) {
    if (part[i] < u'0' || part[i] > u'9') return 0;
    value = value * 10 + (part[i] - u'0');
  }
  return negative ? -value : value;
}

std::u16string ZeroPadded(int value, int width) {
  std::u16string text(static_cast<std::size_t>(width), u'0');
  for (int i = width - 1; i >= 0 && value > 0; --i, value /= 10)
    text[static_cast<std::size_t>(i)] = static_cast<char16_t>(u'0' + value % 10);
  return text;
}

std::u16string ISODateText(const platform::TDateTimeParts& p) {
  return ZeroPadded(p.Year, 4) + u"-" + ZeroPadded(p.Month, 2) + u"-" + ZeroPadded(p.Day, 2);
}

std::u16string ISOTimeText(const platform::TDateTimeParts& p) {
  return ZeroPadded(p.Hour, 2) + u":" + ZeroPadded(p.Minute, 2) + u":" + ZeroPadded(p.Second, 2);
}

}  // namespace workbook
