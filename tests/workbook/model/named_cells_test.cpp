#include "workbook/model/named_cells.h"

#include <gtest/gtest.h>

#include "platform/text_codec.h"
#include "sheet_extras_support.h"
#include "workbook/core/exceptions.h"
#include "workbook/model/cell.h"

namespace workbook {
namespace {

class NamedCellsTest : public test::SheetTest {
 protected:
  TExportNamedCells& names() { return book->NamedCells; }
  std::u16string AddError(const std::u16string& name) {
    try {
      names().AddCellRange(name, sheet, 0, 0);
    } catch (const EWorkbookException& e) {
      return e.Message();
    }
    return u"";
  }
};

struct ValidityCase {
  const char16_t* name;
  bool valid;
};

class NameValidityTest : public ::testing::TestWithParam<ValidityCase> {};

TEST_P(NameValidityTest, AsciiLettersDigitsAndUnderscore) {
  EXPECT_EQ(TExportNamedCells::IsValidName(GetParam().name), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Cases, NameValidityTest,
                         ::testing::Values(ValidityCase{u"Total_2024", true},
                                           ValidityCase{u"2024total", true},
                                           ValidityCase{u"", true}, ValidityCase{u"Sum-1", false},
                                           ValidityCase{u"\u010Ciastka", false},
                                           ValidityCase{u"My Name", false},
                                           ValidityCase{u"a.b", false}));

TEST_F(NamedCellsTest, InvalidAndDuplicateNamesRaise) {
  EXPECT_EQ(AddError(u"Sum-1"), u"TExportNamedCells.AddCellRangeSpan: Name is not valid.");
  EXPECT_EQ(AddError(u"Total"), u"");
  EXPECT_EQ(AddError(u"Total"), u"TExportNamedCells.AddCellRangeSpan: Name is already defined.");
  // Names compare without regard to letter case, as spreadsheets do.
  EXPECT_EQ(AddError(u"TOTAL"), u"TExportNamedCells.AddCellRangeSpan: Name is already defined.");
  EXPECT_EQ(names().Count(), 1);
}

TEST_F(NamedCellsTest, ListIsSortedAndPositionsFollowIt) {
  EXPECT_EQ(names().AddCellRange(u"beta", sheet, 0, 0), 0);
  EXPECT_EQ(names().AddCellRange(u"Alpha", sheet, 1, 1), 0);
  EXPECT_EQ(names().AddCellRangeSpan(u"Gamma", sheet, 2, 3, 4, 5), 2);
  std::vector<std::u16string> order;
  names().ForEach([&](const std::u16string& name, const TExportRange&) { order.push_back(name); });
  EXPECT_EQ(order, (std::vector<std::u16string>{u"Alpha", u"beta", u"Gamma"}));
  const TExportRange* range;
  ASSERT_TRUE(names().FindName(u"gamma", range));
  EXPECT_EQ(range->Col, 5);
  EXPECT_EQ(range->Row, 4);
  EXPECT_EQ(range->ColCount, 3);
  EXPECT_EQ(range->RowCount, 2);
  std::u16string found;
  EXPECT_TRUE(names().FindRangeName(sheet, 5, 4, 3, 2, found));
  EXPECT_EQ(found, u"Gamma");
  EXPECT_FALSE(names().FindRangeName(sheet, 5, 4, 3, 3, found));
  EXPECT_TRUE(names().Delete(u"BETA"));
  EXPECT_FALSE(names().Delete(u"beta"));
}

TEST_F(NamedCellsTest, TryAddSkipsTheValidityTestButNotDuplicates) {
  EXPECT_TRUE(names().TryAddCellRangeSpan(u"My.Name", sheet, 1, 1, 0, 0));
  EXPECT_FALSE(names().TryAddCellRange(u"my.name", sheet, 3, 3, 1, 1));
  EXPECT_TRUE(names().TryAddCellRange(u"Block", sheet, 3, 4, 1, 2));
  const TExportRange* range;
  ASSERT_TRUE(names().FindName(u"Block", range));
  EXPECT_EQ(range->ColCount, 3);
  EXPECT_EQ(range->RowCount, 3);
}

TEST_F(NamedCellsTest, CellNameIncludesItsSpans) {
  TExportCell* cell = sheet->FindCreateCell(1, 1, TCellClass::String, false);
  cell->SetColSpan(2);
  names().AddCellRangeSpan(u"Merged", sheet, 1, 2, 1, 1);
  std::u16string found;
  EXPECT_TRUE(names().FindCellName(*cell, found));
  EXPECT_EQ(found, u"Merged");
  names().AddCell(u"Single", *sheet->FindCreateCell(0, 3, TCellClass::Number, false));
  const TExportRange* range;
  ASSERT_TRUE(names().FindName(u"Single", range));
  EXPECT_EQ(range->Row, 3);
}

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

TEST_F(NamedCellsTest, DuplicateDefinedNameFromAFileKeepsTheFirst) {
  names().ReadXLSXDefinedName(u"Rate", u"Sheet1!$A$1");
  EXPECT_NO_THROW(names().ReadXLSXDefinedName(u"RATE", u"Sheet1!$C$3"));
  const TExportRange* range;
  ASSERT_TRUE(names().FindName(u"rate", range));
  EXPECT_EQ(range->Col, 0);
  EXPECT_EQ(names().Count(), 1);
}

TEST_F(NamedCellsTest, WritesDefinedNamesAsText) {
  TExportWorkSheet* other = book->AddWorkSheet(u"Tom's");
  names().AddCellRangeSpan(u"Block", other, 2, 3, 1, 0);
  names().AddCellRange(u"A_cell", sheet, 4, 2);
  EXPECT_EQ(names().WriteXLSX(),
            u"<definedName name=\"A_cell\">&apos;Sheet1&apos;!$C$5</definedName>"
            u"<definedName name=\"Block\">&apos;Tom&apos;&apos;s&apos;!$A$2:$C$3</definedName>");
}

TEST_F(NamedCellsTest, WholeColumnNamesWriteBothSides) {
  names().ReadXLSXDefinedName(u"Cols", u"Sheet1!$B:$B");
  EXPECT_EQ(names().WriteXLSX(),
            u"<definedName name=\"Cols\">&apos;Sheet1&apos;!$B:$B</definedName>");
  test::XmlScratch xml("n");
  names().WriteODS(xml.Root());
  EXPECT_EQ(xml.Text(),
            "<n><table:named-range table:name=\"Cols\" table:base-cell-address=\"$'Sheet1'.$B$1\" "
            "table:cell-range-address=\"'Sheet1'.$B:'Sheet1'.$B\"/></n>");
}

TEST_F(NamedCellsTest, WritesNamedRangesForOpenDocument) {
  names().AddCellRangeSpan(u"Block", sheet, 2, 3, 1, 0);
  test::XmlScratch xml("table:named-expressions");
  names().WriteODS(xml.Root());
  EXPECT_EQ(xml.Text(),
            "<table:named-expressions><table:named-range table:name=\"Block\" "
            "table:base-cell-address=\"$'Sheet1'.$A$2\" "
            "table:cell-range-address=\"$'Sheet1'.$A$2:'Sheet1'.$C$3\"/>"
            "</table:named-expressions>");
}

TEST_F(NamedCellsTest, DeletingASheetDropsItsNames) {
  TExportWorkSheet* other = book->AddWorkSheet(u"Other");
  names().AddCellRange(u"Keep", sheet, 0, 0);
  names().AddCellRange(u"Drop", other, 0, 0);
  book->WorkSheets.Delete(other->GetIndex());
  const TExportRange* range;
  EXPECT_TRUE(names().FindName(u"Keep", range));
  EXPECT_FALSE(names().FindName(u"Drop", range));
}

TEST_F(NamedCellsTest, CopySheetNamesBetweenWorkbooks) {
  names().AddCellRangeSpan(u"Block", sheet, 2, 2, 0, 0);
  names().AddCellRange(u"One", sheet, 5, 5);
  TWorkbook target;
  TExportWorkSheet* copy = target.AddWorkSheet(u"Copy");
  target.NamedCells.AddCellRangeSpan(u"Stale", copy, 3, 3, 0, 0);
  target.NamedCells.AddCellRange(u"StaleOne", copy, 0, 0);
  target.NamedCells.CopySheetNames(sheet, copy, false);
  const TExportRange* range;
  EXPECT_FALSE(target.NamedCells.FindName(u"Stale", range));
  EXPECT_TRUE(target.NamedCells.FindName(u"StaleOne", range));
  EXPECT_FALSE(target.NamedCells.FindName(u"One", range));
  ASSERT_TRUE(target.NamedCells.FindName(u"Block", range));
  EXPECT_EQ(range->WorkSheet, copy);
}

TEST_F(NamedCellsTest, CopyWithinOneWorkbookKeepsExistingNames) {
  names().AddCellRangeSpan(u"Block", sheet, 2, 2, 0, 0);
  TExportWorkSheet* copy = book->AddWorkSheet(u"Copy");
  EXPECT_NO_THROW(copy->Assign(*sheet));
  const TExportRange* range;
  ASSERT_TRUE(names().FindName(u"Block", range));
  EXPECT_EQ(range->WorkSheet, sheet);
}

}  // namespace
}  // namespace workbook
