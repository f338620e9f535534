#include "workbook/model/cols.h"

#include <algorithm>

#include "workbook/core/exceptions.h"
#include "workbook/core/list_error.h"
#include "workbook/model/limits.h"
#include "workbook/model/workbook.h"
#include "workbook/model/worksheet.h"

namespace workbook {

void TExportCol::SetOutlineLevel(int level) {
  outlineLevel_ = static_cast<std::uint8_t>(std::clamp(level, 0, 7));
}

TExportCols* TExportCol::Cols() const { return static_cast<TExportCols*>(OwnerList()); }

TExportWorkSheet* TExportCol::GetWorkSheet() const {
  return Cols() ? Cols()->GetWorkSheet() : nullptr;
}

TExportCellStyle& TExportCol::GetStyle() {
  if (!style_) {
    TExportWorkSheet* sheet = GetWorkSheet();
    if (sheet && sheet->DefaultCellStyle) {
      style_ = std::make_unique<TExportCellStyle>(*sheet->DefaultCellStyle);
    } else {
      // Without a workbook there are no registries: the style constructor refuses.
      style_ = std::make_unique<TExportCellStyle>(sheet ? sheet->GetWorkbook() : nullptr);
    }
  }
  return *style_;
}

void TExportCol::AssignTo(TPersistent& target) const {
  auto* dest = dynamic_cast<TExportCol*>(&target);
  if (!dest) return TOwnedListObject::AssignTo(target);
  if (dest == this) return;
  dest->Width = Width;
  dest->Hidden = Hidden;
  dest->PageBreak = PageBreak;
  dest->outlineLevel_ = outlineLevel_;
  if (style_) {
    dest->GetStyle().Assign(*style_);
  } else {
    dest->style_.reset();
  }
}

std::unique_ptr<TOwnedListObject> TExportCol::NewInstance() const {
  return std::make_unique<TExportCol>();
}

TExportCols::TExportCols(TExportWorkSheet* owner) : TOwnedListOf(owner) {}

TExportWorkSheet* TExportCols::GetWorkSheet() const {
  return dynamic_cast<TExportWorkSheet*>(Owner());
}

TExportCol* TExportCols::GetCol(int index) {
  if (index < 0) RaiseListIndexError(index);
  if (index >= kMaxSheetCols)
    throw EWorkbookException(u"TExportCols.GetCol: column index out of range");
  while (Count() <= index) AddNew();
  return GetItem(index);
}

TExportCol* TExportCols::FindCol(int index) const {
  return index >= 0 && index < Count() ? GetItem(index) : nullptr;
}

void TExportCols::Assign(const TExportCols& source) {
  if (&source == this) return;
  DefaultWidth = source.DefaultWidth;
  TOwnedList::Assign(source);
}

void TExportCols::ApplyDefaultStyle(int xfIndex, const TXFApplier& applyXF) {
  TExportWorkSheet* sheet = GetWorkSheet();
  if (applyXF && xfIndex >= 0 && sheet && sheet->DefaultCellStyle)
    applyXF(xfIndex, *sheet->DefaultCellStyle);
}

}  // namespace workbook
