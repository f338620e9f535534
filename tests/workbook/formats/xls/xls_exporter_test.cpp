// The XLS handler in the workbook: found by extension, the worksheets and cells it makes, the
// styles and number formats the cells get from their XF records.
#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <memory>

#include "../../model/model_fixture.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/exporter_registry.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/xls/xls_exporter.h"
#include "workbook/model/cell.h"
#include "workbook/model/row.h"
#include "workbook/model/worksheet.h"
#include "xls_workbook_builder.h"

namespace workbook {
namespace {

using namespace xls_test;

class XLSExporterTest : public ModelTest {
 protected:
  // The workbook needs the date/time globals the fixture sets up.
  void SetUp() override {
    ModelTest::SetUp();
    book_ = std::make_unique<TWorkbook>();
    book_->ShowProgress = false;
  }
  void TearDown() override {
    book_.reset();
    ModelTest::TearDown();
  }
  void Load(const Bytes& stream) {
    TMemoryStream file(XlsFile(stream));
    TExporterXLS exporter;
    book_->LoadFromStream(file, exporter);
  }
  TExportCell* CellAt(int sheet, int row, int col) {
    TExportRow* r = book_->WorkSheets.GetItem(sheet)->Rows.PeekItem(row);
    return r != nullptr ? r->Cells.PeekItem(col) : nullptr;
  }
  std::unique_ptr<TWorkbook> book_;
};

Bytes BoldFont() {
  return Record(0x0031, Join({Word(200),
                              Word(1),
                              Word(0x7FFF),
                              Word(700),
                              Word(0),
                              Word(0),
                              Word(0),
                              {5, 0},
                              Chars(u"Arial", false)}));
}

TEST_F(XLSExporterTest, RegisteredSecondForXlsAndXlt) {
  StartWorkbookLibrary();
  EXPECT_EQ(GetExporterRegistry()->Get(1)->Description, u"Excel 97, 2000, XP");
  for (const char16_t* extension : {u"xls", u"XLT"}) {
    TCustomExporter* exporter = nullptr;
    ASSERT_TRUE(GetExporterRegistry()->FindForExtension(extension, exporter));
    EXPECT_NE(dynamic_cast<TExporterXLS*>(exporter), nullptr);
    EXPECT_EQ(exporter->GetMaxColCount(), 256);
    EXPECT_EQ(exporter->GetMaxRowCount(), 65536);
  }
}

TEST_F(XLSExporterTest, CellsTakeClassFormatAndStyleFromTheirXF) {
  // Fonts 0-3, 5 and 6 (BIFF has no font 4): font 6 is bold. XF 16: a date format; XF 17: bold.
  const Bytes globals = Join({Record(0x0022, Word(1)), StandardStyles(), BoldFont(),
                              Format(164, u"dd.mm.yyyy"), CellXF(0, 164), CellXF(6, 0)});
  Load(WorkbookStream(
      globals,
      {{u"Dáta", Join({Number(0, 0, 16, 43538), Number(0, 1, 17, 2.5), Number(0, 2, 15, 7)})},
       {u"Druhý", Label(2, 3, u"a\nb", false)}}));
  ASSERT_EQ(book_->WorkSheets.Count(), 2);
  EXPECT_EQ(book_->WorkSheets.GetItem(0)->Name, u"Dáta");
  EXPECT_EQ(book_->WorkSheets.GetItem(1)->Name, u"Druhý");
  EXPECT_TRUE(book_->Date1904);

  TExportCell* date = CellAt(0, 0, 0);
  ASSERT_NE(date, nullptr);
  EXPECT_EQ(date->CellClass(), TCellClass::DateTime);
  EXPECT_EQ(date->GetValueText(), u"2023-03-15");
  EXPECT_FALSE(date->HasStyle());  // looks like the default: no style of its own

  TExportCell* bold = CellAt(0, 0, 1);
  ASSERT_NE(bold, nullptr);
  ASSERT_TRUE(bold->HasStyle());
  const TExportFont* font = book_->FontList.GetItem(bold->GetStyle().GetFontIndex());
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->GetStyle().Bold, 1);

