#pragma once
// The process-wide number, date and currency formats. Nothing in the system reads the C or C++
// locale: conversions that depend on the user's conventions read this object, which starts with
// the Slovak defaults and which the application adjusts at start-up.
#include <string>

namespace platform {

struct TFormatSettings {
  char16_t DecimalSeparator = u',';
  char16_t ThousandSeparator = u'\u00A0';  // 0 means no grouping character
  char16_t DateSeparator = u'.';
  char16_t TimeSeparator = u':';
  char16_t ListSeparator = u';';
  std::u16string ShortDateFormat = u"d.M.yyyy";
  std::u16string LongDateFormat = u"d. MMMM yyyy";
  std::u16string ShortTimeFormat = u"H:mm";
  std::u16string LongTimeFormat = u"H:mm:ss";
  std::u16string TimeAMString = u"AM";
  std::u16string TimePMString = u"PM";
  std::u16string CurrencyString = u"\u20AC";
  // Positive form: 0 "€1", 1 "1€", 2 "€ 1", 3 "1 €".
  int CurrencyFormat = 3;
  // Negative form, as the platform numbers them: 5 "-1€", 8 "-1 €", ...
  int NegCurrFormat = 8;
  int CurrencyDecimals = 2;
};

// The one settings object of the process.
TFormatSettings& FormatSettings();

}  // namespace platform
