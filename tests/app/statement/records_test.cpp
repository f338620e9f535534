#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "app/statement/data.h"
#include "app/statement/sections.h"
#include "app/statement/settings_objects.h"

using namespace app;

TEST(Sections, NamesFollowSectionOrder) {
  std::string joined;
  for (TSection s : kSections) joined += std::string(SectionName(s)) + " ";
  EXPECT_EQ(joined, "A1 A2 B1 B2 B31 B32 C1 C2 D1 D2 SV1 SV2 ");
  TSection found = TSection::A1;
  EXPECT_TRUE(FindSection("B32", found));
  EXPECT_EQ(found, TSection::B32);
  EXPECT_FALSE(FindSection("SV", found));
  EXPECT_FALSE(FindSection("a1", found));
}

TEST(Sections, EachSectionOwnsItsKeysInSlotOrder) {
  int slot = 0;
  for (TSection s : kSections) {
    EXPECT_EQ(FirstSlot(s), slot) << SectionName(s);
    for (int i = 0; i < FieldCount(s); ++i) {
      const std::string prefix = std::string(SectionName(s)) + "-";
      EXPECT_EQ(kColumnKeys[slot + i].substr(0, prefix.size()), prefix);
    }
    slot += FieldCount(s);
  }
  EXPECT_EQ(slot, kColumnKeyCount);
  std::set<std::string_view> distinct(kColumnKeys.begin(), kColumnKeys.end());
  EXPECT_EQ(distinct.size(), std::size_t(kColumnKeyCount));
}

TEST(Sections, SlotNumbersOfTheKeyTable) {
  // 1-based slots as the settings file and the grid number them.
  struct Case {
    const char* key;
    int note_slot;
    int column_slot;
  } cases[] = {{"A1-Odb", 1, 1},           {"A2-MJ", 15, 15},   {"B31-Z", 33, 33},
               {"C1-FO", 43, 43},          {"C1-ONP", 52, 53},  {"C1-Kopr", 53, 52},
               {"C2-FO", 55, 55},          {"C2-ONP", 61, 62},  {"C2-Kopr", 62, 61},
               {"D1-SumaObratov", 63, 63}, {"SV1-Kod", 76, 76}, {"SV2-Kopr", 80, 80}};
  for (const auto& c : cases) {
    EXPECT_EQ(NoteSlot(c.key) + 1, c.note_slot) << c.key;
    EXPECT_EQ(ColumnSlot(c.key) + 1, c.column_slot) << c.key;
  }
  EXPECT_EQ(NoteSlot("C1-Mj"), -1);
  EXPECT_EQ(ColumnSlot("SV-Odb"), -1);
  EXPECT_THROW(tDataOrder().ColumnOf("C1-XX"), std::out_of_range);
}

TEST(SettingsObjects, SectionAccessReachesTheNamedField) {
  tDataSheets sheets;
  tDataOffsets offsets;
  for (TSection s : kSections) {
    sheets[s] = std::string(SectionName(s));
    offsets[s] = SectionIndex(s) + 1;
  }
  EXPECT_EQ(sheets.A1 + sheets.B32 + sheets.SV2, "A1B32SV2");
  EXPECT_EQ(offsets.C2, 8);
  EXPECT_EQ(offsets.SV2, 12);
}
