#include "workbook/core/float_routines.h"

#include <algorithm>
#include <cmath>

namespace workbook {

bool SameFloat(double a, double b) {
  const double tolerance = std::max(std::min(std::fabs(a), std::fabs(b)) * 1e-12, 1e-12);
  return std::fabs(a - b) <= tolerance;
}

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace workbook
