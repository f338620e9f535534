#pragma once
// settings.ini: the program's only persistent state, Windows-1250 text in the current directory.
// The settings window writes it whole; the main window reads it at start-up and after every
// close of the settings window. Lines are "key:value" under "[section]" lines; of the section
// lines only "[Odsadenie]" (section keys become row offsets instead of sheet names) and
// "[Poznamky]" (column keys become notes instead of column numbers) change how later lines read.
#include <array>
#include <string>
#include <string_view>

#include "app/statement/data.h"
#include "app/statement/sections.h"

namespace app {

inline constexpr std::string_view kSettingsFileName = "settings.ini";

// The taxpayer keys of the file, in tSubject's field order.
inline constexpr std::array<std::string_view, 9> kSubjectKeys = {
    "ICDPH", "NazovSubjektu", "Stat", "Obec", "PSC", "Ulica", "Cislo", "Telefon", "Email"};
std::string& SubjectField(tSubject& subject, int index);
const std::string& SubjectField(const tSubject& subject, int index);

// Reads settings.ini of the current directory into data's Header, Subject, Sheets, Offsets and
// Order. Raises EInOutError ("File not found" when it is missing; nothing changes then) and
// EConvertError "'%s' is not a valid integer value" for a bad offset or column number (the lines
// before it keep their effect, the rest is not read).
void LoadSettings(TData& data);
void LoadSettingsFile(const std::string& path, TData& data);

// What the settings window's OK writes: the controls' texts as typed.
struct TSettingsValues {
  std::string Druh;  // "R", "D" or "O"; anything else writes no filing-kind line
  std::string Obdobie;
  std::string Rok;
  bool PoslednyRiadok = true;                            // false writes "PoslednyRiadok:N"
  std::array<std::string, kSubjectKeys.size()> Subject;  // kSubjectKeys order
  std::array<std::string, kSectionCount> Sheets;         // section order
  std::array<std::string, kSectionCount> Offsets;        // section order
  std::array<std::string, kColumnKeyCount> Columns;      // kColumnKeys order
  std::array<std::string, kColumnKeyCount> Notes;        // kColumnKeys order
};

// The values as the in-memory settings show them.
TSettingsValues SettingsValuesFromData(const TData& data);

// Writes settings.ini anew in the current directory, CR LF after every line. The period and the
// year are written as they stand, every other value trimmed. Raises EInOutError when the file
// cannot be created or written.
void SaveSettings(const TSettingsValues& values);
void SaveSettingsFile(const std::string& path, const TSettingsValues& values);

}  // namespace app
