#include "workbook/formats/cond_format_spread.h"

#include <algorithm>
#include <string>

#include "workbook/core/formula_text.h"
#include "workbook/model/cell.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/worksheet.h"

namespace workbook {

void TCondFormatSpread::Apply(const std::vector<TCellRangeRef>& areas,
                              const TExportConditionalFormattingRules& rules, bool inFront) {
  const long long count = rules.Count();
  if (areas.empty() || count == 0) return;
  const int baseCol = areas.front().Col1;
  const int baseRow = areas.front().Row1;
  for (const TCellRangeRef& area : areas) {
    int lastRow = area.Row2;
    int lastCol = area.Col2;
    const long long cells = (static_cast<long long>(lastRow) - area.Row1 + 1) *
                            (static_cast<long long>(lastCol) - area.Col1 + 1);
    if (cells >= kLargeCondFormatArea) {
      // A large range (whole columns, the whole sheet) reaches only the sheet's content: it
      // would otherwise make a million cells per column.
      if (usedRows_ < 0) {
        usedRows_ = sheet_.Rows.Count();
        usedCols_ = sheet_.GetUsedColCount(true);
      }
      lastRow = std::min(lastRow, usedRows_ - 1);
      lastCol = std::min(lastCol, usedCols_ - 1);
      // Wholly beyond the content: walking its rows would cost time and give nothing.
      if (area.Row1 > lastRow || area.Col1 > lastCol) continue;
    }
    for (int row = area.Row1; row <= lastRow; ++row) {
      for (int col = area.Col1; col <= lastCol; ++col) {
        if (cellRules_ + count > kMaxCondFormatCellsPerSheet) return;
        cellRules_ += count;
        const auto moved = [&](const std::u16string& formula) {
          return formula.empty() || (col == baseCol && row == baseRow)
                     ? formula
                     : OffsetFormulaRefs(formula, col - baseCol, row - baseRow);
        };
        TExportConditionalFormattingRules& target =
            sheet_.FindCreateCell(col, row, TCellClass::Empty, false)
                ->GetConditionalFormatting()
                .Rules;
        for (int i = 0; i < rules.Count(); ++i) {
          const TExportConditionalFormattingRule& rule = *rules.GetItem(i);
          TExportConditionalFormattingRule::AddRule(target, rule.Operator, moved(rule.Formula1),
                                                    moved(rule.Formula2))
              ->AssignFormat(rule.FontColor, rule.FontStyle, rule.FillColor);
          if (inFront) target.Move(target.Count() - 1, i);
        }
      }
    }
  }
}

}  // namespace workbook
