#pragma once
// The pieces the invariant texts and the XML value texts share: fixed-position numbers and the
// zero-padded ISO forms of calendar parts.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/date_time.h"

namespace workbook {

// The number at 1-based start, at most length (<= 9) characters long, cut at the text's end:
// optional leading blanks, an optional sign, digits; 0 for anything else, a missing part too.
int FixedPositionNumber(std::u16string_view text, std::size_t start, std::size_t length);
// value (>= 0) in decimal, zero-padded to width digits.
std::u16string ZeroPadded(int value, int width);
// "yyyy-mm-dd" and "hh:nn:ss".
std::u16string ISODateText(const platform::TDateTimeParts& parts);
std::u16string ISOTimeText(const platform::TDateTimeParts& parts);

}  // namespace workbook
