// A cell keeps its style, its format code and its extras behind one word: each must stay as set
// whatever order the others come and go in, and copies take all three.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "model_fixture.h"
#include "workbook/model/cell_number.h"

namespace workbook {
namespace {

class CellLookTest : public test::SheetTest {};

// What the steps should leave: the style's indent (-1: no style), the code and the span.
struct TExpected {
  int indent = -1;
  std::u16string code;
  int span = 1;
};

TEST_F(CellLookTest, StyleCodeAndExtrasSurviveEachOtherInEveryOrder) {
  // S: a style with an indent, C: a format code, E: extras (a span), D: the style dropped,
  // N: the code cleared.
  std::array<char, 5> steps = {'C', 'D', 'E', 'N', 'S'};
  int row = 0;
  do {
    const std::string order(steps.begin(), steps.end());
    SCOPED_TRACE(order);
    TExportCell* cell = sheet->GetRow(row++)->AddCell(TCellClass::Number);
    TExpected expected;
    int indent = 0;
    for (const char step : order) {
      switch (step) {
        case 'S':
          cell->GetStyle().SetIndent(++indent);
          expected.indent = indent;
          break;
        case 'C':
          cell->SetFormatCode(u"0.000", false);
          expected.code = u"0.000";
          break;
        case 'E':
          cell->SetColSpan(2);
          expected.span = 2;
          break;
        case 'D':
          cell->UseSheetDefaultStyle();
          expected.indent = -1;
          break;
        case 'N':
          cell->SetFormatCode(u"", false);
          expected.code.clear();
          break;
      }
      ASSERT_EQ(cell->HasStyle(), expected.indent >= 0) << step;
      if (expected.indent >= 0) {
        ASSERT_EQ(cell->StyleIfAny()->GetIndent(), expected.indent) << step;
      }
      ASSERT_EQ(cell->FormatCode(), expected.code) << step;
      ASSERT_EQ(cell->ColSpan(), expected.span) << step;
    }
  } while (std::next_permutation(steps.begin(), steps.end()));
}

TEST_F(CellLookTest, CopiesTakeStyleCodeAndExtrasInEachCombination) {
  for (int combination = 0; combination < 8; ++combination) {
    SCOPED_TRACE(combination);
    TExportRow* row = sheet->GetRow(combination);
    TExportCell* source = row->AddCell(TCellClass::Number);
    const bool styled = combination & 1, coded = combination & 2, spanned = combination & 4;
    if (styled) source->GetStyle().SetIndent(3);
    if (coded) source->SetFormatCode(u"0.0%", false);
    if (spanned) source->SetRowSpan(4);
    TExportCell* copy = row->AddCell(TCellClass::Number);
    copy->GetStyle().SetIndent(1);  // replaced, or dropped when the source has none
    copy->Assign(*source);
    for (const TExportCell* cell : {source, copy->Transform(TCellClass::Currency)}) {
      EXPECT_EQ(cell->HasStyle(), styled);
      if (styled) EXPECT_EQ(cell->StyleIfAny()->GetIndent(), 3);
      EXPECT_EQ(cell->FormatCode(), coded ? u"0.0%" : u"");
      EXPECT_EQ(cell->RowSpan(), spanned ? 4 : 1);
    }
  }
}

}  // namespace
}  // namespace workbook
