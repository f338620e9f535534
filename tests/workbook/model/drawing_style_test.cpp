#include <gtest/gtest.h>

#include "workbook/model/drawing_style.h"

namespace workbook {
namespace {

TEST(DrawingStyle, DefaultsAndKeys) {
  const TExportDrawingStyle style;
  EXPECT_EQ(style.Fill.GetKeyString(), u"1;16777215;0");
  EXPECT_EQ(style.Border.GetKeyString(), u"0;0;0;-1;0");
  EXPECT_EQ(style.Shadow.GetKeyString(), u"1;0;50;3;4");
  EXPECT_EQ(style.GetKeyString(), u"1;16777215;0;0;0;0;-1;0;1;0;50;3;4");
}

}  // namespace
}  // namespace workbook
