#pragma once
// A workbook with one sheet for formula tests, helpers to put numbers, texts and formulas
// into its cells, and a small defined-name list.
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "../model_fixture.h"
#include "workbook/core/cell_refs.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/formula/rpn_formula.h"
#include "workbook/model/worksheet.h"

namespace workbook::test {

class TestNames : public IRPNNameSource {
 public:
  std::map<std::u16string, TRPNRange> Ranges;  // listed in key order, positions from 1

  bool FindName(std::u16string_view name, TRPNRange& range) const override {
    auto it = Ranges.find(std::u16string(name));
    if (it == Ranges.end()) return false;
    range = it->second;
    return true;
  }
  int NamePosition(std::u16string_view name) const override {
    const auto it = Ranges.find(std::u16string(name));
    return it == Ranges.end() ? 0 : static_cast<int>(std::distance(Ranges.begin(), it)) + 1;
  }
  bool NameAtPosition(int position, std::u16string& name) const override {
    if (position < 1 || position > static_cast<int>(Ranges.size())) return false;
    name = std::next(Ranges.begin(), position - 1)->first;
    return true;
  }
};

class FormulaTest : public SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    book->FormulaNames = &names_;
  }

  TExportCell* At(const std::u16string& ref, TCellClass cellClass) {
    int col = 0, row = 0;
    EXPECT_TRUE(ParseCellRefColRow(ref, col, row)) << "bad test reference";
    return sheet->FindCreateCell(col, row, cellClass, true);
  }
  TExportCellNumber* Number(const std::u16string& ref, double value) {
    auto* cell = static_cast<TExportCellNumber*>(At(ref, TCellClass::Number));
    cell->SetValue(value);
    return cell;
  }
  TExportCellNumber* Formula(const std::u16string& ref, const std::u16string& formula) {
    auto* cell = static_cast<TExportCellNumber*>(At(ref, TCellClass::Number));
    cell->SetFormula(formula);
    return cell;
  }
  // Evaluates Text as the formula of cell Z100 (or a free formula when the test needs no cells).
  TRPNValue Eval(const std::u16string& text) {
    TRPNFormula formula(At(u"Z100", TCellClass::Number));
    formula.Parse(text);
    return formula.Evaluate();
  }

  TestNames names_;
};

}  // namespace workbook::test
