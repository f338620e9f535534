#pragma once
// The text of an amount (or a quantity, also kept to hundredths) as the reports and the sums file
// carry it: a plain decimal number, which the authority's schemas read as xs:decimal.
#include <string>

namespace app {

// The value's decimal digits (the shortest that read back as the value) rounded to hundredths,
// halves away from zero: never an exponent, never fewer digits than the value has ("1E15" is
// 1000000000000000, 12345678901234.56 keeps its cents), no trailing zeros ("165357.3") and no
// grouping; zero has no sign. The value must be finite.
std::string AmountText(double value, char decimalSeparator);

}  // namespace app
