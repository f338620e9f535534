#include <gtest/gtest.h>

#include <stdexcept>

#include "app/statement/data.h"
#include "app/statement/sections.h"

using namespace app;

// 1-based slots as the settings file and the grid number them; C1 and C2 keep their notes and
// their column numbers of ONP and Kopr in opposite orders.
TEST(Sections, SlotNumbersOfTheKeyTable) {
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
