#pragma once
// Whole decimal numbers read from text: the keys of the VAT-payer lists and the values summed
// into the EC sales list's total.
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/statement/errors.h"

namespace app {

// Optional leading blanks, an optional sign and decimal digits, nothing else, within the signed
// 64-bit range; otherwise nothing.
std::optional<std::int64_t> TryStrToInt64(std::string_view text);

// As TryStrToInt64, raising EConvertError "'<text>' is not a valid integer value" on failure.
std::int64_t StrToInt64(std::string_view text);

}  // namespace app
