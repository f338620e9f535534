#include "workbook/core/class_rect.h"

#include <gtest/gtest.h>

#include <array>

using namespace workbook;

namespace {

TEST(ClassRect, CenterInKeepsTheSizeAndRoundsDown) {
  const struct {
    std::int32_t left, right;            // the rectangle's span
    std::int32_t outerLeft, outerRight;  // the span to centre in
    std::int32_t expectedLeft;
  } cases[] = {{0, 3, 0, 10, 3},    // 3.5 -> 3
               {0, 3, -10, 0, -7},  // -6.5 -> -7
               {0, 20, 0, 10, -5}};
  for (const auto& c : cases) {
    TClassRect r(c.left, c.left, c.right, c.right);
    r.CenterIn(TClassRect(c.outerLeft, c.outerLeft, c.outerRight, c.outerRight));
    EXPECT_EQ((std::array{r.Left, r.Top, r.GetWidth(), r.GetHeight()}),
              (std::array{c.expectedLeft, c.expectedLeft, c.right - c.left, c.right - c.left}));
  }
  TPersistent other;
  EXPECT_THROW(other.Assign(TClassRect()), EConvertError);
}

}  // namespace
