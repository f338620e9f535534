#include "app/statement/list_files.h"

#include "app/statement/amount_text.h"
#include "app/statement/number_text.h"
#include "app/statement/sections.h"

namespace app {
namespace {

constexpr std::size_t kUnusedSlot = 22;  // slot 23, 0-based
constexpr std::size_t kSalesListSlot = kTotalsCount - 1;

}  // namespace

std::string SaveMessageList(const TTextLines& messages, const std::string& chosenName) {
  return SaveTextLines(messages, chosenName, ".txt");
}

TTextLines SumsFileLines(const tDataTotals& totals) {
  TTextLines lines = {"Sekcia - udaj;Sucet"};
  for (std::size_t slot = 0; slot < totals.Sum.size(); ++slot) {
    if (slot == kUnusedSlot) continue;
    const std::string key = slot == kSalesListSlot ? "SV-Z" : std::string(kTotalsKeys[slot]);
    lines.push_back(key + ";" + AmountText(totals.Sum[slot], DecimalSeparator()));
  }
  return lines;
}

std::string SaveSumsFile(const tDataTotals& totals, const std::string& chosenName) {
  return SaveTextLines(SumsFileLines(totals), chosenName, ".csv");
}

}  // namespace app
