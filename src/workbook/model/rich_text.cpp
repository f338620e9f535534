#include "workbook/model/rich_text.h"

#include <algorithm>
#include <stdexcept>

#include "workbook/core/invariant_texts.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/row.h"
#include "workbook/model/workbook.h"
#include "workbook/model/worksheet.h"

namespace workbook {

// --- TStringRichTextTag ---

TStringRichTextTag::TStringRichTextTag() { Font.SetSize(-1); }

std::unique_ptr<TOwnedListObject> TStringRichTextTag::NewInstance() const {
  return std::make_unique<TStringRichTextTag>();
}

void TStringRichTextTag::AssignTo(TPersistent& dest) const {
  auto* tag = dynamic_cast<TStringRichTextTag*>(&dest);
  if (!tag) return TOwnedListObject::AssignTo(dest);
  tag->Position = Position;
  tag->Font = Font;
}

void TStringRichTextTag::GetEffectiveFont(TExportFont& font) const {
  auto* tags = static_cast<TStringRichTextTags*>(OwnerList());
  TObject* owner = tags ? tags->Owner() : nullptr;
  font = TExportFont();
  if (auto* comment = dynamic_cast<TExportCellComment*>(owner)) {
    font = comment->Font;
  } else if (auto* cell = dynamic_cast<TExportCell*>(owner)) {
    TExportWorkSheet* sheet = cell->GetWorkSheet();
    if (sheet && sheet->DefaultCellStyle) font = sheet->DefaultCellStyle->GetFont();
    TExportRow* row = cell->GetRow();
    if (row && row->HasStyle()) font.Merge(row->StyleIfAny()->GetFont());
    const TExportCol* col = sheet ? sheet->Cols.FindCol(cell->GetColIndex()) : nullptr;
    if (col && col->HasStyle()) font.Merge(col->StyleIfAny()->GetFont());
    if (cell->HasStyle()) font.Merge(cell->StyleIfAny()->GetFont());
  }
  font.Merge(Font);
}

// --- TStringRichTextTagTextList ---

int TStringRichTextTagTextList::Add(const std::u16string& text, const TExportFont* font) {
  TStringRichTextTagTextList_Entry entry;
  entry.Text = text;
  if (font) entry.Font = *font;
  entries_.push_back(std::move(entry));
  return Count() - 1;
}

void TStringRichTextTagTextList::GetKeyString(const TExportFont& defaultFont,
                                              std::u16string& key) const {
  std::size_t counter = 0;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const auto& entry = entries_[i];
    if (i > 0 || entry.Font) {
      key += ISOIntToStr(static_cast<long long>(i)) + u":" +
             ISOIntToStr(static_cast<long long>(counter)) + u":" +
             (entry.Font ? *entry.Font : defaultFont).GetKeyString();
    }
    counter += entry.Text.size();
  }
}

// --- TStringRichTextTags ---

TStringRichTextTags::TStringRichTextTags(TExportCell* owner) : TOwnedListOf(owner) {}

TStringRichTextTags::TStringRichTextTags(TExportCellComment* owner) : TOwnedListOf(owner) {}

TExportCell* TStringRichTextTags::OwnerCell() const { return dynamic_cast<TExportCell*>(Owner()); }

TExportCellComment* TStringRichTextTags::OwnerComment() const {
  return dynamic_cast<TExportCellComment*>(Owner());
}

const TExportFont& TStringRichTextTags::GetDefaultFont() const {
  if (TExportCellComment* comment = OwnerComment()) return comment->Font;
  TExportCell* cell = OwnerCell();
  if (!cell || !cell->GetWorkbook())
    throw std::runtime_error("TStringRichTextTags.GetDefaultFont: no valid OwnerObject");
  return cell->GetStyle().GetFont();
}

TExportFontList& TStringRichTextTags::GetFontList() const {
  const TExportCellComment* comment = OwnerComment();
  TExportCell* cell = comment ? comment->Cell() : OwnerCell();
  TWorkbook* book = cell ? cell->GetWorkbook() : nullptr;
  if (!book) throw std::runtime_error("TStringRichTextTags.GetFontList");
  return book->FontList;
}

TStringRichTextTag* TStringRichTextTags::AddTag(std::int32_t position, const TExportFont& font) {
  TStringRichTextTag* tag = AddNew<TStringRichTextTag>();
  tag->Position = position;
  tag->Font = font;
  return tag;
}

void TStringRichTextTags::Sort() {
  for (std::int32_t i = 1; i < Count(); ++i) {
    std::int32_t j = i;
    while (j > 0 && GetTag(j - 1)->Position > GetTag(i)->Position) --j;
    if (j != i) Move(i, j);
  }
}

void TStringRichTextTags::BuildTextList(std::u16string_view text,
                                        TStringRichTextTagTextList& textList,
                                        bool positionedBase) const {
  textList.Clear();
  if (text.empty()) return;
  auto piece = [&](std::int64_t from, std::int64_t to) {  // 1-based, to exclusive
    from = std::clamp<std::int64_t>(from, 1, static_cast<std::int64_t>(text.size()) + 1);
    to = std::clamp<std::int64_t>(to, from, static_cast<std::int64_t>(text.size()) + 1);
    return std::u16string(text.substr(from - 1, to - from));
  };
  std::int64_t end = static_cast<std::int64_t>(text.size()) + 1;
  std::u16string leading = piece(1, Count() > 0 ? GetTag(0)->Position : end);
  if (!leading.empty()) {
    const TExportFont* base = nullptr;
    TExportFont baseFont;
    if (positionedBase && (OwnerCell() || OwnerComment())) {
      baseFont = GetDefaultFont();
      std::uint8_t position = baseFont.GetStyle().VertPosition;
      if (position == 1 || position == 2) base = &baseFont;
    }
    textList.Add(leading, base);
  }
  for (std::int32_t i = 0; i < Count(); ++i) {
    std::u16string part =
        piece(GetTag(i)->Position, i + 1 < Count() ? GetTag(i + 1)->Position : end);
    if (part.empty()) continue;
    TExportFont font;
    GetTag(i)->GetEffectiveFont(font);
    textList.Add(part, &font);
  }
}

}  // namespace workbook
