// Formula text: tokenizing, operator precedence, references, rendering back and malformed texts.
#include <gtest/gtest.h>

#include "formula_fixture.h"
#include "support/thrown.h"

namespace workbook::test {
namespace {

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

TEST_F(FormulaTest, EvaluatesOperatorsAsHandComputed) {
  // Unary minus binds tighter than "^"; "^" and comparisons are left-associative; equality holds
  // within the tolerance; the "=" is optional.
  const std::pair<std::u16string, double> cases[] = {
      {u"=1+2*3", 7},   {u"=(1+2)*3", 9},      {u"=-2^2", 4},   {u"=2^3^2", 64},
      {u"=10%*2", 0.2}, {u"=50%%", 0.005},     {u"=8-3-2", 3},  {u"=8/4/2", 1},
      {u"=2^-1", 0.5},  {u"=+-+3", -3},        {u"=1+2=3", 1},  {u"=1+2<>3", 0},
      {u"=3<3", 0},     {u"=3<=3", 1},         {u"=3>=4", 0},   {u"=4>3", 1},
      {u"=1<2=1", 1},   {u"=0.1+0.2=0.3", 1},  {u"=1=-1", 0},   {u"=  1 +  2 ", 3},
      {u"1+1", 2},      {u"=1.5E-5*1E5", 1.5}, {u"=1e+2", 100}, {u"=.5*4", 2}};
  for (auto [text, expected] : cases) {
    const TRPNValue value = Eval(text);
    EXPECT_EQ(value.Error, TRPNError::None) << Narrow(text);
    EXPECT_DOUBLE_EQ(value.Value, expected) << Narrow(text);
  }
}

TEST_F(FormulaTest, RendersTheParsedFormulaWithTheCornersInOrder) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"=$C$5+d7:$E9*2", u"$C$5+D7:$E9*2"},
      {u"=round( a1 , 2 )", u"ROUND(A1,2)"},
      {u"=SUM($A1:B$2,C3)", u"SUM($A1:B$2,C3)"},
      {u"=B2:A1", u"A1:B2"},
      // each "$" follows its column or row
      {u"=$B$2:A1", u"A1:$B$2"},
      {u"=SUM(B$1:$A2)", u"SUM($A$1:B2)"},
      {u"=-A1%", u"-A1%"},
      {u"=SUM((1+2),MAX(A1,B1,C1))", u"SUM((1+2),MAX(A1,B1,C1))"},
      {u"=TRUNC(A1,1)+TRUNC(B1)", u"TRUNC(A1,1)+TRUNC(B1)"}};
  for (auto [text, rendered] : cases) {
    TRPNFormula formula;
    ASSERT_TRUE(formula.ParseFormula(text)) << Narrow(text);
    EXPECT_EQ(formula.GetFormulaText(), rendered);
  }
}

TEST_F(FormulaTest, CountsVariableArgumentsOncePerArgument) {
  // The argument counts of the variable-argument functions in token order.
  const std::pair<const char16_t*, std::vector<int>> cases[] = {
      {u"=SUM()", {0}},
      {u"=SUM(ROUND(1,2),3)", {2}},     // ROUND keeps its own two arguments
      {u"=SUM(MAX(1,2,3),4)", {3, 2}},  // the inner one closes first
      {u"=AVERAGE(1,SUM(2,3)+4,5)", {2, 3}},
  };
  for (const auto& [text, expected] : cases) {
    TRPNFormula formula;
    ASSERT_TRUE(formula.ParseFormula(text));
    std::vector<int> counts;
    for (int i = 0; i < formula.Count(); ++i)
      if (formula.GetToken(i).Kind() == TRPNTokenKind::VarFunction)
        counts.push_back(
            static_cast<const TRPNFormulaTokenVarFunction&>(formula.GetToken(i)).ArgCount);
    EXPECT_EQ(counts, expected) << Narrow(text);
  }
}

TEST_F(FormulaTest, MalformedTextsFailWithAClearMessageAndNoTokens) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"  ", u"Invalid formula \"  \": the formula is empty."},
      {u"=\"abc\"", u"Invalid formula \"=\"abc\"\": unknown item \"\"abc\"\" at position 2."},
      {u"=IF(A1,1,2)", u"Invalid formula \"=IF(A1,1,2)\": unknown item \"IF\" at position 2."},
      {u"=1,2", u"Invalid formula \"=1,2\": the comma \",\" at position 3 is outside parentheses."},
      {u"=(1+2", u"Invalid formula \"=(1+2\": a \")\" is missing at the end."},
      {u"=1+2)", u"Invalid formula \"=1+2)\": no \"(\" matches \")\" at position 5."},
      {u"=ROUND(1)", u"Invalid formula \"=ROUND(1)\": ROUND takes 2 arguments, not 1."},
      {u"=PI(1)", u"Invalid formula \"=PI(1)\": PI takes 0 arguments, not 1."}};
  for (auto [text, message] : cases) {
    TRPNFormula formula;
    ASSERT_TRUE(formula.ParseFormula(u"=1+2"));
    EXPECT_EQ(test_support::Thrown<ERPNFormulaException>([&] { formula.Parse(text); }),
              Narrow(message));
    EXPECT_EQ(formula.Count(), 0);
    EXPECT_FALSE(formula.ParseFormula(text));
    EXPECT_EQ(formula.GetFormulaText(), u"");
  }
}

TEST_F(FormulaTest, RejectsOverlongTexts) {
  TRPNFormula formula;
  std::u16string text = u"=1";
  while (text.size() <= 8192) text += u"+1";
  EXPECT_FALSE(formula.ParseFormula(text));
  // Deep nesting within the bound parses and renders without recursion.
  std::u16string nested(4000, u'(');
  nested += u"1" + std::u16string(4000, u')');
  ASSERT_TRUE(formula.ParseFormula(nested));
  EXPECT_EQ(formula.GetFormulaText(), nested);
  EXPECT_DOUBLE_EQ(formula.Calculate(), 1);
}

TEST_F(FormulaTest, OperatorLookupRaisesForNonOperators) {
  EXPECT_EQ(test_support::Thrown<EWorkbookException>([] { StrToRPNOperator(u"&", false); }),
            "StrToRPNOperator: invalid string \"&\".");
}

}  // namespace
}  // namespace workbook::test
