#include "workbook/model/cell_string.h"

#include <vector>

#include "workbook/model/cell_number.h"
#include "workbook/model/load_budget.h"
#include "workbook/model/rich_text.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

constexpr std::size_t kInlineStringLimit = 255;
const std::u16string kNoLink;

}  // namespace

void TExportCellString::DoCreate() {
  if (TExportWorkSheet* sheet = GetWorkSheet()) SetSharedString(sheet->DefaultStringShared);
}

void TExportCellString::ApplyWorkSheetDefaults(TExportWorkSheet& sheet, TExportCellStyle& style) {
  TExportCell::ApplyWorkSheetDefaults(sheet, style);
  if (sheet.DefaultStringAlignment != 0) style.SetAlignment(sheet.DefaultStringAlignment);
}

void TExportCellString::SetValueEx(const std::u16string& text, bool clearRichText) {
  if (clearRichText && ExtrasIfAny() && ExtrasIfAny()->RichTextTags) Extras().RichTextTags.reset();
  value_.Assign(text);
  ValueChanged();
}

void TExportCellString::SetValueShared(const TPackedText& text) {
  if (ExtrasIfAny() && ExtrasIfAny()->RichTextTags) Extras().RichTextTags.reset();
  value_ = text;
  ValueChanged();
}

void TExportCellString::ValueChanged() {
  if (value_.HasCRLF()) SetWrapText(true);
  if (value_.size() > kInlineStringLimit) StoreSharedString(true);
}

void TExportCellString::SetSharedString(bool flag) {
  StoreSharedString(flag || value_.size() > kInlineStringLimit);
}

TStringRichTextTags& TExportCellString::GetRichTextTags() {
  auto& tags = Extras().RichTextTags;
  if (!tags) tags = std::make_unique<TStringRichTextTags>(this);
  return *tags;
}

bool TExportCellString::HasRichText() const {
  const TExportCellExtras* extras = ExtrasIfAny();
  return extras && extras->RichTextTags && extras->RichTextTags->Count() > 0;
}

const std::u16string& TExportCellString::GetHyperlink() const {
  const TExportCellExtras* extras = ExtrasIfAny();
  return extras ? extras->Hyperlink : kNoLink;
}

void TExportCellString::SetHyperlink(const std::u16string& target) {
  if (target.empty() && !ExtrasIfAny()) return;
  // Each cell holds its own copy, and a file may name one long target from any number of links.
  TWorkbookLoadBudget::ChargeTextBytes(static_cast<std::int64_t>(target.size() * sizeof(char16_t)));
  Extras().Hyperlink = target;
}

void TExportCellString::AssignTo(TPersistent& dest) const {
  if (auto* text = dynamic_cast<TExportCellString*>(&dest)) {
    text->SetValueShared(value_);
    text->SetSharedString(SharedString());
    text->SetHyperlink(GetHyperlink());
    if (HasRichText())
      text->GetRichTextTags().Assign(*ExtrasIfAny()->RichTextTags);
    else if (text->HasRichText())
      text->Extras().RichTextTags.reset();
  } else if (auto* number = dynamic_cast<TExportCellCustomNumber*>(&dest)) {
    number->SetValueText(GetValueText());
  }
  TExportCell::AssignTo(dest);
}

}  // namespace workbook
