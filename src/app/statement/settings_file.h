#pragma once
// settings.ini, the one file the program keeps between runs (Windows-1250, in the start-up
// folder). Its keys repeat under different headings, so the reader tracks two headings to know
// whether a section key names a sheet or an offset, and a column key a number or a note.
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

// settings.ini of the start-up folder (KVDPH.StartupDir; the current directory until that is
// known): a file dialog that changes the current directory must not move the settings.
std::string SettingsFilePath();

// Reads settings.ini of the start-up folder into data's Header, Subject, Sheets, Offsets and
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

// Writes settings.ini anew in the start-up folder, CR LF after every line. The period and the
// year are written as they stand, every other value trimmed. The text goes to a new file beside
// the old one, which replaces it only once it is complete: a write that fails (disk full, no
// permission) raises EInOutError and leaves the old file as it was.
void SaveSettings(const TSettingsValues& values);
void SaveSettingsFile(const std::string& path, const TSettingsValues& values);

}  // namespace app
