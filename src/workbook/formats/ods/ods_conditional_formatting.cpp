// OpenDocument style:map forms of cell-value rules and their "Conditional" styles.
#include <array>

#include "platform/text_codec.h"
#include "workbook/core/formula_text.h"
#include "workbook/core/sheet_refs.h"
#include "workbook/formats/ods/ods_conditional_formatting.h"
#include "workbook/formats/ods/ods_conditional_styles.h"

namespace workbook {

namespace {

constexpr std::array<const char16_t*, kCondFormatOperatorCount> kODSOperators = {
    u"=",
    u"!=",
    u">",
    u"<",
    u">=",
    u"<=",
    u"cell-content-is-between",
    u"cell-content-is-not-between"};

std::u16string Num(long long value) {
  const std::string s = std::to_string(value);
  return std::u16string(s.begin(), s.end());
}

}  // namespace

std::unique_ptr<TOwnedListObject> TExportConditionalFormattingRule_ODS::NewInstance() const {
  return std::make_unique<TExportConditionalFormattingRule_ODS>();
}

void TExportConditionalFormattingRule_ODS::WriteODS(
    const TXmlNode& styleNode, TExporterODS_ConditionalFormattingStyles& registry) const {
  const std::uint8_t op =
      Operator < kCondFormatOperatorCount ? Operator : static_cast<std::uint8_t>(cfoEqual);
  std::u16string condition;
  if (IsRangeOperator(op))
    condition = std::u16string(kODSOperators[op]) + u"(" + FormulaToODS(Formula1, false) + u"," +
                FormulaToODS(Formula2, false) + u")";
  else
    condition =
        u"cell-content()" + std::u16string(kODSOperators[op]) + FormulaToODS(Formula1, false);
  const TXmlNode map = styleNode.AddChild("style:map");
  map.SetAttr("style:condition", condition);
  map.SetAttr("style:apply-style-name", u"Conditional" + Num(registry.AddStyle(*this)));
  map.SetAttr("style:base-cell-address",
              MakeODSRangeRef(platform::Utf8ToUtf16(SheetName), Col, Row));
}

void TExportConditionalFormatting::WriteODS(
    const TXmlNode& styleNode, TExporterODS_ConditionalFormattingStyles& registry) const {
  for (int i = Count() - 1; i >= 0; --i) GetRule(i)->WriteODS(styleNode, registry);
}

void TExportConditionalFormattingRule::WriteODSStyle(const TXmlNode& stylesNode, int index) const {
  const TXmlNode style = stylesNode.AddChild("style:style");
  style.SetAttr("style:name", u"Conditional" + Num(index));
  style.SetAttr("style:family", "table-cell");
  style.SetAttr("style:parent-style-name", "Default");
  if (FillColor != clNone)
    style.AddChild("style:table-cell-properties")
        .SetAttr("fo:background-color", u"#" + ColorToARGBHex(FillColor, false));
  if (FontColor != clNone || !FontStyle.IsEmpty()) {
    const TXmlNode text = style.AddChild("style:text-properties");
    if (FontColor != clNone) text.SetAttr("fo:color", u"#" + ColorToARGBHex(FontColor, false));
    FontStyle.WriteODS(text, false);
  }
}

int TExporterODS_ConditionalFormattingStyles::AddStyle(
    const TExportConditionalFormattingRule& rule) {
  bool isNew = false;
  const int index = keys_.Add(rule.GetKeyString(), isNew);
  if (isNew) formats_.push_back({rule.FontColor, rule.FontStyle, rule.FillColor});
  return index;
}

void TExporterODS_ConditionalFormattingStyles::WriteODS(const TXmlNode& officeStyles) const {
  TExportConditionalFormattingRule format;
  for (int i = 0; i < Count(); ++i) {
    format.AssignFormat(formats_[i].FontColor, formats_[i].FontStyle, formats_[i].FillColor);
    format.WriteODSStyle(officeStyles, i);
  }
}

}  // namespace workbook
