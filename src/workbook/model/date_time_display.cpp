#include "workbook/model/date_time_display.h"

#include <cmath>

#include "platform/date_time.h"
#include "platform/format_settings.h"
#include "workbook/core/invariant_texts.h"

namespace workbook {

namespace {

const char* const kShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongMonths[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};
const char* const kShortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kLongDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};

std::u16string Widen(const std::string& s) { return std::u16string(s.begin(), s.end()); }

std::u16string Number(long long value, int width) {
  std::string text = std::to_string(value);
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), '0');
  return Widen(text);
}

}  // namespace

bool DecodeSerial(double serial, TDateTimeParts& parts) {
  parts = TDateTimeParts();
  if (!std::isfinite(serial) || std::fabs(serial) > 3e6) return false;
  // Whole seconds first (the time counts from the day's midnight, also for negative serials),
  // so a time a hair below midnight is the next day.
  double whole = std::trunc(serial);
  long long seconds = std::llround(std::fabs(serial - whole) * 86400.0);
  long long day = static_cast<long long>(whole);
  if (seconds >= 86400) {
    seconds -= 86400;
    ++day;
  }
  platform::TDateTimeParts date;
  if (!platform::DecodeDateTime(static_cast<double>(day), date)) return false;
  parts.Year = date.Year;
  parts.Month = date.Month;
  parts.Day = date.Day;
  parts.Hour = static_cast<int>(seconds / 3600);
  parts.Minute = static_cast<int>(seconds / 60 % 60);
  parts.Second = static_cast<int>(seconds % 60);
  parts.DayOfWeek = static_cast<int>(((day % 7) + 7 + 6) % 7);  // 1899-12-30 was a Saturday
  parts.TotalHours = std::llround(std::fabs(serial) * 86400.0) / 3600;
  return true;
}

std::u16string NormalizeDateTimeCode(const std::u16string& expandedCode) {
  std::u16string code = LowerAscii(expandedCode);
  std::size_t semicolon = code.find(u';');
  if (semicolon != std::u16string::npos) code.resize(semicolon);
  std::u16string result;
  for (std::size_t i = 0; i < code.size(); ++i) {
    if (code.compare(i, 3, u"[h]") == 0) {
      result += u'h';
      i += 2;
    } else if (code[i] == u'[') {
      std::size_t close = code.find(u']', i);
      if (close == std::u16string::npos) break;
      i = close;
    } else if (code[i] != u'\\') {
      result += code[i];
    }
  }
  return result;
}

TDateTimeKind DateTimeKindOf(const std::u16string& code) {
  bool date = code.find_first_of(u"dy") != std::u16string::npos;
  bool time = code.find_first_of(u"hs") != std::u16string::npos;
  if (date && !time) return TDateTimeKind::Date;
  if (time && !date) return TDateTimeKind::Time;
  return TDateTimeKind::DateTime;
}

double DateTimeKindValue(double value, TDateTimeKind kind, bool elapsedHours) {
  switch (kind) {
    case TDateTimeKind::Date:
      // A serial a hair below midnight is the next day, as the time of day reads it.
      return std::trunc(std::round(value * 86400000.0) / 86400000.0);
    case TDateTimeKind::Time:
      return elapsedHours ? value : value - std::trunc(value);
    default:
      return value;
  }
}

std::u16string FormatDateTimeCode(const std::u16string& code, double value, bool elapsedHours) {
  TDateTimeParts p;
  if (!DecodeSerial(value, p)) return std::u16string();
  const platform::TFormatSettings& fs = platform::FormatSettings();
  bool twelveHours = code.find(u"am/pm") != std::u16string::npos;
  std::u16string out;
  bool afterHour = false;  // an "m" right after an hour field is minutes
  std::size_t n = code.size();
  for (std::size_t i = 0; i < n;) {
    char16_t c = code[i];
    std::size_t run = 1;
    while (i + run < n && code[i + run] == c) ++run;
    switch (c) {
      case u'"': {
        std::size_t close = code.find(u'"', i + 1);
        if (close == std::u16string::npos) close = n;
        out += code.substr(i + 1, close - i - 1);
        i = close + 1;
        continue;
      }
      case u'd':
        if (run == 1 || run == 2)
          out += Number(p.Day, static_cast<int>(run));
        else
          out += Widen(run == 3 ? kShortDays[p.DayOfWeek] : kLongDays[p.DayOfWeek]);
        afterHour = false;
        break;
      case u'y':
        out += run <= 2 ? Number(p.Year % 100, 2) : Number(p.Year, 4);
        afterHour = false;
        break;
      case u'm': {
        std::size_t next = code.find_first_not_of(u" :.", i + run);
        bool minutes = afterHour || (next != std::u16string::npos && code[next] == u's');
        if (minutes)
          out += Number(p.Minute, run >= 2 ? 2 : 1);
        else if (run <= 2)
          out += Number(p.Month, static_cast<int>(run));
        else
          out += Widen(run == 3 ? kShortMonths[p.Month - 1] : kLongMonths[p.Month - 1]);
        afterHour = false;
        break;
      }
      case u'h': {
        long long hour = elapsedHours ? p.TotalHours : p.Hour;
        if (twelveHours && !elapsedHours) hour = (hour % 12 == 0) ? 12 : hour % 12;
        out += Number(hour, run >= 2 ? 2 : 1);
        afterHour = true;
        break;
      }
      case u's':
        out += Number(p.Second, run >= 2 ? 2 : 1);
        afterHour = false;
        break;
      case u'a':
        if (code.compare(i, 5, u"am/pm") == 0) {
          out += p.Hour < 12 ? fs.TimeAMString : fs.TimePMString;
          i += 5;
          continue;
        }
        out.append(run, c);
        break;
      case u'/':
        out.append(run, fs.DateSeparator);
        break;
      case u':':
        out.append(run, fs.TimeSeparator);
        break;
      default:
        out.append(run, c);
        break;
    }
    i += run;
  }
  return out;
}

}  // namespace workbook
