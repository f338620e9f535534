#pragma once
// Numbers typed as the user writes them: the system decimal separator, an optional sign and
// exponent, no grouping.
#include <string>

namespace workbook {

// value is 0 when the text is no number.
bool TryStrToFloatLocal(const std::u16string& text, double& value);

}  // namespace workbook
