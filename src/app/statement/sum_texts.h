#pragma once
// The sums list's texts, in the process-wide formats: amounts as currency ("1 234,56 €",
// "-1 234,56 €"), quantities as plain numbers with two decimals ("1234,50"). A sum of 15 digits
// or more before the point (beyond the 15 significant digits the sums file keeps too) shows
// kSumOutOfRange.
#include <string>
#include <string_view>

namespace app {

inline constexpr std::u16string_view kSumOutOfRange = u"mimo rozsahu";

std::u16string CurrencyText(long double value);
std::u16string QuantityText(long double value);
// The text of the sums list row of the key: quantities for "A2-Mn" and "C1-Mn", else currency.
std::u16string SumText(std::string_view key, long double value);

}  // namespace app
