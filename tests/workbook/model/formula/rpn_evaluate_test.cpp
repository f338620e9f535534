// Evaluation: every function with edge cases, references into the sheet, defined names, errors
// and how they spread, circular references and long chains of formula cells.
#include <gtest/gtest.h>

#include <cmath>

#include "formula_fixture.h"
#include "workbook/model/cell_boolean.h"

namespace workbook::test {
namespace {

struct FunctionCase {
  const char16_t* Text;
  double Expected;
  TRPNError Error = TRPNError::None;
};

class FunctionTest : public FormulaTest, public ::testing::WithParamInterface<FunctionCase> {};

TEST_P(FunctionTest, GivesTheHandComputedValue) {
  const TRPNValue value = Eval(GetParam().Text);
  EXPECT_EQ(value.Error, GetParam().Error);
  EXPECT_NEAR(value.Value, GetParam().Expected, 1e-12);
}

constexpr TRPNError kNum = TRPNError::Num;
constexpr TRPNError kDiv = TRPNError::DivZero;
constexpr TRPNError kValue = TRPNError::Value;

// Functions that only pass their argument to the C library are checked at their domain edges.
INSTANTIATE_TEST_SUITE_P(
    Functions, FunctionTest,
    ::testing::Values(
        // The formula cell is Z100: column 26, row 100 as a spreadsheet numbers them.
        FunctionCase{u"=ROW()", 100}, FunctionCase{u"=COLUMN()", 26},
        FunctionCase{u"=ATAN(1)*4", M_PI}, FunctionCase{u"=SQRT(-1)", 0, kNum},
        FunctionCase{u"=EXP(1000)", 0, kNum}, FunctionCase{u"=LN(0)", 0, kNum},
        FunctionCase{u"=LOG10(0)", 0, kNum}, FunctionCase{u"=INT(-1.5)", -1},
        FunctionCase{u"=SIGN(0)", 0}, FunctionCase{u"=ROUND(2.5,0)", 2},
        FunctionCase{u"=ROUND(3.5,0)", 4}, FunctionCase{u"=ROUND(1250,-2)", 1200},
        FunctionCase{u"=ROUND(1.25,0.5)", 1},  // 0.5 digits round (half to even) to 0
        FunctionCase{u"=ROUND(5,400)", 5}, FunctionCase{u"=ROUNDUP(1.21,1)", 1.3},
        FunctionCase{u"=ROUNDDOWN(-1.5,0)", -2},
        FunctionCase{u"=ROUNDUP(3000000000.5,0)", 3000000001},  // beyond 32 bits
        FunctionCase{u"=DATE(2023,3,15)", 45000}, FunctionCase{u"=DATE(1899,12,30)", 0},
        FunctionCase{u"=DATE(2023,2,29)", 0, kNum}, FunctionCase{u"=DATE(1E300,1,1)", 0, kNum},
        FunctionCase{u"=TIME(6,30,0)", 0.2708333333333333}, FunctionCase{u"=TIME(24,0,0)", 0, kNum},
        FunctionCase{u"=DAY(45000.75)", 15}, FunctionCase{u"=WEEKDAY(45000)", 3},  // a Wednesday
        FunctionCase{u"=WEEKDAY(-1.25)", 5}, FunctionCase{u"=HOUR(45000.75)", 18},
        FunctionCase{u"=MINUTE(0.2708333333333333)", 30}, FunctionCase{u"=SECOND(TIME(1,2,3))", 3},
        FunctionCase{u"=YEAR(1E9)", 0, kNum}, FunctionCase{u"=TIMEVALUE(45000.75)", 0.75},
        FunctionCase{u"=ATANH(1)", 0, kNum}, FunctionCase{u"=NOT(2)", 0},
        FunctionCase{u"=NOT(1E-13)", 1}, FunctionCase{u"=SUM()", 0},
        FunctionCase{u"=AVERAGE(1,2,6)", 3}, FunctionCase{u"=AVERAGE()", 0},
        FunctionCase{u"=MIN(3,-1,2)", -1}, FunctionCase{u"=TRUNC(-2.7)", -2},
        FunctionCase{u"=TRUNC(2.789,2)", 2.78}, FunctionCase{u"=TRUNC(1,2,3)", 0},
        FunctionCase{u"=AND()", 0}, FunctionCase{u"=OR(0,3)", 1},
        FunctionCase{u"=SUM(MAX(1,5),MIN(2,3))*2", 14}, FunctionCase{u"=5/0", 0, kDiv},
        FunctionCase{u"=5/1E-13", 0, kDiv}, FunctionCase{u"=0^-1", 0, kDiv},
        FunctionCase{u"=0^0", 1}, FunctionCase{u"=(-8)^(1/3)", 0, kNum},
        FunctionCase{u"=1E200*1E200", 0, kNum},
        FunctionCase{u"=1+5/0", 0, kDiv},            // spreads through operators
        FunctionCase{u"=SUM(1,SQRT(-1))", 0, kNum},  // and functions
        FunctionCase{u"=LN(0)+5/0", 0, kNum},        // the left operand's error first
        FunctionCase{u"=1+", 0, kValue},             // parses, but lacks an operand
        FunctionCase{u"=ROUND(1,2)*", 0, kValue}));

TEST_F(FormulaTest, ReadsCellsAndRanges) {
  Number(u"A1", 1);
  Number(u"A2", 2);
  At(u"A3", TCellClass::String)->SetValueText(u"text");
  EXPECT_DOUBLE_EQ(Eval(u"=SUM(A1:A3,5)").Value, 8);
  EXPECT_DOUBLE_EQ(Eval(u"=AVERAGE(B1:B2)").Value, 0);  // two cells that do not exist
  EXPECT_DOUBLE_EQ(Eval(u"=A3+A1").Value, 1);           // text counts as 0
  EXPECT_DOUBLE_EQ(Eval(u"=A1:A1*10").Value, 10);       // a one-cell range is its cell
  EXPECT_DOUBLE_EQ(Eval(u"=A1:A2*10").Value, 0);        // a wider range has no value
  EXPECT_DOUBLE_EQ(Eval(u"=MAX(A1:XFD1048576)").Value, 2);
  EXPECT_EQ(sheet->Rows.Count(), 100);  // evaluation creates no rows or cells
  // Ranges count number-like cells row by row: a boolean as 1, an empty cell not at all.
  Number(u"C1", 10);
  static_cast<TExportCellBoolean*>(At(u"B2", TCellClass::Boolean))->SetBoolean(true);
  Number(u"C2", 4);
  At(u"B1", TCellClass::Empty);
  EXPECT_DOUBLE_EQ(Eval(u"=SUM(B1:C2)").Value, 15);
  EXPECT_DOUBLE_EQ(Eval(u"=AVERAGE(B1:C2)").Value, 5);
  EXPECT_DOUBLE_EQ(Eval(u"=AND(B1:C2)").Value, 1);
}

TEST_F(FormulaTest, FormulaCellsAreCalculatedFirst) {
  Number(u"A1", 2);
  Formula(u"A2", u"=A1*10");
  auto* top = Formula(u"A3", u"=A2+1");
  EXPECT_DOUBLE_EQ(Eval(u"=A3").Value, 21);
  EXPECT_DOUBLE_EQ(top->Value, 21);
}

TEST_F(FormulaTest, CircularReferencesGiveRefErrors) {
  auto* a = Formula(u"A1", u"=B1+1");
  auto* b = Formula(u"B1", u"=A1+1");
  auto* self = Formula(u"C1", u"=C1*2");
  a->Calculate();
  self->Calculate();
  EXPECT_EQ(a->FormulaError(), TRPNError::Ref);
  EXPECT_EQ(b->FormulaError(), TRPNError::Ref);
  EXPECT_EQ(self->FormulaError(), TRPNError::Ref);
  // Mending the cycle and recalculating clears the error.
  b->SetFormula(u"=5");
  a->SetFormula(u"=B1+1");
  a->Calculate();
  EXPECT_EQ(a->FormulaError(), TRPNError::None);
  EXPECT_DOUBLE_EQ(a->Value, 6);
}

TEST_F(FormulaTest, LongChainsStopAtTheDepthLimitWithoutOverflow) {
  // A1 holds 1, every cell below adds 1 to the one above it.
  Number(u"A1", 1);
  const int length = 5000;
  for (int r = 1; r < length; ++r)
    Formula(MakeCellRangeRef(0, r), u"=" + MakeCellRangeRef(0, r - 1) + u"+1");
  TExportCell* last = sheet->Rows[length - 1]->Cells[0];
  last->Calculate();
  EXPECT_EQ(last->FormulaError(), TRPNError::Ref);
  // Calculated from the top down each step is shallow, so the whole chain gets its values.
  for (int r = 1; r < length; ++r) {
    auto* cell = static_cast<TExportCellNumber*>(sheet->Rows[r]->Cells[0]);
    cell->SetFormula(cell->GetFormula());
    cell->Calculate();
  }
  auto* end = static_cast<TExportCellNumber*>(last);
  EXPECT_EQ(end->FormulaError(), TRPNError::None);
  EXPECT_DOUBLE_EQ(end->Value, length);
}

TEST_F(FormulaTest, DefinedNamesGiveTheirRanges) {
  Number(u"A1", 3);
  Number(u"A2", 4);
  names_.Ranges[u"Pair"] = TRPNRange{0, 0, 1, 2};
  names_.Ranges[u"One"] = TRPNRange{0, 1, 1, 1};
  EXPECT_DOUBLE_EQ(Eval(u"=SUM(Pair)").Value, 7);
  EXPECT_DOUBLE_EQ(Eval(u"=One*2").Value, 8);
  EXPECT_DOUBLE_EQ(Eval(u"=Missing+1").Value, 1);  // an undefined name counts as 0
  // A name may point into another sheet.
  TExportWorkSheet* other = book->AddWorkSheet(u"T");
  static_cast<TExportCellNumber*>(other->FindCreateCell(1, 1, TCellClass::Number, true))
      ->SetValue(9);
  TRPNRange there{1, 1, 1, 1};
  there.WorkSheet = other;
  names_.Ranges[u"There"] = there;
  EXPECT_DOUBLE_EQ(Eval(u"=There+SUM(There)").Value, 18);
}

TEST_F(FormulaTest, FreeFormulasWithoutCellOrSheet) {
  TRPNFormula formula;
  formula.Parse(u"=5/0");
  EXPECT_EQ(formula.Calculate(), 0.0);  // errors calculate as 0
  formula.Parse(u"=A1+ROW()+2");
  EXPECT_DOUBLE_EQ(formula.Calculate(), 2);
  formula.SetWorkSheet(sheet);
  Number(u"A1", 5);
  EXPECT_DOUBLE_EQ(formula.Calculate(), 7);
}

}  // namespace
}  // namespace workbook::test
