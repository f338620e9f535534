#include "workbook/core/class_rect.h"

#include <gtest/gtest.h>

#include <tuple>

#include <array>

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

}  // namespace
