#include "workbook/formats/ods/ods_cell_values.h"

#include <algorithm>
#include <charconv>

#include "platform/date_time.h"
#include "platform/text_codec.h"
#include "workbook/core/invariant_texts.h"

namespace workbook {

namespace {

// The most spaces one text:s may add: the longest text a spreadsheet cell holds.
constexpr std::int64_t kMaxSpaces = 32767;

std::int64_t ReadCount(std::string_view text, std::int64_t fallback, std::int64_t limit) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) return limit;
  if (error != std::errc() || end != text.data() + text.size() || value < 1) return fallback;
  return std::min(value, limit);
}

}  // namespace

std::int64_t ODSRepeatCount(std::string_view text) {
  if (text.empty()) return 1;
  return ReadCount(text, 1, std::int64_t{1} << 32);
}

std::int64_t ODSSpaceCount(std::string_view text) { return ReadCount(text, 1, kMaxSpaces); }

bool ODSReadFloat(std::string_view text, double& value) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc() && end == text.data() + text.size()) return true;
  return ISOTryStrToFloat(platform::Utf8ToUtf16(std::string(text)), value);
}

bool ODSReadDate(std::string_view text, double& value) {
  text = text.substr(0, 19);
  if (std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; })) {
    std::u16string date = platform::Utf8ToUtf16(text);
    if (date.size() < 10 || (date.size() > 10 && date.size() < 19)) return false;
    if (date.size() == 10) date += u"T00:00:00";
    return ISOTryStrToDateTime(date, value);
  }
  // A date of every cell: widened in place, without a string made for it.
  if (text.size() < 10 || (text.size() > 10 && text.size() < 19)) return false;
  char16_t date[] = u"0000-00-00T00:00:00";
  std::copy(text.begin(), text.end(), date);
  return ISOTryStrToDateTime(std::u16string_view(date, 19), value);
}

bool ODSReadTime(std::string_view text, double& value) {
  bool negative = false;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  if (text.empty() || text.front() != 'P') return false;
  text.remove_prefix(1);
  double seconds = 0;
  bool inTime = false;
  bool any = false;
  while (!text.empty()) {
    if (text.front() == 'T' && !inTime) {
      inTime = true;
      text.remove_prefix(1);
      continue;
    }
    double part = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), part);
    if (error != std::errc() || end == text.data() + text.size() || part < 0) return false;
    const char unit = *end;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()) + 1);
    if (!inTime && unit == 'D')
      seconds += part * 86400;
    else if (inTime && unit == 'H')
      seconds += part * 3600;
    else if (inTime && unit == 'M')
      seconds += part * 60;
    else if (inTime && unit == 'S')
      seconds += part;
    else
      return false;
    any = true;
  }
  if (!any) return false;
  value = (negative ? -seconds : seconds) / 86400;
  return true;
}

bool ODSReadBoolean(std::string_view text) {
  return !text.empty() && (text.front() == 'T' || text.front() == 't' || text.front() == '1');
}

}  // namespace workbook
