#include "workbook/model/sys_date_formats.h"

#include "platform/format_settings.h"
#include "workbook/core/invariant_texts.h"

namespace workbook {

namespace {

void ReplaceAllLower(std::u16string& text, const std::u16string& from, const std::u16string& to) {
  std::u16string lower = LowerAscii(text);
  std::u16string result;
  std::size_t start = 0, found;
  while ((found = lower.find(from, start)) != std::u16string::npos) {
    result.append(text, start, found - start);
    result += to;
    start = found + from.size();
  }
  result.append(text, start, std::u16string::npos);
  text.swap(result);
}

void ReplaceMinuteLetters(std::u16string& text) {
  for (char16_t& c : text) {
    if (c == u'n') c = u'm';
    if (c == u'N') c = u'M';
  }
}

}  // namespace

std::u16string ExpandSysDateFormats(const std::u16string& format) {
  const platform::TFormatSettings& fs = platform::FormatSettings();
  // Only the system's formats are spelt with "n" for minutes; in any other code "n" is a
  // literal letter and stays.
  if (format.empty() || format[0] != u'%') return format;
  const std::u16string key = LowerAscii(format);
  std::u16string result;
  if (key == u"%sysdate%")
    result = fs.ShortDateFormat;
  else if (key == u"%systime%")
    result = fs.LongTimeFormat;
  else if (key == u"%systimews%")
    result = fs.ShortTimeFormat;
  else if (key == u"%sysdatetime%")
    result = fs.ShortDateFormat + u" " + fs.LongTimeFormat;
  else if (key == u"%sysdatetimews%")
    result = fs.ShortDateFormat + u" " + fs.ShortTimeFormat;
  else
    return format;
  ReplaceMinuteLetters(result);
  ReplaceAllLower(result, u"ampm", u"am/pm");
  return result;
}

std::u16string NormalizeStoredDateTimeCode(const std::u16string& code) {
  std::u16string result = LowerAscii(code);
  ReplaceMinuteLetters(result);
  ReplaceAllLower(result, u"ampm", u"am/pm");
  ReplaceAllLower(result, u"a/p", u"am/pm");
  return result;
}

std::u16string DefaultDateTimeCodeFor(const std::u16string& dateFormat,
                                      const std::u16string& timeFormat, bool timeOnly) {
  if (timeOnly) return NormalizeStoredDateTimeCode(timeFormat);
  if (dateFormat == u"%sysdate%" && timeFormat == u"%systime%") return u"%sysdatetime%";
  return NormalizeStoredDateTimeCode(ExpandSysDateFormats(dateFormat) + u" " +
                                     ExpandSysDateFormats(timeFormat));
}

}  // namespace workbook
