#include "workbook/model/custom_exporter.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "../model/model_fixture.h"
#include "workbook/core/exceptions.h"
#include "workbook/model/measuring_hooks.h"

namespace workbook {
namespace {

class TPlainExporter : public TCustomExporter {};

class CustomExporterTest : public ModelTest {};

TEST_F(CustomExporterTest, DefaultRowHeightPrefersTheStoredHeightWhenAsked) {
  TWorkbook book;
  TExportWorkSheet* sheet = book.AddWorkSheet(u"S");
  bool isFontHeight = false;
  sheet->Rows.DefaultRowHeight = 25.0;
  EXPECT_EQ(TCustomExporter::GetDefaultRowHeightChecked(*sheet, true, isFontHeight), 25.0);
  EXPECT_FALSE(isFontHeight);
  EXPECT_EQ(TCustomExporter::GetDefaultRowHeight(*sheet, false), 18.0);
  sheet->Rows.DefaultRowHeight = 18.0;
  TCustomExporter::GetDefaultRowHeightChecked(*sheet, true, isFontHeight);
  EXPECT_TRUE(isFontHeight);
}

TEST_F(CustomExporterTest, DefaultColWidthIsTheSheetsWhenPositive) {
  TWorkbook book;
  TExportWorkSheet* sheet = book.AddWorkSheet(u"S");
  for (const auto& [stored, expected] :
       std::vector<std::pair<double, double>>{{-1, 80}, {0, 80}, {0.5, 0.5}, {120, 120}}) {
    sheet->Cols.DefaultWidth = stored;
    EXPECT_EQ(TCustomExporter::GetDefaultColWidth(*sheet), expected) << stored;
  }
}

TEST_F(CustomExporterTest, WritingRefusesWithoutTheMeasuringHooks) {
  const TCharWidthHook saved = CharWidthHook;
  CharWidthHook = nullptr;
  TWorkbook book;
  TMemoryStream target;
  TPlainExporter exporter;
  EXPECT_THROW(exporter.ExportToStream(target, book), EWorkbookException);
  EXPECT_EQ(target.Size(), 0);
  InstallHeadlessMeasuring();
  EXPECT_NO_THROW(exporter.ExportToStream(target, book));
  CharWidthHook = saved ? saved : CharWidthHook;
}

}  // namespace
}  // namespace workbook
