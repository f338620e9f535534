#include "app/statement/settings_validation.h"

#include <set>
#include <vector>

#include "app/statement/number_text.h"
#include "platform/text_codec.h"

namespace app {
namespace {

std::string Text(const char* utf8) { return platform::Utf8ToCp1250(utf8); }

void CheckOffset(const std::string& value, std::string_view key, std::vector<std::string>& lines) {
  std::int32_t number = 0;
  const std::string row = std::string(key) + ".";
  if (!TryStrToInt(value, number))
    lines.push_back(Text("Neplatný údaj v časti Odsadenie v riadku ") + row);
  else if (number < 0)
    lines.push_back(Text("Neplatný údaj (záporná hodnota) v časti Odsadenie v riadku ") + row);
  else if (number > 65535)
    lines.push_back(Text("Neplatný údaj (príliš vysoká hodnota) v časti Odsadenie v riadku ") +
                    row);
}

void CheckColumn(const std::string& value, std::string_view label,
                 std::vector<std::string>& lines) {
  std::int32_t number = 0;
  const std::string row = std::string(label) + ".";
  if (!TryStrToInt(value, number))
    lines.push_back(Text("Neplatný údaj v časti Poradia stĺpcov v riadku ") + row);
  else if (number < 1)
    lines.push_back(
        Text("Neplatný údaj (nulová alebo záporná hodnota) v časti Poradia stĺpcov v riadku ") +
        row);
  else if (number > 200)
    lines.push_back(
        Text("Neplatný údaj (príliš vysoká hodnota) v časti Poradia stĺpcov v riadku ") + row);
}

// Repeated column numbers within a section, compared as typed ("01" and "1" differ).
void CheckDuplicates(const TSettingsValues& values, std::vector<std::string>& lines) {
  int first = 0;
  for (TSection section : kSections) {
    const int count = FieldCount(section);
    std::set<std::string> seen(values.Columns.begin() + first,
                               values.Columns.begin() + first + count);
    if (static_cast<int>(seen.size()) < count)
      lines.push_back(Text("Duplicitné čísla v časti Poradia stĺpcov v sekcií ") +
                      std::string(SectionName(section)));
    first += count;
  }
}

}  // namespace

std::string ValidateSettingsValues(const TSettingsValues& values) {
  std::vector<std::string> lines;
  for (const std::string& name : values.Sheets)
    if (name.size() > kMaxSheetNameLength)
      lines.push_back(Text("Príliš dlhý názov stĺpca v časti Názvy hárkov."));
  for (TSection section : kSections)
    CheckOffset(values.Offsets[SectionIndex(section)], SectionName(section), lines);
  for (int row = 0; row < kColumnKeyCount; ++row)
    CheckColumn(values.Columns[row], kColumnKeys[row], lines);
  if (lines.empty()) CheckDuplicates(values, lines);

  std::string message;
  for (const std::string& line : lines) {
    if (!message.empty()) message += "\r\n";
    message += line;
  }
  return message;
}

}  // namespace app
