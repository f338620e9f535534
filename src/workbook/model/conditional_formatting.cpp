#include "workbook/model/conditional_formatting.h"

#include "workbook/model/cell.h"

namespace workbook {

namespace {

std::u16string Num(long long value) {
  const std::string s = std::to_string(value);
  return std::u16string(s.begin(), s.end());
}

// No colour has a text of its own: written as black it would share a format with black.
std::u16string ColorKey(TColor color) {
  return color == clNone ? std::u16string() : u"#" + ColorToARGBHex(color, false);
}

}  // namespace

TExportConditionalFormattingRule* TExportConditionalFormattingRule::AddRule(
    TOwnedList& list, std::uint8_t op, const std::u16string& formula1,
    const std::u16string& formula2) {
  auto* rule = TOwnedListObject::CreateOwned<TExportConditionalFormattingRule>(list);
  rule->Operator = op;
  rule->Formula1 = formula1;
  rule->Formula2 = formula2;
  return rule;
}

void TExportConditionalFormattingRule::AssignFormat(TColor fontColor,
                                                    const TExportFontStyle& fontStyle,
                                                    TColor fillColor) {
  FontColor = fontColor;
  FontStyle.Assign(fontStyle);
  FillColor = fillColor;
}

std::u16string TExportConditionalFormattingRule::GetKeyString() const {
  return ColorKey(FontColor) + u";" + FontStyle.GetKeyString() + u";" + ColorKey(FillColor) + u";";
}

std::u16string TExportConditionalFormattingRule::GetIdentityKeyString() const {
  return Num(Operator) + u";" + Formula1 + u";" + Formula2 + u";" + ColorKey(FontColor) + u";" +
         FontStyle.GetKeyString() + u";" + ColorKey(FillColor) + u";";
}

void TExportConditionalFormattingRule::AssignTo(TPersistent& dest) const {
  if (auto* rule = dynamic_cast<TExportConditionalFormattingRule*>(&dest)) {
    rule->Operator = Operator;
    rule->Formula1 = Formula1;
    rule->Formula2 = Formula2;
    rule->AssignFormat(FontColor, FontStyle, FillColor);
    return;
  }
  TOwnedListObject::AssignTo(dest);
}

std::unique_ptr<TOwnedListObject> TExportConditionalFormattingRule::NewInstance() const {
  return std::make_unique<TExportConditionalFormattingRule>();
}

TExportCell* TExportConditionalFormatting::GetCell() const {
  return dynamic_cast<TExportCell*>(owner_);
}

std::u16string TExportConditionalFormatting::GetKeyString() const {
  std::u16string key;
  for (int i = 0; i < Count(); ++i)
    key += Num(i) + u":" + GetRule(i)->GetIdentityKeyString() + u";";
  return key;
}

void TExportConditionalFormatting::AssignTo(TPersistent& dest) const {
  if (auto* target = dynamic_cast<TExportConditionalFormatting*>(&dest)) {
    target->Rules.Assign(Rules);
    return;
  }
  TPersistent::AssignTo(dest);
}

}  // namespace workbook
