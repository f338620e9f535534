#include "app/statement/sections.h"

#include "platform/text_codec.h"

namespace app {

namespace {

constexpr std::array<std::string_view, kSectionCount> kNames = {
    "A1", "A2", "B1", "B2", "B31", "B32", "C1", "C2", "D1", "D2", "SV1", "SV2"};

constexpr std::array<int, kSectionCount> kFieldCounts = {7, 9, 8, 8, 4, 5, 12, 9, 6, 5, 3, 4};

// Note slots whose column number sits in the other slot: the keys put ONP before Kopr, the
// C1 and C2 records put Kopr before ONP.
constexpr int kC1Onp = 51, kC1Kopr = 52, kC2Onp = 60, kC2Kopr = 61;

}  // namespace

const std::array<std::string_view, kColumnKeyCount> kColumnKeys = {
    "A1-Odb",   "A1-F",    "A1-Den",  "A1-Z",    "A1-D",    "A1-S",     "A1-Kopr",
    "A2-Odb",   "A2-F",    "A2-Den",  "A2-Z",    "A2-TK",   "A2-TD",    "A2-Mn",
    "A2-MJ",    "A2-Kopr", "B1-Dod",  "B1-F",    "B1-Den",  "B1-Z",     "B1-D",
    "B1-S",     "B1-O",    "B1-Kopr", "B2-Dod",  "B2-F",    "B2-Den",   "B2-Z",
    "B2-D",     "B2-S",    "B2-O",    "B2-Kopr", "B31-Z",   "B31-D",    "B31-O",
    "B31-Kopr", "B32-Dod", "B32-Z",   "B32-D",   "B32-O",   "B32-Kopr", "C1-Odb",
    "C1-FO",    "C1-FP",   "C1-ZR",   "C1-DR",   "C1-S",    "C1-TK",    "C1-TD",
    "C1-Mn",    "C1-MJ",   "C1-ONP",  "C1-Kopr", "C2-Dod",  "C2-FO",    "C2-FP",
    "C2-ZR",    "C2-DR",   "C2-S",    "C2-OR",   "C2-ONP",  "C2-Kopr",  "D1-SumaObratov",
    "D1-Z",     "D1-D",    "D1-ZZn",  "D1-DZn",  "D1-Kopr", "D2-Z",     "D2-D",
    "D2-ZZn",   "D2-DZn",  "D2-Kopr", "SV1-Odb", "SV1-Z",   "SV1-Kod",  "SV2-Odb",
    "SV2-OdbP", "SV2-Vr",  "SV2-Kopr"};

const std::array<std::string_view, kTotalsCount> kTotalsKeys = {
    "A1-Z",   "A1-D",  "A2-Z",  "A2-Mn",  "B1-Z",   "B1-D",           "B1-O",  "B2-Z",  "B2-D",
    "B2-O",   "B31-Z", "B31-D", "B31-O",  "B32-Z",  "B32-D",          "B32-O", "C1-ZR", "C1-DR",
    "C1-Mn",  "C2-ZR", "C2-DR", "C2-OR",  "",       "D1-SumaObratov", "D1-Z",  "D1-D",  "D1-ZZn",
    "D1-DZn", "D2-Z",  "D2-D",  "D2-ZZn", "D2-DZn", "SV1-Z"};

std::string_view SectionName(TSection section) { return kNames[SectionIndex(section)]; }

bool IsRowLimited(TSection section) {
  return section == TSection::B31 || section == TSection::D1 || section == TSection::D2;
}

bool FindSection(std::string_view name, TSection& section) {
  for (TSection s : kSections) {
    if (kNames[SectionIndex(s)] == name) {
      section = s;
      return true;
    }
  }
  return false;
}

const std::string& SectionSuffix(TSection section) {
  static const std::array<std::string, kSectionCount> suffixes = [] {
    std::array<std::string, kSectionCount> all;
    for (TSection s : kSections)
      all[SectionIndex(s)] = platform::Utf8ToCp1250(" v sekcií " + std::string(SectionName(s)));
    return all;
  }();
  return suffixes[SectionIndex(section)];
}

int NoteSlot(std::string_view key) {
  for (int slot = 0; slot < kColumnKeyCount; ++slot)
    if (kColumnKeys[slot] == key) return slot;
  return -1;
}

int ColumnSlot(std::string_view key) {
  const int slot = NoteSlot(key);
  switch (slot) {
    case kC1Onp:
      return kC1Kopr;
    case kC1Kopr:
      return kC1Onp;
    case kC2Onp:
      return kC2Kopr;
    case kC2Kopr:
      return kC2Onp;
    default:
      return slot;
  }
}

int FirstSlot(TSection section) {
  int slot = 0;
  for (int i = 0; i < SectionIndex(section); ++i) slot += kFieldCounts[i];
  return slot;
}

int FieldCount(TSection section) { return kFieldCounts[SectionIndex(section)]; }

}  // namespace app
