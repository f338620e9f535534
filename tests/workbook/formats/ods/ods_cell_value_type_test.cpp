#include <gtest/gtest.h>

#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/model_fixture.h"

namespace workbook {
namespace {

class CellValuesTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    book_ = std::make_unique<TWorkbook>();
    row_ = book_->AddWorkSheet(u"S")->GetRow(0);
  }
  template <class T>
  T* Add(TCellClass cellClass) {
    return static_cast<T*>(row_->AddCell(cellClass));
  }
  std::unique_ptr<TWorkbook> book_;
  TExportRow* row_ = nullptr;
};

TEST_F(CellValuesTest, DateValueTextParsesByKind) {
  auto* date = Add<TExportCellDateTime>(TCellClass::DateTime);
  date->SetFormatCode(u"dd.mm.yyyy", false);
  date->SetValueText(u"2024-02-29");
  EXPECT_EQ(date->Value, 45351);
  date->SetDisplayText(u"1.3.2024");
  EXPECT_EQ(date->Value, 45352);
  date->SetDisplayText(u"31.2.2024");
  EXPECT_FALSE(date->HasValue);
  auto* time = Add<TExportCellTime>(TCellClass::Time);
  time->SetValueText(u"06:00:00");
  EXPECT_EQ(time->Value, 0.25);
  EXPECT_EQ(time->GetODSValueType(), u"time");
}

}  // namespace
}  // namespace workbook
