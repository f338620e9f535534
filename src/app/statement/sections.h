#pragma once
// The twelve report sections, their column keys and sum keys. Every array, grid and settings key
// of the statement follows the section order given here.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace app {

enum class TSection { A1, A2, B1, B2, B31, B32, C1, C2, D1, D2, SV1, SV2 };

inline constexpr int kSectionCount = 12;
inline constexpr std::array<TSection, kSectionCount> kSections = {
    TSection::A1, TSection::A2, TSection::B1, TSection::B2, TSection::B31, TSection::B32,
    TSection::C1, TSection::C2, TSection::D1, TSection::D2, TSection::SV1, TSection::SV2};

// 0-based position in section order.
constexpr int SectionIndex(TSection section) { return static_cast<int>(section); }
// "A1" ... "SV2".
std::string_view SectionName(TSection section);
// The section named exactly so; false for any other text.
bool FindSection(std::string_view name, TSection& section);
// " v sekcií A1" ...: the ending of every row message of the section (Windows-1250).
const std::string& SectionSuffix(TSection section);

// B31, D1 and D2 take at most kLimitedSectionRows rows: the authority refuses a statement with
// more.
bool IsRowLimited(TSection section);
inline constexpr int kLimitedSectionRows = 2;

// Column keys ("A1-Odb" ... "SV2-Kopr") in the order of the settings file and the settings
// window's grid. tDataOrder::Note is indexed in this order; tDataOrder::Column in record field
// order, which differs only in C1 and C2 (see ColumnSlot).
inline constexpr int kColumnKeyCount = 80;
extern const std::array<std::string_view, kColumnKeyCount> kColumnKeys;

// 0-based slot of a key in tDataOrder::Note, -1 for an unknown key.
int NoteSlot(std::string_view key);
// 0-based slot of a key in tDataOrder::Column, -1 for an unknown key. Column slots follow the
// records' field order, so the slots of section S are FirstSlot(S) + field index.
int ColumnSlot(std::string_view key);
int FirstSlot(TSection section);
int FieldCount(TSection section);

// The keys of tDataTotals::Sum, slot i (1-based) at index i - 1; the unused slot 23 is empty.
inline constexpr int kTotalsCount = 33;
extern const std::array<std::string_view, kTotalsCount> kTotalsKeys;

}  // namespace app
