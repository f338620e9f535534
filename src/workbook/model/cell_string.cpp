#include "workbook/model/cell_string.h"

#include <vector>

#include "workbook/model/cell_number.h"
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
  ValueChanged(value_.View().find(u"\r\n") != std::u16string_view::npos);
}

void TExportCellString::SetValueShared(const TPackedText& text) {
  SetValueShared(text, text.View().find(u"\r\n") != std::u16string_view::npos);
}

void TExportCellString::SetValueShared(const TPackedText& text, bool hasLineBreak) {
  if (ExtrasIfAny() && ExtrasIfAny()->RichTextTags) Extras().RichTextTags.reset();
  value_ = text;
  ValueChanged(hasLineBreak);
}

void TExportCellString::ValueChanged(bool hasLineBreak) {
  if (hasLineBreak) SetWrapText(true);
  if (value_.size() > kInlineStringLimit) sharedString_ = true;
}

void TExportCellString::SetSharedString(bool flag) {
  sharedString_ = flag || value_.size() > kInlineStringLimit;
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

void TExportCellString::ReadXLSText(std::u16string_view text,
                                    std::span<const std::uint8_t> runBuffer) {
  // Where each character of the file's text lands once lone CR and LF became CR LF.
  std::u16string normal;
  std::vector<std::int32_t> moved(text.size() + 1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    moved[i] = static_cast<std::int32_t>(normal.size());
    char16_t c = text[i];
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      normal += u"\r\n";
      moved[++i] = static_cast<std::int32_t>(normal.size()) - 1;
    } else if (c == u'\r' || c == u'\n') {
      normal += u"\r\n";
    } else {
      normal += c;
    }
  }
  moved[text.size()] = static_cast<std::int32_t>(normal.size());
  SetValueEx(normal, true);
  if (runBuffer.size() < 4) return;
  TStringRichTextTags& tags = GetRichTextTags();
  tags.ReadXLSRuns(runBuffer);
  for (std::int32_t i = 0; i < tags.Count(); ++i) {
    std::int32_t& position = tags.GetTag(i)->Position;
    if (position - 1 < static_cast<std::int32_t>(moved.size())) position = moved[position - 1] + 1;
  }
}

const std::u16string& TExportCellString::GetHyperlink() const {
  const TExportCellExtras* extras = ExtrasIfAny();
  return extras ? extras->Hyperlink : kNoLink;
}

void TExportCellString::SetHyperlink(const std::u16string& target) {
  if (target.empty() && !ExtrasIfAny()) return;
  Extras().Hyperlink = target;
}

void TExportCellString::AssignTo(TPersistent& dest) const {
  if (auto* text = dynamic_cast<TExportCellString*>(&dest)) {
    text->SetValue(GetValueText());
    text->SetSharedString(sharedString_);
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
