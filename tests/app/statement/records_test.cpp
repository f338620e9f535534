#include <gtest/gtest.h>

#include <set>
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

TEST(Sections, SuffixIsWindows1250) {
  EXPECT_EQ(SectionSuffix(TSection::A1), " v sekci\xED A1");
  EXPECT_EQ(SectionSuffix(TSection::SV2), " v sekci\xED SV2");
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
}

TEST(Sections, TotalsKeys) {
  EXPECT_EQ(kTotalsKeys[0], "A1-Z");
  EXPECT_EQ(kTotalsKeys[3], "A2-Mn");
  EXPECT_EQ(kTotalsKeys[21], "C2-OR");
  EXPECT_EQ(kTotalsKeys[22], "");
  EXPECT_EQ(kTotalsKeys[23], "D1-SumaObratov");
  EXPECT_EQ(kTotalsKeys[32], "SV1-Z");
}

TEST(SettingsObjects, NewObjectsAreEmpty) {
  tDataHeader header;
  EXPECT_EQ(header.Druh, "");
  EXPECT_FALSE(header.PoslednyRiadok);
  tDataOffsets offsets;
  for (TSection s : kSections) EXPECT_EQ(offsets[s], 0);
  tDataTotals totals;
  for (double sum : totals.Sum) EXPECT_EQ(sum, 0.0);
  tVATSubject subject;
  EXPECT_EQ(subject.Number, 0);
}

TEST(SettingsObjects, SheetNameIsCutTo31Characters) {
  tDataSheets sheets;
  sheets.Store(TSection::B31, std::string(40, 'x'));
  EXPECT_EQ(sheets.B31, std::string(31, 'x'));
  sheets.Store(TSection::SV2, "SV_2");
  EXPECT_EQ(sheets[TSection::SV2], "SV_2");
}

TEST(SettingsObjects, SectionAccessReachesTheNamedField) {
  tDataSheets sheets;
  tDataOffsets offsets;
  for (TSection s : kSections) {
    sheets[s] = std::string(SectionName(s));
    offsets[s] = SectionIndex(s) + 1;
  }
  EXPECT_EQ(sheets.A1, "A1");
  EXPECT_EQ(sheets.B32, "B32");
  EXPECT_EQ(sheets.SV2, "SV2");
  EXPECT_EQ(offsets.C2, 8);
  EXPECT_EQ(offsets.SV2, 12);
}

TEST(SettingsObjects, OrderKeepsNumberAndNoteOfAKeyTogether) {
  tDataOrder order;
  order.ColumnOf("C1-ONP") = 12;
  order.NoteOf("C1-ONP") = "onp";
  order.ColumnOf("C1-Kopr") = 11;
  EXPECT_EQ(order.Column[52], 12);   // slot 53
  EXPECT_EQ(order.Column[51], 11);   // slot 52
  EXPECT_EQ(order.Note[51], "onp");  // slot 52
  EXPECT_THROW(order.ColumnOf("C1-XX"), std::out_of_range);
}

TEST(Data, ClearRowsEmptiesEveryArray) {
  TData data;
  data.RowsA1.push_back(std::make_unique<tDataA1>());
  data.RowsSV2.push_back(std::make_unique<tDataSV2>());
  data.ClearRows();
  EXPECT_TRUE(data.RowsA1.empty());
  EXPECT_TRUE(data.RowsSV2.empty());
}
