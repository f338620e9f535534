#include "workbook/core/class_rect.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "support/thrown.h"
#include "workbook/core/list_error.h"

using namespace workbook;

namespace {

TEST(ClassRect, CenterInKeepsTheSizeAndRoundsDown) {
  // The rectangle's span, the span to centre it in, the left edge expected.
  const std::tuple<std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t> cases[] = {
      {0, 3, 0, 10, 3},    // 3.5 -> 3
      {0, 3, -10, 0, -7},  // -6.5 -> -7
      {0, 20, 0, 10, -5}};
  for (const auto& [left, right, outerLeft, outerRight, expectedLeft] : cases) {
    TClassRect r(left, left, right, right);
    r.CenterIn(TClassRect(outerLeft, outerLeft, outerRight, outerRight));
    EXPECT_EQ((std::array{r.Left, r.Top, r.GetWidth(), r.GetHeight()}),
              (std::array{expectedLeft, expectedLeft, right - left, right - left}));
  }
  TPersistent other;
  EXPECT_THROW(other.Assign(TClassRect()), EConvertError);
}

TEST(ClassRect, ValuesByIndexAreLeftTopRightBottom) {
  TClassRect r(1, 2, 3, 4);
  for (int index = 0; index < 4; ++index) {
    EXPECT_EQ(r.GetValue(index), index + 1);
    EXPECT_EQ(r.GetDefaultValue(index), 0);
    r.SetValue(index, 10 * (index + 1));
  }
  EXPECT_EQ((std::array{r.Left, r.Top, r.Right, r.Bottom}), (std::array{10, 20, 30, 40}));
  TClassRect copy;
  copy.Assign(r);
  EXPECT_EQ((std::array{copy.Left, copy.Top, copy.Right, copy.Bottom}),
            (std::array{10, 20, 30, 40}));
  for (int index : {-1, 4}) {
    EXPECT_EQ(test_support::Thrown<EListError>([&] { r.SetValue(index, 0); }),
              "List index out of bounds (" + std::to_string(index) + ")");
    EXPECT_THROW(r.GetValue(index), EListError);
    EXPECT_THROW(r.GetDefaultValue(index), EListError);
  }
}

}  // namespace
