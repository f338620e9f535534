#include "platform/system_colors.h"

#include <gtest/gtest.h>

namespace {

struct SystemColorCase {
  uint32_t color;
  int32_t rgb;
};

class SystemColorTest : public testing::TestWithParam<SystemColorCase> {};

TEST_P(SystemColorTest, ResolvesToClassicScheme) {
  const auto& c = GetParam();
  EXPECT_EQ(platform::SystemColorToRGB(static_cast<int32_t>(c.color)), c.rgb);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SystemColorTest,
    testing::Values(SystemColorCase{0x80000005u, 0xFFFFFF},  // window
                    SystemColorCase{0x80000008u, 0x000000},  // window text
                    SystemColorCase{0x8000000Fu, 0xC0C0C0},  // button face
                    SystemColorCase{0x80000002u, 0x800000},  // active caption: blue 128
                    SystemColorCase{0x80000018u, 0xE1FFFF},  // tooltip background
                    SystemColorCase{0x8000001Eu, 0xC0C0C0},  // last entry
                    SystemColorCase{0x8000001Fu, 0},         // beyond the table
                    SystemColorCase{0x800000FFu, 0},
                    SystemColorCase{0xFF000005u, 0xFFFFFF},  // only the low byte indexes
                    SystemColorCase{0x00123456u, 0x123456},  // plain RGB passes through
                    SystemColorCase{0x1FFFFFFFu, 0x1FFFFFFF}));

}  // namespace
