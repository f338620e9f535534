// SpreadsheetML conditionalFormatting and cfRule forms of cell-value rules.
#include <algorithm>
#include <array>
#include <string>

#include "workbook/core/cell_refs.h"
#include "workbook/core/formula_text.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/formats/xlsx/xlsx_cond_form_styles.h"
#include "workbook/model/cell.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/limits.h"

namespace workbook {

namespace {

constexpr std::array<std::string_view, kCondFormatOperatorCount> kXLSXOperators = {
    "equal",           "notEqual", "greaterThan", "lessThan", "greaterThanOrEqual",
    "lessThanOrEqual", "between",  "notBetween"};

std::int64_t IntOf(std::string_view text, std::int64_t fallback) {
  return ISOStrToIntDef(std::u16string(text.begin(), text.end()), fallback);
}

// Whole numbers only: "1.5" is no dxf index.
bool StrictInt(std::string_view text, std::int64_t& value) {
  if (text.empty() || text.size() > 9) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

}  // namespace

void TExportConditionalFormattingRule::WriteXLSX(const TXmlNode& node,
                                                 IXLSXCondFormStyles& styles) const {
  const TXmlNode rule = node.AddChild("cfRule");
  rule.SetAttr("type", "cellIs");
  rule.SetAttr("dxfId", std::to_string(styles.AddStyle(FontColor, FontStyle, FillColor)));
  rule.SetAttr("priority", std::to_string(styles.NextPriority()));
  rule.SetAttr("stopIfTrue", "1");
  rule.SetAttr("operator", kXLSXOperators[Operator < kCondFormatOperatorCount ? Operator : 0]);
  rule.AddChild("formula").SetText(FormulaToXLSX(Formula1));
  if (IsRangeOperator(Operator)) rule.AddChild("formula").SetText(FormulaToXLSX(Formula2));
}

void TExportConditionalFormatting::WriteXLSX(const TXmlNode& node,
                                             IXLSXCondFormStyles& styles) const {
  const TExportCell* cell = GetCell();
  if (!cell || Count() == 0) return;
  node.SetAttr("sqref", MakeCellRangeRef(cell->GetColIndex(), cell->GetRowIndex(),
                                         cell->ColSpanWithin(kMaxSheetCols), false,
                                         cell->RowSpanWithin(kMaxSheetRows)));
  for (int i = Count() - 1; i >= 0; --i) GetRule(i)->WriteXLSX(node, styles);
}

void TExportConditionalFormatting::ReadXLSX(const TXmlNode& node,
                                            const IXLSXCondFormStyles& styles) {
  std::vector<TXmlNode> rules = node.Elements("cfRule");
  // The rule with the highest priority number is the first of the list.
  std::stable_sort(rules.begin(), rules.end(), [](const TXmlNode& a, const TXmlNode& b) {
    return IntOf(a.Attr("priority"), 0) > IntOf(b.Attr("priority"), 0);
  });
  for (const TXmlNode& rule : rules) {
    if (rule.Attr("type") != "cellIs") continue;
    const TXmlNode first = rule.FirstElement();
    const std::string_view op = rule.Attr("operator");
    std::int64_t dxf = -1;
    if (!first || op.empty() || !StrictInt(rule.Attr("dxfId"), dxf) || dxf >= styles.Count())
      continue;
    const std::u16string formula1 = first.Text16();
    const auto found = std::find(kXLSXOperators.begin(), kXLSXOperators.end(), op);
    if (formula1.empty() || found == kXLSXOperators.end()) continue;
    const TXmlNode second = first.NextElement();
    auto* added = TExportConditionalFormattingRule::AddRule(
        Rules, static_cast<std::uint8_t>(found - kXLSXOperators.begin()), formula1,
        second ? second.Text16() : std::u16string());
    TColor fontColor = clNone, fillColor = clNone;
    TExportFontStyle fontStyle;
    styles.GetStyle(static_cast<int>(dxf), fontColor, fontStyle, fillColor);
    added->AssignFormat(fontColor, fontStyle, fillColor);
  }
}

}  // namespace workbook
