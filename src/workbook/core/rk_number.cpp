#include "workbook/core/rk_number.h"

#include <bit>

namespace workbook {

double RKToDouble(uint32_t rk) {
  constexpr uint32_t kTimes100 = 1u << 0;
  constexpr uint32_t kInteger = 1u << 1;
  if ((rk & ~0x3u) == 0) return 0.0;
  double value;
  if (rk & kInteger) {
    value = static_cast<double>(static_cast<int32_t>(rk) >> 2);  // arithmetic: keeps the sign
  } else {
    value = std::bit_cast<double>(static_cast<uint64_t>(rk & ~0x3u) << 32);
  }
  return (rk & kTimes100) ? value / 100 : value;
}

}  // namespace workbook
