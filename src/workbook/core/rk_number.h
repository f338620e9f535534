#pragma once
// BIFF8 RK numbers (the RK and MULRK records): a 30-bit integer or the upper 30 bits of an IEEE
// double, optionally to be divided by 100.
#include <cstdint>

namespace workbook {

double RKToDouble(uint32_t rk);

}  // namespace workbook
