#include "workbook/model/custom_exporter.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "../model/model_fixture.h"
#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/ods/ods_exporter.h"
#include "workbook/formats/xls/xls_exporter.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/model/font_metrics.h"
#include "workbook/model/measuring_hooks.h"

namespace workbook {
namespace {

class TPlainExporter : public TCustomExporter {};

class CustomExporterTest : public ModelTest {};

TEST_F(CustomExporterTest, FindFontMetricsMatchesTheExactNameOnly) {
  const std::pair<std::u16string, bool> cases[] = {
      {u"Arial", true}, {u"Arial Narrow", true}, {u"arial", false}, {u"Nowhere Sans", false}};
  for (const auto& [name, found] : cases) {
    const TFontMetrics* entry = nullptr;
    EXPECT_EQ(TCustomExporter::FindFontMetrics(name, entry), found);
    ASSERT_NE(entry, nullptr);
    // Not found gives the first entry, so callers always have metrics to use.
    EXPECT_EQ(std::u16string(entry->Name), found ? name : u"Arial");
  }
}

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

// A host that translates the library's texts sees its caption in every writer's progress.
TEST_F(CustomExporterTest, WritersCaptionTheirProgressWithTheLibraryText) {
  InstallHeadlessMeasuring();
  const std::u16string saved = WorkbookLng_Export;
  WorkbookLng_Export = u"Vývoz";
  TExporterXLS xls;
  TExporterXLSX xlsx;
  TExporterODS ods;
  for (TCustomExporter* exporter : std::vector<TCustomExporter*>{&xls, &xlsx, &ods}) {
    TWorkbook book;
    book.AddWorkSheet(u"S");
    std::vector<std::u16string> log;
    book.ProgressDlg = std::make_unique<test::TRecordingDialog>(log);
    TMemoryStream target;
    exporter->ExportToStream(target, book);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), u"caption Vývoz") << platform::Utf16ToUtf8(exporter->Description);
  }
  WorkbookLng_Export = saved;
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

// Leaving such cells out would lose them without a word: the writer refuses, naming the sheet,
// before it writes a byte.
TEST_F(CustomExporterTest, CellsBeyondAFormatAreRefusedBeforeWriting) {
  InstallHeadlessMeasuring();
  TExporterXLS xls;
  TExporterODS ods;
  const char* const kXLS =
      "The worksheet \"Big\" has cells beyond row 65536 or column 256, which an XLS (Excel "
      "97-2003) file cannot hold.";
  const struct {
    TCustomExporter& exporter;
    int col, row;
    const char* message;
  } kCases[] = {
      {xls, 256, 0, kXLS},
      {xls, 0, 65536, kXLS},
      {ods, 1024, 0,
       "The worksheet \"Big\" has cells beyond row 1048576 or column 1024, which an ODS "
       "(OpenOffice Calc) file cannot hold."},
  };
  for (const auto& c : kCases) {
    TWorkbook book;
    book.AddWorkSheet(u"Small")->FindCreateCell(0, 0, TCellClass::Empty, false);
    book.AddWorkSheet(u"Big")->FindCreateCell(c.col, c.row, TCellClass::Empty, false);
    TMemoryStream stream;
    try {
      c.exporter.ExportToStream(stream, book);
      ADD_FAILURE() << c.message << ": written";
    } catch (const EWorkbookFileException& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_EQ(stream.Size(), 0);
  }
}

}  // namespace
}  // namespace workbook
