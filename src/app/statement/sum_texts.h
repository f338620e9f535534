#pragma once
// The sums list's texts, in the process-wide formats: amounts as currency ("1 234,56 €",
// "-1 234,56 €"), quantities as plain numbers with two decimals ("1234,50"). A sum of more than
// 15 digits before the point shows kSumOutOfRange (the sums file has it in full).
#include <string>
#include <string_view>

namespace app {

inline constexpr std::u16string_view kSumOutOfRange = u"mimo rozsahu";

std::u16string CurrencyText(long double value);
std::u16string QuantityText(long double value);
// The text of the sums list row of the key: quantities for "A2-Mn" and "C1-Mn", else currency.
std::u16string SumText(std::string_view key, long double value);

}  // namespace app
