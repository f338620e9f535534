// Value lists and the hashed key table. Only the unsorted integer list has callers in the product;
// the sorted modes and the double list keep one check per behaviour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/thrown.h"
#include "workbook/core/double_list.h"
#include "workbook/core/hashed_strings.h"
#include "workbook/core/integer_list.h"
#include "workbook/core/integer_object_list.h"

using namespace workbook;

namespace {

// Each Add's position, then the list's contents.
std::string Added(TDuplicates duplicates, TListSortType sort, std::vector<std::int32_t> added) {
  TIntegerList list(duplicates, sort);
  std::string result;
  for (std::int32_t v : added) result += std::to_string(list.Add(v)) + " ";
  result += "->";
  for (std::int32_t i = 0; i < list.Count(); ++i) result += " " + std::to_string(list[i]);
  return result;
}

TEST(IntegerList, AddPlacesValues) {
  // Unsorted keeps order and duplicates; sorted ignoring returns the existing place; sorted
  // accepting joins the equal ones.
  using D = TDuplicates;
  using S = TListSortType;
  EXPECT_EQ(Added(D::Ignore, S::Unsorted, {3, 1, 3}), "0 1 2 -> 3 1 3");
  EXPECT_EQ(Added(D::Ignore, S::Ascending, {5, -2, 9, 5}), "0 0 2 1 -> -2 5 9");
  EXPECT_EQ(Added(D::Accept, S::Ascending, {5, 1, 5, 5}), "0 0 1 1 -> 1 5 5 5");
  EXPECT_EQ(Added(D::Ignore, S::Descending, {1, 7, 4, 7}), "0 0 1 0 -> 7 4 1");
}

TEST(IntegerList, DuplicateErrorsLeaveTheListUnchanged) {
  TIntegerList list(TDuplicates::Error, TListSortType::Ascending);
  list.Add(1);
  EXPECT_EQ(test_support::Thrown<EListError>([&] { list.Add(1); }),
            "Integer list does not allow duplicates");
  EXPECT_EQ(list.Count(), 1);
  TDoubleList doubles(TDuplicates::Error, TListSortType::Descending);
  doubles.Add(2.5);
  EXPECT_EQ(test_support::Thrown<EListError>([&] { doubles.Add(2.5); }),
            "Double list does not allow duplicates");
}

TEST(IntegerList, ReportsEveryChangeZeroIncluded) {
  TIntegerList list;
  std::vector<std::pair<std::int32_t, TListNotification>> seen;
  list.OnChange = [&](TIntegerList&, std::int32_t v, TListNotification a) {
    seen.emplace_back(v, a);
  };
  list.Add(0);
  list.Add(5);
  list.SetItem(1, 6);
  list.Clear();
  using N = TListNotification;
  const std::vector<std::pair<std::int32_t, N>> expected = {{0, N::Added},   {5, N::Added},
                                                            {5, N::Deleted}, {6, N::Added},
                                                            {6, N::Deleted}, {0, N::Deleted}};
  EXPECT_EQ(seen, expected);
}

// Keys carry their objects through sorting; a new key has none; setting an object reports
// nothing, while adding and deleting keys does.
TEST(IntegerObjectList, KeysKeepTheirObjectsThroughSorting) {
  TObject a, b, c;
  TIntegerObjectList list;
  std::string seen;
  list.OnChange = [&](auto&, const TIntegerObjectListItem& item, TListNotification action) {
    seen += std::to_string(item.Key) + (action == TListNotification::Added ? "+ " : "- ");
  };
  for (std::int32_t key : {7, 3, 9, 3}) list.Add(key);
  EXPECT_EQ(list.GetObject(1), nullptr);
  list.SetObject(0, &a);
  list.SetObject(1, &b);
  list.SetObject(2, &c);
  list.SetSortType(TListSortType::Descending);
  EXPECT_EQ((std::vector{list.GetKey(0), list.GetKey(1), list.GetKey(2), list.GetKey(3)}),
            (std::vector{9, 7, 3, 3}));
  EXPECT_EQ((std::vector{list.GetObject(0), list.GetObject(1), list.GetObject(2)}),
            (std::vector<TObject*>{&c, &a, &b}));  // equal keys keep their order
  std::int32_t pos = -1;
  EXPECT_TRUE(list.Find(3, pos));
  EXPECT_EQ(pos, 2);
  EXPECT_FALSE(list.Find(8, pos));
  EXPECT_EQ(pos, 1);
  EXPECT_EQ(list.Remove(7), 1);
  EXPECT_EQ(list.IndexOf(7), -1);
  EXPECT_EQ(seen, "7+ 3+ 9+ 3+ 7- ");
  EXPECT_THROW(list.SetObject(4, &a), EListError);

  TIntegerObjectList ids(TDuplicates::Ignore, TListSortType::Ascending);
  EXPECT_EQ(ids.Add(4), 0);
  EXPECT_EQ(ids.Add(2), 0);
  EXPECT_EQ(ids.Add(4), 1);
  EXPECT_EQ(ids.Count(), 2);
  TIntegerObjectList strict(TDuplicates::Error, TListSortType::Ascending);
  strict.Add(1);
  EXPECT_EQ(test_support::Thrown<EListError>([&] { strict.Add(1); }),
            "Integer list does not allow duplicates");
}

TEST(DoubleList, EqualWithinTheDefaultTolerance) {
  TDoubleList list(TDuplicates::Ignore, TListSortType::Ascending);
  list.Add(1.0);
  list.Add(0.5);
  EXPECT_EQ(list.Add(1.0 + 1e-13), 1);
  EXPECT_EQ(list.Add(1.0 + 1e-9), 2);
  EXPECT_FALSE(SameDoubleValue(0.0, 2e-12));
}

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
