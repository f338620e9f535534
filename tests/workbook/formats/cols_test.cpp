#include "workbook/model/cols.h"

#include <gtest/gtest.h>

#include "workbook/core/exceptions.h"
#include "workbook/core/list_error.h"
#include "workbook/formats/sheet_record_support.h"
#include "workbook/formats/xls/biff_builder.h"
#include "workbook/model/cell.h"

namespace workbook {
namespace {

using namespace xls_test;
using test::OneRecord;

constexpr double kCharWidth = 7;

class ColsTest : public test::SheetTest {
 protected:
  void ReadXLSX(const std::string& colsXml) {
    test::XmlScratch xml("x");
    xml.Load(colsXml);
    sheet->Cols.ReadXLSX(xml.Root(), kCharWidth, applyXF);
  }
  void ReadColInfo(int first, int last, int width, int xf, int options) {
    OneRecord record(Record(
        0x007D, Join({Word(first), Word(last), Word(width), Word(xf), Word(options), Word(0)})));
    sheet->Cols.ReadXLS(record.Reader(), kCharWidth, applyXF);
  }
  // Marks a style with the XF index through its indent, so tests see which XF reached which style.
  TXFApplier applyXF = [](int xf, TExportCellStyle& style) {
    style.SetIndent(static_cast<std::uint8_t>(xf));
  };
};

// Attributes of one col element, the column count afterwards, and the looked-at column's width,
// hiding, outline level and XF (-1: no style).
struct XlsxColCase {
  const char* attributes;
  int count, index;
  double width;
  bool hidden;
  int level, xf;
};

TEST_F(ColsTest, ReadsColElement) {
  const XlsxColCase kCases[] = {
      // The width is taken whether customWidth says it was set by hand or not.
      {R"(min="2" max="4" width="20")", 4, 3, 140, false, 0, -1},
      {R"(min="2" max="2" width="20" customWidth="1")", 2, 1, 140, false, 0, -1},
      {R"(min="1" max="1" width="10" collapsed="false" hidden="false")", 1, 0, 70, false, 0, -1},
      {R"(min="1" max="1" width="10" customWidth="0")", 1, 0, 70, false, 0, -1},
      {R"(min="1" max="1" customWidth="1")", 1, 0, -1, false, 0, -1},
      {R"(min="3" max="3" hidden="true" outlineLevel="2" style="5")", 3, 2, -1, true, 2, 5},
      {R"(min="1" max="1" hidden="1" outlineLevel="12")", 1, 0, -1, true, 7, -1},
      // Damaged widths and places: clamped or skipped, never allocated per column.
      {R"(min="1" max="1" width="1e300" customWidth="1")", 1, 0, 255 * 7, false, 0, -1},
      {R"(min="1" max="1" width="-5" customWidth="1")", 1, 0, -1, false, 0, -1},
      {R"(min="1" max="1" width="abc" customWidth="1")", 1, 0, -1, false, 0, -1},
      {R"(min="5" max="2" width="9" customWidth="1")", 0, 0, 0, false, 0, -1},
      {R"(min="1" max="99999999999" customWidth="1")", 0, 0, 0, false, 0, -1},
      {R"(min="-4" max="1" width="2" customWidth="1")", 1, 0, 14, false, 0, -1},
  };
  for (const XlsxColCase& c : kCases) {
    SCOPED_TRACE(c.attributes);
    sheet->Cols.Clear();
    ReadXLSX(std::string("<cols><col ") + c.attributes + "/></cols>");
    ASSERT_EQ(sheet->Cols.Count(), c.count);
    if (c.count == 0) continue;
    TExportCol* col = sheet->Cols.GetItem(c.index);
    EXPECT_DOUBLE_EQ(col->Width, c.width);
    EXPECT_EQ(col->Hidden, c.hidden);
    EXPECT_EQ(col->OutlineLevel(), c.level);
    EXPECT_EQ(col->HasStyle() ? col->GetStyle().GetIndent() : -1, c.xf);
  }
}

TEST_F(ColsTest, XlsxColumnToTheLastOneIsTheSheetDefault) {
  ReadXLSX(R"(<cols><col min="1" max="16384" width="12" customWidth="1" style="3"/></cols>)");
  EXPECT_EQ(sheet->Cols.Count(), 0);
  EXPECT_DOUBLE_EQ(sheet->Cols.DefaultWidth, 84);
  EXPECT_EQ(sheet->DefaultCellStyle->GetIndent(), 3);
}

TEST_F(ColsTest, XlsxColBreaksMarkManualBreaksOnly) {
  test::XmlScratch xml("x");
  xml.Load(R"(<colBreaks><brk id="3" man="1"/><brk id="5"/><brk id="-2" man="1"/>)"
           R"(<brk id="70000" man="true"/><brk id="x" man="1"/></colBreaks>)");
  sheet->Cols.ReadXLSXColBreaks(xml.Root());
  ASSERT_EQ(sheet->Cols.Count(), 4);
  EXPECT_TRUE(sheet->Cols.GetItem(3)->PageBreak);
  EXPECT_FALSE(sheet->Cols.GetItem(2)->PageBreak);
}

// Widths, hiding and merges of COLINFO are read in the xlwt peer test; here levels, styles and
// records reaching the sheet's edge, reversed or cut short.
TEST_F(ColsTest, ColInfoRecords) {
  ReadColInfo(1, 3, 20 * 256, 7, 0x0200);
  ASSERT_EQ(sheet->Cols.Count(), 4);
  EXPECT_FALSE(sheet->Cols.GetItem(0)->HasStyle());
  EXPECT_EQ(sheet->Cols.GetItem(3)->OutlineLevel(), 2);
  EXPECT_EQ(sheet->Cols.GetItem(3)->GetStyle().GetIndent(), 7);
  sheet->Cols.Clear();
  // To column 256 or beyond: only the defaults; a last column before the first: nothing.
  ReadColInfo(0, 0xFFFF, 256, 5, 0);
  ReadColInfo(0, 256, 10 * 256, 4, 0);
  ReadColInfo(9, 2, 256, 0, 0);
  EXPECT_EQ(sheet->Cols.Count(), 0);
  EXPECT_DOUBLE_EQ(sheet->Cols.DefaultWidth, 70);
  EXPECT_EQ(sheet->DefaultCellStyle->GetIndent(), 4);
  OneRecord shortRecord(Record(0x007D, Join({Word(0), Word(1), Word(256)})));
  EXPECT_THROW(sheet->Cols.ReadXLS(shortRecord.Reader(), kCharWidth, applyXF),
               EWorkbookFileException);
  EXPECT_EQ(sheet->Cols.Count(), 0);
}

}  // namespace
}  // namespace workbook
