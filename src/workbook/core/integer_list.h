#pragma once
// A list of 32-bit integers, unsorted or sorted (value_list.h).
#include <cstdint>

#include "workbook/core/value_list.h"

namespace workbook {

struct TIntegerListTraits {
  static int Compare(std::int32_t a, std::int32_t b) { return a < b ? -1 : (a > b ? 1 : 0); }
  static constexpr const char* DuplicateMessage = "Integer list does not allow duplicates";
};

using TIntegerList = TValueList<std::int32_t, TIntegerListTraits>;

}  // namespace workbook
