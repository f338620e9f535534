#include "app/statement/statement_fixture.h"
#include "app_fixture.h"

namespace app::test {

std::vector<TFakeSheet> GoldenWorkbook() {
  std::vector<TFakeSheet> sheets;
  for (TSection section : kSections) sheets.push_back({std::string(SectionName(section)), {{"h"}}});
  for (auto [section, texts] : FullStatementRows()) {
    // The sheet holds the SV2 flags as a user types them.
    if (section == TSection::SV2)
      for (int flag : {2, 3}) texts[flag] = texts[flag] == "1" ? "x" : "";
    sheets[SectionIndex(section)].Rows.push_back(texts);
  }
  return sheets;
}

TSettingsValues GoldenSettings() {
  TSettingsValues values = PlainSettings();
  values.Subject = SettingsValuesFromData(*FullStatement()).Subject;
  return values;
}

}  // namespace app::test
