#include "workbook/model/named_cells.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/xls/xls_exporter.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/formats/xml_test_support.h"
#include "workbook/model/cell.h"
#include "workbook/model/model_fixture.h"
#include "xls/xls_workbook_builder.h"
#include "xlsx/xlsx_test_support.h"

namespace workbook {
namespace {

class NamedCellsTest : public test::SheetTest {
 protected:
  TExportNamedCells& names() { return book->NamedCells; }
};

struct DefinedNameCase {
  const char16_t* name;
  const char16_t* reference;
  bool added;
  int col, row, colCount, rowCount;
};

class DefinedNameReadTest : public NamedCellsTest,
                            public ::testing::WithParamInterface<DefinedNameCase> {};

TEST_P(DefinedNameReadTest, ReadsSheetQualifiedReferences) {
  book->AddWorkSheet(u"Q1 'data'");
  const DefinedNameCase& c = GetParam();
  names().ReadXLSXDefinedName(c.name, c.reference);
  const TExportRange* range;
  ASSERT_EQ(names().FindName(c.name, range), c.added);
  if (!c.added) return;
  EXPECT_EQ(range->Col, c.col);
  EXPECT_EQ(range->Row, c.row);
  EXPECT_EQ(range->ColCount, c.colCount);
  EXPECT_EQ(range->RowCount, c.rowCount);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DefinedNameReadTest,
    ::testing::Values(DefinedNameCase{u"Rates", u"Sheet1!$B$2:$D$10", true, 1, 1, 3, 9},
                      DefinedNameCase{u"Quoted", u"'Q1 ''data'''!$A$1", true, 0, 0, 1, 1},
                      DefinedNameCase{u"Reversed", u"Sheet1!D4:B2", true, 1, 1, 3, 3},
                      DefinedNameCase{u"Columns", u"Sheet1!$B:$C", true, 1, -1, 2, -1},
                      DefinedNameCase{u"Rows", u"'Q1 ''data'''!$3:$3", true, -1, 2, -1, 1},
                      DefinedNameCase{u"Areas", u"Sheet1!$A$1,Sheet1!$B$2", false, 0, 0, 0, 0},
                      DefinedNameCase{u"External", u"[1]Sheet1!$A$1", false, 0, 0, 0, 0},
                      DefinedNameCase{u"CaseOfSheet", u"sheet1!A1", false, 0, 0, 0, 0},
                      DefinedNameCase{u"Missing", u"Other!A1", false, 0, 0, 0, 0},
                      DefinedNameCase{u"Constant", u"0.19", false, 0, 0, 0, 0},
                      DefinedNameCase{u"Broken", u"#REF!$A$1", false, 0, 0, 0, 0},
                      DefinedNameCase{u"Outside", u"Sheet1!A1:A1048577", false, 0, 0, 0, 0},
                      DefinedNameCase{u"", u"Sheet1!A1", false, 0, 0, 0, 0}));

TEST_F(NamedCellsTest, WritesDefinedNamesAsText) {
  TExportWorkSheet* other = book->AddWorkSheet(u"Tom's");
  names().AddCellRangeSpan(u"Block", other, 2, 3, 1, 0);
  names().AddCellRange(u"A_cell", sheet, 4, 2);
  EXPECT_EQ(names().WriteXLSX(),
            u"<definedName name=\"A_cell\">&apos;Sheet1&apos;!$C$5</definedName>"
            u"<definedName name=\"Block\">&apos;Tom&apos;&apos;s&apos;!$A$2:$C$3</definedName>");
}

TEST_F(NamedCellsTest, WritesNamedRangesForOpenDocument) {
  names().AddCellRangeSpan(u"Block", sheet, 2, 3, 1, 0);
  names().ReadXLSXDefinedName(u"Cols", u"Sheet1!$B:$B");
  EXPECT_NE(names().WriteXLSX().find(u">&apos;Sheet1&apos;!$B:$B<"), std::u16string::npos);
  test::XmlScratch xml("table:named-expressions");
  names().WriteODS(xml.Root());
  EXPECT_EQ(xml.Text(),
            "<table:named-expressions><table:named-range table:name=\"Block\" "
            "table:base-cell-address=\"$'Sheet1'.$A$2\" "
            "table:cell-range-address=\"$'Sheet1'.$A$2:$'Sheet1'.$C$3\"/>"
            "<table:named-range table:name=\"Cols\" table:base-cell-address=\"$'Sheet1'.$B$1\" "
            "table:cell-range-address=\"$'Sheet1'.$B:$'Sheet1'.$B\"/></table:named-expressions>");
}

// Files defining names by the hundred thousand (each added where it sorts, which took time in
// proportion to the names before it): every name is read, and list positions follow the order.
TEST_F(NamedCellsTest, FilesOfManyNamesReadThemAll) {
  constexpr int kXlsNames = 65'000, kXlsxNames = 200'000;
  auto nameOf = [](int i) { return u"N" + platform::Utf8ToUtf16(std::to_string(i)); };
  using namespace xls_test;
  // One EXTERNSHEET entry (sheet 0), then NAME records of a ptgRef3d each: N<i> is A<i % 1000 + 1>.
  Bytes globals =
      Join({StandardStyles(), Record(0x0017, Join({Word(1), Word(0), Word(0), Word(0)}))});
  for (int i = 0; i < kXlsNames; ++i) {
    const std::u16string name = nameOf(i);
    Append(globals, Record(0x0018, Join({Word(0),
                                         {0, static_cast<std::uint8_t>(name.size())},
                                         Word(7),
                                         Word(0),
                                         Word(0),
                                         DWord(0),
                                         {0},
                                         Chars(name, false),
                                         {0x3A},
                                         Word(0),
                                         Word(static_cast<std::uint16_t>(i % 1000)),
                                         Word(0)})));
  }
  const std::vector<std::uint8_t> xls =
      XlsFile(WorkbookStream(globals, {{u"S", Number(0, 0, 15, 1)}}));
  TMemoryStream xlsStream(xls);
  TExporterXLS xlsHandler;
  book->LoadFromStream(xlsStream, xlsHandler);
  EXPECT_EQ(names().Count(), kXlsNames);

  std::string definedNames;
  for (int i = 0; i < kXlsxNames; ++i)
    definedNames += "<definedName name=\"N" + std::to_string(i) + "\">First!$A$" +
                    std::to_string(i % 1000 + 1) + "</definedName>";
  TXLSXParts parts = TXLSXParts::Standard("");
  parts.SetSheets({{"First", "worksheets/sheet1.xml"}}, definedNames);
  TMemoryStream xlsxStream = parts.Zip();
  TWorkbook xlsxBook;
  TExporterXLSX xlsxHandler;
  xlsxBook.LoadFromStream(xlsxStream, xlsxHandler);
  EXPECT_EQ(xlsxBook.NamedCells.Count(), kXlsxNames);

  for (const TWorkbook* read : {book.get(), &xlsxBook}) {
    const TExportRange* range = nullptr;
    ASSERT_TRUE(read->NamedCells.FindName(u"n64999", range));
    EXPECT_EQ(range->WorkSheet, read->WorkSheets[0]);
    EXPECT_EQ(range->Row, 999);
    EXPECT_EQ(range->Col, 0);
    // "N0" < "N1" < "N10" < "N100" ...: N10 is third.
    EXPECT_EQ(read->NamedCells.PositionOf(u"N10"), 2);
    std::u16string name;
    EXPECT_TRUE(read->FormulaNames->NameAtPosition(3, name));
    EXPECT_EQ(name, u"N10");
    EXPECT_EQ(read->FormulaNames->NamePosition(u"n10"), 3);
  }
}

}  // namespace
}  // namespace workbook
