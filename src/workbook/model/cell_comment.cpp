#include "workbook/model/cell_comment.h"

#include <cmath>

#include "platform/text_codec.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/model/cell.h"
#include "workbook/model/rich_text.h"
#include "workbook/model/worksheet.h"

namespace workbook {

TExportCellComment::TExportCellComment(TExportCell* cell) : cell_(cell) {}

TExportCellComment::~TExportCellComment() = default;

TStringRichTextTags& TExportCellComment::GetRichText() {
  if (!richText_) richText_ = std::make_unique<TStringRichTextTags>(this);
  return *richText_;
}

std::u16string TExportCellComment::GetText() const { return platform::Utf8ToUtf16(text_); }

void TExportCellComment::SetText(const std::u16string& text) {
  text_ = platform::Utf16ToUtf8(text);
}

void TExportCellComment::GetBoxPosition(const TSheetPixelGrid& grid, int& x, int& y) const {
  const int col = cell_ ? std::max(cell_->GetColIndex(), 0) : 0;
  const int row = cell_ ? std::max(cell_->GetRowIndex(), 0) : 0;
  TExportWorkSheet::GetPixelPosition(grid, x, y, 0, col + 1, Bounds.Left, 0, row, Bounds.Top);
}

void TExportCellComment::AssignTo(TPersistent& dest) const {
  if (auto* comment = dynamic_cast<TExportCellComment*>(&dest)) {
    comment->Bounds.Assign(Bounds);
    comment->Color = Color;
    comment->Alignment = Alignment;
    comment->VAlignment = VAlignment;
    comment->Font.Assign(Font);
    comment->text_ = text_;
    if (richText_ && richText_->Count() > 0)
      comment->GetRichText().Assign(*richText_);
    else
      comment->richText_.reset();
    return;
  }
  TPersistent::AssignTo(dest);
}

}  // namespace workbook
