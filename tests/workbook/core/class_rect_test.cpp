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
  } cases[] = {{0, 3, 0, 10, 3},  // 3.5 -> 3
               {5, 9, 0, 10, 3},
               {0, 3, -10, 0, -7},  // -6.5 -> -7
               {0, 20, 0, 10, -5}};
  for (const auto& c : cases) {
    TClassRect r(c.left, c.left, c.right, c.right);
    r.CenterIn(TClassRect(c.outerLeft, c.outerLeft, c.outerRight, c.outerRight));
    EXPECT_EQ(r.Left, c.expectedLeft);
    EXPECT_EQ(r.Top, c.expectedLeft);
    EXPECT_EQ(r.GetWidth(), c.right - c.left);
    EXPECT_EQ(r.GetHeight(), c.right - c.left);
  }
}

TEST(ClassRect, SizesAndCopies) {
  TClassRect r(20, 20, 0, 0);
  r.SetWidth(150);
  r.SetHeight(100);
  TClassRect copy;
  copy.Assign(r);
  EXPECT_EQ((std::array{copy.Left, copy.Top, copy.Right, copy.Bottom}),
            (std::array{20, 20, 170, 120}));
  TPersistent other;
  EXPECT_THROW(other.Assign(r), EConvertError);
}

}  // namespace
