#pragma once
// The value of a t="d" cell: an ISO 8601 date, date and time, time of day, or duration.
#include <string_view>

#include "workbook/core/invariant_texts.h"

namespace workbook {

// False when text is none of those. Fractional seconds round to the nearest second. A duration
// ("PT36H", "P1DT2H30M", "-PT15M") gives its length in days and sets isDuration; years and months,
// which have no fixed length, make it no duration.
bool ReadXLSXDateValue(std::string_view text, TDateTime& value, bool& isDuration);

}  // namespace workbook
