#pragma once
// What settings.ini holds once read: who files, for which period, and where in the workbook each
// section's columns are. Held in memory so the windows and reports need not read the file again.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/statement/sections.h"

namespace app {

struct tDataHeader {
  std::string Druh;             // "R", "O" or "D"
  std::string Rok;              // the year as typed
  std::string Obdobie;          // "Január" ... "December", "1. štvrťrok" ... "4. štvrťrok"
  bool PoslednyRiadok = false;  // true: the last row of every sheet is read too
};

struct tSubject {
  std::string ICDPH, NazovSubjektu, Stat, Obec, PSC, Ulica, Cislo, Telefon, Email;
};

inline constexpr std::size_t kMaxSheetNameLength = 31;

struct tDataSheets {
  std::string A1, A2, B1, B2, B31, B32, C1, C2, D1, D2, SV1, SV2;

  std::string& operator[](TSection section);
  const std::string& operator[](TSection section) const;
  // Stores a name cut to its first 31 characters, as a worksheet name cannot be longer.
  void Store(TSection section, std::string_view name);
};

// Leading worksheet rows to skip per section (1 skips one heading row).
struct tDataOffsets {
  std::int32_t A1 = 0, A2 = 0, B1 = 0, B2 = 0, B31 = 0, B32 = 0, C1 = 0, C2 = 0, D1 = 0, D2 = 0,
               SV1 = 0, SV2 = 0;

  std::int32_t& operator[](TSection section);
  std::int32_t operator[](TSection section) const;
};

// The worksheet column (1 = column A) and a free note of every column key. Note[i] belongs to
// kColumnKeys[i]; Column follows the records' field order (ColumnSlot), which swaps the ONP and
// Kopr slots of C1 and C2. Address both through the key to keep a key's number and note together.
struct tDataOrder {
  std::array<std::int32_t, kColumnKeyCount> Column{};
  std::array<std::string, kColumnKeyCount> Note;

  // Both throw std::out_of_range for a text that is no column key.
  std::int32_t& ColumnOf(std::string_view key);
  std::string& NoteOf(std::string_view key);
  std::int32_t ColumnOf(std::string_view key) const;
  const std::string& NoteOf(std::string_view key) const;
};

// Column sums of the last import: slot i (1-based, keys in kTotalsKeys) at Sum[i - 1].
struct tDataTotals {
  std::array<double, kTotalsCount> Sum{};
};

// One entry of a loaded VAT-payer list.
struct tVATSubject {
  std::int64_t Number = 0;  // the 10 digits after the country prefix
  std::string Text;         // the rest of the list line
};

}  // namespace app
