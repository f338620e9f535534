#pragma once
// The placeholders "%sysdate%", "%systime%" ... stand for the system's date and time formats;
// spreadsheet codes write minutes as "m" and the half-day as "am/pm".
#include <string>

namespace workbook {

// A placeholder becomes the system format it names, in which every "n" becomes "m" and every
// "ampm" "am/pm" (letter case ignored); any other code is returned unchanged.
std::u16string ExpandSysDateFormats(const std::u16string& format);

// The form a date/time cell stores its code in: lower case, "n" as "m", "ampm" and "a/p" as
// "am/pm". Placeholders stay.
std::u16string NormalizeStoredDateTimeCode(const std::u16string& code);

// The code a new date/time cell (timeOnly: time cell) starts with for a sheet's date and time
// formats: "%sysdatetime%" for the two system placeholders, else the expanded date format, a
// blank and the expanded time format; normalised as above.
std::u16string DefaultDateTimeCodeFor(const std::u16string& dateFormat,
                                      const std::u16string& timeFormat, bool timeOnly);

}  // namespace workbook
