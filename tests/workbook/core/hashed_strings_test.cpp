#include "workbook/core/hashed_strings.h"

#include <gtest/gtest.h>

#include <string>

#include "workbook/core/list_error.h"

using namespace workbook;

namespace {

TEST(HashedStrings, AddFindsKeysByCaseAndAppendKeepsDuplicates) {
  THashedStrings table;
  bool isNew = false;
  EXPECT_EQ(table.Add(u"10;0;Arial", isNew), 0);
  EXPECT_TRUE(isNew);
  EXPECT_EQ(table.Add(u"", isNew), 1);
  EXPECT_EQ(table.Add(u"10;0;Arial", isNew), 0);
  EXPECT_FALSE(isNew);
  EXPECT_EQ(table.Add(u"10;0;arial", isNew), 2);  // case matters
  EXPECT_EQ(table.Append(u"10;0;Arial"), 3);
  EXPECT_EQ(table.IndexOf(u"10;0;Arial"), 0);  // the first of equal keys
  EXPECT_EQ(table.IndexOf(u"x"), -1);
  EXPECT_THROW(table.Get(4), EListError);
}

TEST(HashedStrings, ManyKeysStayFindableAfterGrowthMoveAndClear) {
  THashedStrings table;
  // Long enough keys to live outside the string objects, short ones inside.
  auto key = [](int i) {
    std::string s = "key " + std::to_string(i) + std::string(i % 40, 'x');
    return std::u16string(s.begin(), s.end());
  };
  for (int i = 0; i < 20000; ++i) table.Add(key(i));
  THashedStrings moved = std::move(table);
  for (int i : {0, 7, 12345, 19999}) EXPECT_EQ(moved.IndexOf(key(i)), i);
  moved.Clear();
  EXPECT_EQ(moved.IndexOf(u"key 0"), -1);
  EXPECT_EQ(moved.Add(u"key 0"), 0);
}

}  // namespace
