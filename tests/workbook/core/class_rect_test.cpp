#include "workbook/core/class_rect.h"

#include <gtest/gtest.h>

using namespace workbook;

namespace {

struct TCenterCase {
  std::int32_t left, right;            // the rectangle's span
  std::int32_t outerLeft, outerRight;  // the span to centre in
  std::int32_t expectedLeft;
};

class ClassRectCenter : public ::testing::TestWithParam<TCenterCase> {};

TEST_P(ClassRectCenter, KeepsTheSizeAndRoundsDown) {
  const TCenterCase& c = GetParam();
  TClassRect r(c.left, c.left, c.right, c.right);
  r.CenterIn(TClassRect(c.outerLeft, c.outerLeft, c.outerRight, c.outerRight));
  EXPECT_EQ(r.Left, c.expectedLeft);
  EXPECT_EQ(r.GetWidth(), c.right - c.left);
  EXPECT_EQ(r.Top, c.expectedLeft);
  EXPECT_EQ(r.GetHeight(), c.right - c.left);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClassRectCenter,
                         ::testing::Values(TCenterCase{0, 3, 0, 10, 3},      // 3.5 -> 3
                                           TCenterCase{5, 9, 0, 10, 3},      // exact
                                           TCenterCase{0, 3, -10, 0, -7},    // -6.5 -> -7
                                           TCenterCase{0, 20, 0, 10, -5}));  // larger than R

TEST(ClassRect, SizesAndCopies) {
  TClassRect r(20, 20, 0, 0);
  r.SetWidth(150);
  r.SetHeight(100);
  EXPECT_EQ(r.Right, 170);
  EXPECT_EQ(r.Bottom, 120);
  TClassRect copy;
  copy.Assign(r);
  EXPECT_EQ(copy.Right, 170);
  EXPECT_EQ(copy.Top, 20);
  TPersistent other;
  EXPECT_THROW(other.Assign(r), EConvertError);
}

}  // namespace
