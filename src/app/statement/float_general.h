#pragma once
// The run-time's "general" number text: the shortest text of at most 15 significant digits, the
// given decimal separator, no thousands separator; the exponent form ("1E20", "1,5E-5") when the
// value needs more than 15 integer digits or is below 0.0001 in magnitude.
#include <string>

namespace app {

std::string FloatToStrGeneral(double value, char decimal_separator);

}  // namespace app