  EXPECT_EQ(CellAt(0, 0, 2)->GetValueText(), u"7");
  EXPECT_EQ(CellAt(1, 2, 3)->GetValueText(), u"a\r\nb");
}

Bytes RowRecord(std::uint16_t row, std::uint16_t height, std::uint32_t options) {
  return Record(
      0x0208, Join({Word(row), Word(0), Word(1), Word(height), Word(0), Word(0), DWord(options)}));
}

TEST_F(XLSExporterTest, RowRecordsGiveHeightOutlineAndVisibility) {
  Load(WorkbookStream(
      StandardStyles(),
      {{u"A", Join({Record(0x0225, Join({Word(0), Word(300)})),
                    RowRecord(0, 450, 0x0100 | 0x40 | 0x02),  // 30 px, level 2
                    RowRecord(1, 450, 0x0100 | 0x20),         // hidden, automatic
                    RowRecord(2, 0x8000 | 450, 0x0100 | 0x40), Number(0, 0, 15, 1)})}}));
  TExportWorkSheet* sheet = book_->WorkSheets.GetItem(0);
  EXPECT_DOUBLE_EQ(sheet->Rows.DefaultRowHeight, 20.0);
  TExportRow* first = sheet->Rows.PeekItem(0);
  ASSERT_NE(first, nullptr);
  EXPECT_DOUBLE_EQ(first->Height, 30.0);
  EXPECT_EQ(first->OutlineLevel, 2);
  EXPECT_FALSE(first->Hidden);
  TExportRow* second = sheet->Rows.PeekItem(1);
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(second->Hidden);
  EXPECT_EQ(second->HeightMode, 1);
  EXPECT_EQ(sheet->Rows.PeekItem(2)->HeightMode, 1);
}

Bytes MergedCells(std::initializer_list<std::array<std::uint16_t, 4>> ranges, std::uint16_t count) {
  Bytes data = Word(count);
  for (const auto& r : ranges) Append(data, Join({Word(r[0]), Word(r[1]), Word(r[2]), Word(r[3])}));
  return Record(0x00E5, data);
}

TEST_F(XLSExporterTest, MergedRangesSpanTheirFirstCell) {
  // The second range's first cell is not stored: an empty cell carries the spans.
  Load(WorkbookStream(
      StandardStyles(),
      {{u"A",
        Join({Number(0, 0, 15, 1), MergedCells({{0, 1, 0, 2}, {4, 4, 3, 5}, {9, 8, 0, 0}}, 3)})}}));
  TExportCell* first = CellAt(0, 0, 0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->ColSpan(), 3);
  EXPECT_EQ(first->RowSpan(), 2);
  TExportCell* empty = CellAt(0, 4, 3);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->CellClass(), TCellClass::Empty);
  EXPECT_EQ(empty->ColSpan(), 3);
  EXPECT_EQ(empty->RowSpan(), 1);
  // The reversed range is left out.
  EXPECT_EQ(CellAt(0, 9, 0), nullptr);
}

TEST_F(XLSExporterTest, MergedCellsCountBeyondTheRecordFailsTheLoad) {
  EXPECT_THROW(Load(WorkbookStream(StandardStyles(), {{u"A", MergedCells({{0, 1, 0, 2}}, 2)}})),
               EWorkbookFileException);
  EXPECT_THROW(Load(WorkbookStream(StandardStyles(), {{u"A", MergedCells({{0, 1, 0, 300}}, 1)}})),
               EWorkbookFileException);
}

TEST_F(XLSExporterTest, DamagedRecordFailsTheLoad) {
  EXPECT_THROW(Load(WorkbookStream(StandardStyles(), {{u"A", Number(0, 300, 15, 1)}})),
               EWorkbookFileException);
}

}  // namespace
}  // namespace workbook
