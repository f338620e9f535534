#include "workbook/core/invariant_texts.h"

#include <algorithm>
#include <cmath>

#include "platform/float_text.h"
#include "workbook/core/iso_parts.h"

namespace workbook {

using platform::TDateTimeParts;

const platform::TFormatSettings& InvariantFormatSettings() {
  static const platform::TFormatSettings settings = [] {
    platform::TFormatSettings s = platform::FormatSettings();
    s.DecimalSeparator = u'.';
    return s;
  }();
  return settings;
}

std::u16string ISOFloatToStr(double value) {
  return platform::FloatToStrGeneral(value, InvariantFormatSettings().DecimalSeparator);
}

bool ISOTryStrToFloat(std::u16string_view text, double& value) {
  std::u16string pointed(text);
  std::replace(pointed.begin(), pointed.end(), u',', u'.');
  return platform::TryTextToFloat(pointed, InvariantFormatSettings().DecimalSeparator, value);
}

double ISOStrToFloatDef(std::u16string_view text, double defaultValue) {
  double value = 0;
  return ISOTryStrToFloat(text, value) ? value : defaultValue;
}

double ISOStrToFloat(std::u16string_view text) { return ISOStrToFloatDef(text, 0); }

std::int64_t ISOStrToIntDef(std::u16string_view text, std::int64_t defaultValue) {
  double value = 0;
  if (!ISOTryStrToFloat(text, value)) return defaultValue;
  const double floor = std::floor(value);
  const double rest = value - floor;
  double rounded = floor;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(floor, 2.0) != 0)) rounded = floor + 1;
  // 2^63 is the first double beyond the range; -2^63 is still inside.
  if (!(rounded >= -9223372036854775808.0 && rounded < 9223372036854775808.0)) return defaultValue;
  return static_cast<std::int64_t>(rounded);
}

std::int64_t ISOStrToInt(std::u16string_view text) { return ISOStrToIntDef(text, 0); }

namespace {

// The parts of value, or none (all zero) for 0 and for values outside the calendar.
bool Decode(TDateTime value, TDateTimeParts& parts) {
  return value != 0 && platform::DecodeDateTime(value, parts);
}

}  // namespace

std::u16string ISOEmptyDateTime() { return u"0000-00-00 00:00:00"; }
std::u16string ISOEmptyDate() { return u"0000-00-00"; }
std::u16string ISOEmptyTime() { return u"00:00:00"; }

std::u16string ISODateTimeToStr(TDateTime value) {
  TDateTimeParts p;
  return Decode(value, p) ? ISODateText(p) + u" " + ISOTimeText(p) : ISOEmptyDateTime();
}

std::u16string ISODateToStr(TDateTime value) {
  TDateTimeParts p;
  return Decode(value, p) ? ISODateText(p) : ISOEmptyDate();
}

std::u16string ISOTimeToStr(TDateTime value) {
  TDateTimeParts p;
  return Decode(value, p) ? ISOTimeText(p) : ISOEmptyTime();
}

bool ISOTryStrToDateTime(std::u16string_view text, TDateTime& value) {
  TDateTimeParts p;
  p.Year = FixedPositionNumber(text, 1, 4);
  p.Month = FixedPositionNumber(text, 6, 2);
  p.Day = FixedPositionNumber(text, 9, 2);
  p.Hour = FixedPositionNumber(text, 12, 2);
  p.Minute = FixedPositionNumber(text, 15, 2);
  p.Second = FixedPositionNumber(text, 18, 2);
  value = 0;
  if (platform::TryEncodeDateTime(p, value)) return true;
  value = 0;
  return false;
}

TDateTime ISOStrToDateTimeDef(std::u16string_view text, TDateTime defaultValue) {
  TDateTime value = 0;
  return ISOTryStrToDateTime(text, value) ? value : defaultValue;
}

TDateTime ISOStrToDateTime(std::u16string_view text) { return ISOStrToDateTimeDef(text, 0); }

bool ISOTryStrToDate(std::u16string_view text, TDateTime& value) {
  value = 0;
  if (platform::TryEncodeDate(FixedPositionNumber(text, 1, 4), FixedPositionNumber(text, 6, 2),
                              FixedPositionNumber(text, 9, 2), value))
    return true;
  value = 0;
  return false;
}

TDateTime ISOStrToDateDef(std::u16string_view text, TDateTime defaultValue) {
  TDateTime value = 0;
  return ISOTryStrToDate(text, value) ? value : defaultValue;
}

TDateTime ISOStrToDate(std::u16string_view text) { return ISOStrToDateDef(text, 0); }

TDateTime ISOStrToTime(std::u16string_view text) {
  TDateTime value = 0;
  if (!platform::TryEncodeTime(FixedPositionNumber(text, 1, 2), FixedPositionNumber(text, 4, 2),
                               FixedPositionNumber(text, 7, 2), 0, value))
    return 0;
  return value;
}

std::u16string LowerAscii(std::u16string_view text) {
  std::u16string result(text);
  for (char16_t& c : result) c = LowerAscii(c);
  return result;
}

std::u16string ISOIntToStr(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string ISOBoolToStr(bool value) { return value ? u"1" : u"0"; }

bool ISOStrToBool(std::u16string_view text) { return text == u"1"; }

bool ISOStrToBoolDef(std::u16string_view text, bool defaultValue) {
  return defaultValue ? text != u"0" : text == u"1";
}

}  // namespace workbook
