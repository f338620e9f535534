#include "workbook/model/window_settings.h"

#include <gtest/gtest.h>

#include "model_fixture.h"

namespace workbook {
namespace {

class WindowSettingsTest : public test::SheetTest {
 protected:
  TExportWindowSettings& view() { return sheet->WindowSettings; }
};

TEST_F(WindowSettingsTest, AssignCopiesSplitFilterAndOutlineOnly) {
  view().Split.Row = 3;
  view().AutoFilter.SetRange(0, 0, 2, 2);
  view().SummaryColsLeft = true;
  view().Zoom = 50;
  TExportWorkSheet* other = book->AddWorkSheet(u"Other");
  other->WindowSettings.Assign(view());
  EXPECT_EQ(other->WindowSettings.Split.Row, 3);
  EXPECT_TRUE(other->WindowSettings.HasAutoFilter());
  EXPECT_EQ(other->WindowSettings.AutoFilter.WorkSheet, other);
  EXPECT_TRUE(other->WindowSettings.SummaryColsLeft);
  EXPECT_EQ(other->WindowSettings.Zoom, 100);
}

}  // namespace
}  // namespace workbook
