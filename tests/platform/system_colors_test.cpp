#include "platform/system_colors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

namespace {

TEST(SystemColors, ResolveToTheClassicScheme) {
  const std::pair<std::uint32_t, std::int32_t> cases[] = {
      {0x80000005u, 0xFFFFFF},                            // window
      {0x80000002u, 0x800000},                            // active caption: blue 128
      {0x8000001Eu, 0xC0C0C0},                            // last entry
      {0x8000001Fu, 0},                                   // beyond the table
      {0x800000FFu, 0},         {0xFF000005u, 0xFFFFFF},  // only the low byte indexes
      {0x00123456u, 0x123456},                            // plain RGB passes through
      {0x1FFFFFFFu, 0x1FFFFFFF}};
  for (const auto& [color, rgb] : cases)
    EXPECT_EQ(platform::SystemColorToRGB(static_cast<std::int32_t>(color)), rgb)
        << std::hex << color;
}

}  // namespace
