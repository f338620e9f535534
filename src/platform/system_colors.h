#pragma once
// The platform's system colours. A colour value with the top bit set (0x80000000 | index) names a
// system colour instead of an RGB value; here there is no desktop theme to ask, so the classic
// default scheme stands in for it.
#include <cstdint>

namespace platform {

// The RGB value (red in the low byte) of a system colour. The index is color & 0xFF; an index
// outside the table gives black, as the platform's own query does. A non-negative color is
// already RGB and comes back unchanged.
int32_t SystemColorToRGB(int32_t color);

}  // namespace platform
