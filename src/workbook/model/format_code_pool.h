#pragma once
// Number-format codes are few and shared by many cells (every date cell of a sheet carries the
// same code), so cells point at one interned copy instead of holding their own.
#include <string>

namespace workbook {

// The interned copy of code; the empty code is null.
const std::u16string* InternFormatCode(const std::u16string& code);

}  // namespace workbook
