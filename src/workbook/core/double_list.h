#pragma once
// A list of doubles, unsorted or sorted (value_list.h). Values within the run-time's default
// tolerance of each other count as equal.
#include "workbook/core/value_list.h"

namespace workbook {

// Equal within max(min(|a|, |b|) * 1E-12, 1E-12), as the run-time's SameValue with its default
// tolerance.
bool SameDoubleValue(double a, double b);

struct TDoubleListTraits {
  static int Compare(double a, double b) { return SameDoubleValue(a, b) ? 0 : (a < b ? -1 : 1); }
  static constexpr const char* DuplicateMessage = "Double list does not allow duplicates";
};

using TDoubleList = TValueList<double, TDoubleListTraits>;

}  // namespace workbook
