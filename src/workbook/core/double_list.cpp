#include "workbook/core/double_list.h"

#include <algorithm>
#include <cmath>

namespace workbook {

bool SameDoubleValue(double a, double b) {
  constexpr double kResolution = 1E-12;
  const double epsilon = std::max(std::min(std::fabs(a), std::fabs(b)) * kResolution, kResolution);
  return a > b ? (a - b) <= epsilon : (b - a) <= epsilon;
}

}  // namespace workbook
