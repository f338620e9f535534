// The cell's on-demand attachments: comment, conditional formatting and drawings. They live in
// the extras block, so cells without them stay as small as before.
#include "workbook/model/cell.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/drawing.h"
#include "workbook/model/workbook.h"

namespace workbook {

TExportCellComment& TExportCell::GetComment() {
  auto& comment = Extras().Comment;
  if (!comment) comment = std::make_unique<TExportCellComment>(this);
  return *comment;
}

TExportCellComment* TExportCell::CommentIfAny() const {
  return ExtrasIfAny() ? ExtrasIfAny()->Comment.get() : nullptr;
}

bool TExportCell::HasComment() const { return CommentIfAny() && CommentIfAny()->HasText(); }

void TExportCell::ClearComment() {
  if (CommentIfAny()) Extras().Comment.reset();
}

TExportConditionalFormatting& TExportCell::GetConditionalFormatting() {
  auto& formatting = Extras().ConditionalFormatting;
  if (!formatting) formatting = std::make_unique<TExportConditionalFormatting>(this);
  return *formatting;
}

TExportConditionalFormatting* TExportCell::ConditionalFormattingIfAny() const {
  return ExtrasIfAny() ? ExtrasIfAny()->ConditionalFormatting.get() : nullptr;
}

TExportCellDrawings& TExportCell::GetDrawings() {
  auto& drawings = Extras().Drawings;
  if (!drawings) drawings = std::make_unique<TExportCellDrawings>(this);
  return *drawings;
}

TExportCellDrawings* TExportCell::DrawingsIfAny() const {
  return ExtrasIfAny() ? ExtrasIfAny()->Drawings.get() : nullptr;
}

TExportCellDrawing* TExportCell::AddDrawing(int drawingIndex, int col, int row, int width,
                                            int height) {
  TExportCellDrawing* placed = GetDrawings().AddNew();
  placed->Bounds = TClassRect(col, row, col + width, row + height);
  TWorkbook* workbook = GetWorkbook();
  if (workbook && drawingIndex >= 0 && drawingIndex < workbook->Drawings.Count())
    placed->SetDrawing(workbook->Drawings.GetItem(drawingIndex));
  return placed;
}

bool TExportCell::CanFreeAfterWrite() const {
  const TExportCellDrawings* drawings = DrawingsIfAny();
  const TExportConditionalFormatting* formatting = ConditionalFormattingIfAny();
  // A named cell stays too: freeing it would take its name out of the workbook being written.
  return (!drawings || drawings->Count() == 0) && (!formatting || formatting->Count() == 0) &&
         GetName().empty();
}

void TExportCell::AssignAttachments(TExportCell& dest) const {
  if (ConditionalFormattingIfAny() && ConditionalFormattingIfAny()->Count() > 0)
    dest.GetConditionalFormatting().Assign(*ConditionalFormattingIfAny());
  else if (dest.ConditionalFormattingIfAny())
    dest.Extras().ConditionalFormatting.reset();

  if (DrawingsIfAny() && DrawingsIfAny()->Count() > 0) {
    TExportCellDrawings& drawings = dest.GetDrawings();
    drawings.Clear();
    for (int i = 0; i < DrawingsIfAny()->Count(); ++i)
      drawings.AddNew()->Assign(*DrawingsIfAny()->GetItem(i));
  } else if (dest.DrawingsIfAny()) {
    dest.Extras().Drawings.reset();
  }

  if (HasComment())
    dest.GetComment().Assign(*CommentIfAny());
  else
    dest.ClearComment();
}

}  // namespace workbook
