#include "workbook/model/cell_style.h"

#include <gtest/gtest.h>

#include "workbook/core/exceptions.h"
#include "workbook/model/style_test_support.h"

namespace workbook {
namespace {

using test::Narrow;
using test::TestWorkbook;

TEST(CellStyle, KeyAppendsFormatCodeAndConditionalKeyWithoutSeparator) {
  TestWorkbook book;
  TExportCellStyle style(&book);
  style.SetRotation(-45);
  EXPECT_EQ(Narrow(style.GetKeyString(u"0.00")), "0;0;1;0;536870911;-45;0;0;0;10.00");
  EXPECT_EQ(Narrow(style.GetODSKeyString(u"0.00", u"cf")), "0;0;1;0;536870911;-45;0;0;0;10.00cf");
}

}  // namespace
}  // namespace workbook
