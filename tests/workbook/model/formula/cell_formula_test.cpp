// Formula cells: when they calculate, what they keep, and how an error result shows.
#include <gtest/gtest.h>

#include "formula_fixture.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_date_time.h"

namespace workbook::test {
namespace {

TEST_F(FormulaTest, CellsCalculateOnDemandAndKeepTheParsedFormula) {
  Number(u"A1", 3);
  auto* cell = Formula(u"B1", u"A1*2");
  EXPECT_EQ(cell->GetFormula(), u"=A1*2");
  EXPECT_EQ(cell->PeekRPNFormula(), nullptr);  // parsed on first use only
  cell->Calculate();
  EXPECT_DOUBLE_EQ(cell->Value, 6);
  ASSERT_NE(cell->PeekRPNFormula(), nullptr);
  // The value stays until the formula changes.
  Number(u"A1", 10);
  cell->Calculate();
  EXPECT_DOUBLE_EQ(cell->Value, 6);
  cell->SetFormula(u"=A1+1");
  EXPECT_EQ(cell->PeekRPNFormula(), nullptr);
  cell->Calculate();
  EXPECT_EQ(cell->GetValueText(), u"11");
}

TEST_F(FormulaTest, ValuesReadFromAFileAreNeverRecomputed) {
  Number(u"A1", 3);
  auto* cell = Formula(u"B1", u"");
  cell->ReadValue(42);
  cell->ReadFormula(u"=A1*2");
  cell->Calculate();
  EXPECT_DOUBLE_EQ(cell->Value, 42);
  EXPECT_EQ(cell->GetValueText(), u"42");
  // A formula cell that reads it sees the file's result.
  auto* user = Formula(u"C1", u"=B1+1");
  user->Calculate();
  EXPECT_DOUBLE_EQ(user->Value, 43);
}

// A formula set on a cell read from a file (with or without a formula of its own, a number or an
// error value) is calculated; a copy of the cell then calculates too.
TEST_F(FormulaTest, AFormulaSetAfterReadingIsCalculated) {
  Number(u"A1", 3);
  auto* plain = Formula(u"B1", u"");
  plain->ReadValue(5);
  auto* withFormula = Formula(u"B2", u"");
  withFormula->ReadValue(42);
  withFormula->ReadFormula(u"=A1*2");
  auto* error =
      static_cast<TExportCellBoolean*>(sheet->FindCreateCell(1, 2, TCellClass::Boolean, true));
  error->SetErrorValue(0x2A);
  error->ReadFormula(u"=NA()");
  for (TExportCellCustomNumber* cell : {static_cast<TExportCellCustomNumber*>(plain),
                                        static_cast<TExportCellCustomNumber*>(withFormula),
                                        static_cast<TExportCellCustomNumber*>(error)}) {
    cell->SetFormula(u"=A1>2");
    EXPECT_EQ(cell->GetValueText(), u"0");  // nothing stale before it calculates
    cell->Calculate();
    EXPECT_EQ(cell->GetValueText(), u"1");
  }
  plain->SetFormula(u"=2*3");
  auto* copy = Formula(u"C1", u"");
  copy->Assign(*plain);
  copy->Calculate();
  EXPECT_EQ(copy->GetValueText(), u"6");
}

TEST_F(FormulaTest, FormulasThatDoNotParseLeaveTheCellWithoutValue) {
  auto* cell = Formula(u"B1", u"=Sheet2!A1");
  cell->Calculate();
  EXPECT_FALSE(cell->HasValue);
  EXPECT_EQ(cell->GetRPNFormula(), nullptr);
  EXPECT_EQ(cell->FormulaError(), TRPNError::None);
  EXPECT_EQ(cell->GetDisplayText(), u"");
}

TEST_F(FormulaTest, ErrorResultsShowAsSpreadsheetErrors) {
  auto* number = Formula(u"A1", u"=1/0");
  number->Calculate();
  EXPECT_EQ(number->FormulaError(), TRPNError::DivZero);
  EXPECT_EQ(number->GetDisplayText(), u"#DIV/0!");
  EXPECT_EQ(number->GetValueText(), u"");  // no amount
  auto* date = static_cast<TExportCellDateTime*>(At(u"A4", TCellClass::DateTime));
  date->SetFormatCode(u"yyyy-mm-dd", false);
  date->SetFormula(u"=DATE(2023,3,15)+1");
  date->Calculate();
  EXPECT_EQ(date->GetValueText(), u"2023-03-16");
  date->SetFormula(u"=DATE(2023,2,30)");
  date->Calculate();
  EXPECT_EQ(date->GetDisplayText(), u"#NUM!");
  EXPECT_EQ(date->GetValueText(), u"");
  auto* flag = static_cast<TExportCellBoolean*>(At(u"A5", TCellClass::Boolean));
  flag->SetFormula(u"=A1>0");  // the error spreads from A1
  flag->Calculate();
  EXPECT_EQ(flag->GetDisplayText(), u"#DIV/0!");
  EXPECT_EQ(flag->GetValueText(), u"");

  // Setting a value clears the error.
  number->SetValue(2);
  EXPECT_EQ(number->FormulaError(), TRPNError::None);
  EXPECT_EQ(number->GetValueText(), u"2");
}

TEST_F(FormulaTest, CellsWithoutFormulaGainNoExtras) {
  auto* plain = Number(u"A1", 1);
  plain->SetFormula(u"");
  plain->Calculate();
  EXPECT_EQ(plain->PeekRPNFormula(), nullptr);
  EXPECT_FALSE(plain->HasFormula());
}

}  // namespace
}  // namespace workbook::test
