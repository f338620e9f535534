// Only the unsorted integer list has callers in the product; the sorted modes and the double list
// keep one check per behaviour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "workbook/core/double_list.h"
#include "workbook/core/integer_list.h"

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
  EXPECT_EQ(Added(TDuplicates::Ignore, TListSortType::Unsorted, {3, 1, 3}), "0 1 2 -> 3 1 3");
  EXPECT_EQ(Added(TDuplicates::Ignore, TListSortType::Ascending, {5, -2, 9, 5}),
            "0 0 2 1 -> -2 5 9");
  EXPECT_EQ(Added(TDuplicates::Accept, TListSortType::Ascending, {5, 1, 5, 5}),
            "0 0 1 1 -> 1 5 5 5");
  EXPECT_EQ(Added(TDuplicates::Ignore, TListSortType::Descending, {1, 7, 4, 7}),
            "0 0 1 0 -> 7 4 1");
}

TEST(IntegerList, DuplicateErrorsLeaveTheListUnchanged) {
  TIntegerList list(TDuplicates::Error, TListSortType::Ascending);
  list.Add(1);
  try {
    list.Add(1);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "Integer list does not allow duplicates");
  }
  EXPECT_EQ(list.Count(), 1);
  TDoubleList doubles(TDuplicates::Error, TListSortType::Descending);
  doubles.Add(2.5);
  try {
    doubles.Add(2.5);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "Double list does not allow duplicates");
  }
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
  EXPECT_EQ(seen, (std::vector<std::pair<std::int32_t, N>>{{0, N::Added},
                                                           {5, N::Added},
                                                           {5, N::Deleted},
                                                           {6, N::Added},
                                                           {6, N::Deleted},
                                                           {0, N::Deleted}}));
}

TEST(DoubleList, EqualWithinTheDefaultTolerance) {
  TDoubleList list(TDuplicates::Ignore, TListSortType::Ascending);
  list.Add(1.0);
  list.Add(0.5);
  EXPECT_EQ(list.Add(1.0 + 1e-13), 1);
  EXPECT_EQ(list.Add(1.0 + 1e-9), 2);
  EXPECT_FALSE(SameDoubleValue(0.0, 2e-12));
}

}  // namespace
