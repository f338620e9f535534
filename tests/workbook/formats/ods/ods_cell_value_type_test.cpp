#include <gtest/gtest.h>

#include "workbook/model/cell_date_time.h"
#include "workbook/model/model_fixture.h"

namespace workbook {
namespace {

using CellValuesTest = test::SheetTest;

TEST_F(CellValuesTest, DateValueTextParsesByKind) {
  TExportRow* row = sheet->GetRow(0);
  auto* date = static_cast<TExportCellDateTime*>(row->AddCell(TCellClass::DateTime));
  date->SetFormatCode(u"dd.mm.yyyy", false);
  date->SetValueText(u"2024-02-29");
  EXPECT_EQ(date->Value, 45351);
  date->SetDisplayText(u"1.3.2024");
  EXPECT_EQ(date->Value, 45352);
  date->SetDisplayText(u"31.2.2024");
  EXPECT_FALSE(date->HasValue);
  auto* time = static_cast<TExportCellTime*>(row->AddCell(TCellClass::Time));
  time->SetValueText(u"06:00:00");
  EXPECT_EQ(time->Value, 0.25);
  EXPECT_EQ(time->GetODSValueType(), u"time");
}

}  // namespace
}  // namespace workbook
