#pragma once
// The statement period as the settings hold it: a month name or a quarter name, compared exactly.
#include <optional>
#include <string_view>

namespace app {

// 1 for "Január" ... 12 for "December" (Windows-1250 text); nothing for any other text.
std::optional<int> MonthOfPeriod(std::string_view obdobie);

// 1 for "1. štvrťrok" ... 4 for "4. štvrťrok"; nothing for any other text.
std::optional<int> QuarterOfPeriod(std::string_view obdobie);

}  // namespace app
