#include "workbook/core/string_table.h"

#include <gtest/gtest.h>

#include <string>

using namespace workbook;

// Texts that share their characters' start, the empty text and equal texts: each distinct text
// keeps its first position.
TEST(StringTable, DistinctTextsKeepTheirFirstPositions) {
  const struct {
    std::u16string text;
    std::int32_t position;
    bool isNew;
  } kAdds[] = {{u"ab", 0, true},  {u"a", 1, true}, {u"", 2, true},   {u"ab", 0, false},
               {u"abc", 3, true}, {u"", 2, false}, {u"a", 1, false}, {u"b", 4, true}};
  TStringTable table;
  for (const auto& add : kAdds) {
    bool isNew = !add.isNew;
    EXPECT_EQ(table.Add(add.text, isNew), add.position)
        << std::string(add.text.begin(), add.text.end());
    EXPECT_EQ(isNew, add.isNew);
  }
  EXPECT_EQ(table.Count(), 5);
  EXPECT_EQ(table.Get(0), u"ab");
  EXPECT_EQ(table.Get(2), u"");
  EXPECT_EQ(table.Get(4), u"b");
}

// Growing past many rehashes finds every text again and reads each back whole.
TEST(StringTable, TextsStayFoundAsTheTableGrows) {
  TStringTable table;
  bool isNew = false;
  for (int i = 0; i < 5000; ++i) {
    const std::string text = "Partner " + std::to_string(i);
    ASSERT_EQ(table.Add(std::u16string(text.begin(), text.end()), isNew), i);
  }
  for (int i = 4999; i >= 0; --i) {
    const std::string text = "Partner " + std::to_string(i);
    const std::u16string wide(text.begin(), text.end());
    EXPECT_EQ(table.Add(wide, isNew), i);
    EXPECT_FALSE(isNew);
    EXPECT_EQ(table.Get(i), wide);
  }
  EXPECT_EQ(table.Count(), 5000);
}
