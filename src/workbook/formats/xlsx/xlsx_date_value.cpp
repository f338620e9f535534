#include "workbook/formats/xlsx/xlsx_date_value.h"

#include <cmath>
#include <string>

#include "platform/text_codec.h"

namespace workbook {

namespace {

constexpr double kSecondsPerDay = 86400;

// A decimal number (digits, an optional point and fraction) at the start of text, consumed.
bool TakeNumber(std::string_view& text, double& value) {
  std::size_t end = 0;
  bool digits = false;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end, digits = true;
  if (end < text.size() && (text[end] == '.' || text[end] == ',')) {
    ++end;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end, digits = true;
  }
  if (!digits || end > 30) return false;
  std::string number(text.substr(0, end));
  for (char& c : number)
    if (c == ',') c = '.';
  value = std::strtod(number.c_str(), nullptr);
  text.remove_prefix(end);
  return true;
}

bool ReadDuration(std::string_view text, TDateTime& value) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty() || text.front() != 'P') return false;
  text.remove_prefix(1);
  bool inTime = false;
  bool any = false;
  double seconds = 0;
  while (!text.empty()) {
    if (text.front() == 'T' && !inTime) {
      inTime = true;
      text.remove_prefix(1);
      continue;
    }
    double number = 0;
    if (!TakeNumber(text, number) || text.empty()) return false;
    const char unit = text.front();
    text.remove_prefix(1);
    if (!inTime && unit == 'W')
      seconds += number * 7 * kSecondsPerDay;
    else if (!inTime && unit == 'D')
      seconds += number * kSecondsPerDay;
    else if (inTime && unit == 'H')
      seconds += number * 3600;
    else if (inTime && unit == 'M')
      seconds += number * 60;
    else if (inTime && unit == 'S')
      seconds += number;
    else
      return false;  // years and months, or a unit out of place
    any = true;
  }
  if (!any || !(seconds < 1e12)) return false;
  value = std::round(seconds) / kSecondsPerDay * (negative ? -1 : 1);
  return true;
}

// The fraction of a second after the seconds at index ("10:10:10.6" gives 0.6); 0 without one.
double SecondFraction(std::string_view text, std::size_t index) {
  if (index >= text.size() || (text[index] != '.' && text[index] != ',')) return 0;
  double fraction = 0;
  std::string_view rest = text.substr(index);
  if (!TakeNumber(rest, fraction)) return 0;
  return fraction;
}

}  // namespace

bool ReadXLSXDateValue(std::string_view text, TDateTime& value, bool& isDuration) {
  isDuration = false;
  if (!text.empty() && (text.front() == 'P' || text.front() == '-')) {
    isDuration = ReadDuration(text, value);
    return isDuration;
  }
  const std::u16string wide = platform::Utf8ToUtf16(std::string(text));
  std::size_t secondsEnd;
  if (wide.size() >= 8 && wide[2] == u':' && wide[5] == u':') {
    value = ISOStrToTime(wide);
    if (value == 0 && wide.substr(0, 8) != u"00:00:00") return false;
    secondsEnd = 8;
  } else {
    if (!ISOTryStrToDateTime(wide, value)) return false;
    secondsEnd = 19;
  }
  // Half a second or more counts as the next second, away from zero as the serial grows.
  if (SecondFraction(text, secondsEnd) >= 0.5) value += (value < 0 ? -1 : 1) / kSecondsPerDay;
  return true;
}

}  // namespace workbook
