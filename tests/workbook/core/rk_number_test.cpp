#include "workbook/core/rk_number.h"

#include <gtest/gtest.h>

namespace workbook {
namespace {

// Zero in every form, then values built with Python's struct, independently of this code:
//   integer form:  ((n << 2) & 0xFFFFFFFF) | 2 | times100
//   IEEE form:     struct.unpack('<II', struct.pack('<d', v))[1] | times100
TEST(RKNumberTest, Decodes) {
  const std::pair<uint32_t, double> cases[] = {
      {0x00000000, 0.0},          {0x00000001, 0.0},           {0x00000002, 0.0},
      {0x00000003, 0.0},          {0x00000006, 1.0},           {0xFFFFFFFE, -1.0},
      {0x00078902, 123456.0},     {0x0002BF22, 45000.0},       {0x7FFFFFFE, 536870911.0},
      {0x80000002, -536870912.0}, {0x0000134B, 12.34},         {0xFFFFFFEF, -0.05},
      {0x00000007, 0.01},         {0x3FF00000, 1.0},           {0x3FE00000, 0.5},
      {0xC0060000, -2.75},        {0x420312D0, 10240000000.0}, {0x3F000000, 3.0517578125e-05},
      {0x41F00000, 4294967296.0}, {0x40E5F910, 45000.5},       {0x3FF00001, 0.01},
      {0x40590001, 1.0}};
  for (auto [rk, value] : cases) EXPECT_EQ(RKToDouble(rk), value) << std::hex << rk;
}

}  // namespace
}  // namespace workbook
