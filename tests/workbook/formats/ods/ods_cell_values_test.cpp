// Attribute values of ODS cells: durations, dates and repeat counts as other programs write them;
// the texts of date cells and the value type of a time.
#include <gtest/gtest.h>

#include <cmath>

#include "workbook/formats/ods/ods_cell_values.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/model_fixture.h"

namespace workbook {
namespace {

TEST(ODSCellValuesTest, DurationsBecomeDaySerials) {
  const std::pair<const char*, double> cases[] = {
      {"PT12H00M00S", 0.5}, {"PT06H", 0.25},  {"PT00H00M01.5S", 1.5 / 86400},
      {"P1DT12H", 1.5},     {"-PT12H", -0.5}, {"PT36H", 1.5},
  };
  for (const auto& [text, serial] : cases) {
    double value = -99;
    ASSERT_TRUE(ODSReadTime(text, value)) << text;
    EXPECT_NEAR(value, serial, 1e-12) << text;
  }
  for (const char* text : {"", "P", "PT", "12:00:00", "PT12", "PT12X", "PT-1H", "P1H"}) {
    double value = 0;
    EXPECT_FALSE(ODSReadTime(text, value)) << text;
  }
}

TEST(ODSCellValuesTest, DatesWithOrWithoutTime) {
  double value = 0;
  ASSERT_TRUE(ODSReadDate("1900-01-01", value));
  EXPECT_DOUBLE_EQ(value, 2);
  ASSERT_TRUE(ODSReadDate("2000-01-01T12:00:00.123456", value));
  EXPECT_DOUBLE_EQ(value, 36526.5);
  EXPECT_FALSE(ODSReadDate("2000-02-30", value));
  EXPECT_FALSE(ODSReadDate("2000-01-01T12", value));
  EXPECT_FALSE(ODSReadDate("", value));
  EXPECT_FALSE(ODSReadDate("2000-01-0\xC3\xA9", value));
}

TEST(ODSCellValuesTest, RepeatCountsAreClampedAndDefaulted) {
  const std::pair<const char*, std::int64_t> cases[] = {
      {"", 1},   {"0", 1},
      {"-5", 1}, {"x", 1},
      {"3", 3},  {"99999999999999999999999", std::int64_t{1} << 32},
      {"3 ", 1}, {"1048576", 1048576},
  };
  for (const auto& [text, count] : cases) EXPECT_EQ(ODSRepeatCount(text), count) << text;
}

TEST(ODSCellValuesTest, BooleansByTheirFirstCharacter) {
  for (const char* text : {"true", "True", "1"}) EXPECT_TRUE(ODSReadBoolean(text)) << text;
  for (const char* text : {"false", "0", "", "yes"}) EXPECT_FALSE(ODSReadBoolean(text)) << text;
}

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
