#include "workbook/core/rk_number.h"

#include <gtest/gtest.h>

namespace workbook {
namespace {

struct RKCase {
  uint32_t rk;
  double value;
};

class RKToDoubleTest : public testing::TestWithParam<RKCase> {};

TEST_P(RKToDoubleTest, Decodes) { EXPECT_EQ(RKToDouble(GetParam().rk), GetParam().value); }

// Zero in every form.
INSTANTIATE_TEST_SUITE_P(Zero, RKToDoubleTest,
                         testing::Values(RKCase{0x00000000, 0.0}, RKCase{0x00000001, 0.0},
                                         RKCase{0x00000002, 0.0}, RKCase{0x00000003, 0.0}));

// The RK values below were built with Python's struct, independently of this code:
//   integer form:  ((n << 2) & 0xFFFFFFFF) | 2 | times100
//   IEEE form:     struct.unpack('<II', struct.pack('<d', v))[1] | times100
INSTANTIATE_TEST_SUITE_P(Integer, RKToDoubleTest,
                         testing::Values(RKCase{0x00000006, 1.0}, RKCase{0xFFFFFFFE, -1.0},
                                         RKCase{0x00078902, 123456.0}, RKCase{0x0002BF22, 45000.0},
                                         RKCase{0x7FFFFFFE, 536870911.0},
                                         RKCase{0x80000002, -536870912.0}));

INSTANTIATE_TEST_SUITE_P(IntegerTimes100, RKToDoubleTest,
                         testing::Values(RKCase{0x0000134B, 12.34}, RKCase{0xFFFFFFEF, -0.05},
                                         RKCase{0x00000007, 0.01}));

INSTANTIATE_TEST_SUITE_P(
    Ieee, RKToDoubleTest,
    testing::Values(RKCase{0x3FF00000, 1.0}, RKCase{0x3FE00000, 0.5}, RKCase{0xC0060000, -2.75},
                    RKCase{0x420312D0, 10240000000.0}, RKCase{0x3F000000, 3.0517578125e-05},
                    RKCase{0x41F00000, 4294967296.0}, RKCase{0x40E5F910, 45000.5}));

INSTANTIATE_TEST_SUITE_P(IeeeTimes100, RKToDoubleTest,
                         testing::Values(RKCase{0x3FF00001, 0.01}, RKCase{0x40590001, 1.0}));

}  // namespace
}  // namespace workbook
