#include "app/statement/period_names.h"

#include <string>
#include <vector>

#include "platform/text_codec.h"

namespace app {
namespace {

std::vector<std::string> ToCp1250(std::initializer_list<const char*> utf8Names) {
  std::vector<std::string> names;
  for (const char* name : utf8Names) names.push_back(platform::Utf8ToCp1250(name));
  return names;
}

std::optional<int> PositionOf(const std::vector<std::string>& names, std::string_view name) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<int>(i) + 1;
  return std::nullopt;
}

}  // namespace

std::optional<int> MonthOfPeriod(std::string_view obdobie) {
  static const std::vector<std::string> months =
      ToCp1250({"Január", "Február", "Marec", "Apríl", "Máj", "Jún", "Júl", "August", "September",
                "Október", "November", "December"});
  return PositionOf(months, obdobie);
}

std::optional<int> QuarterOfPeriod(std::string_view obdobie) {
  static const std::vector<std::string> quarters =
      ToCp1250({"1. štvrťrok", "2. štvrťrok", "3. štvrťrok", "4. štvrťrok"});
  return PositionOf(quarters, obdobie);
}

}  // namespace app
