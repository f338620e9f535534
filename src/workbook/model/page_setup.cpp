#include "workbook/model/page_setup.h"

#include "workbook/core/sheet_refs.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

std::u16string SheetName(const TExportWorkSheet* sheet) {
  return sheet ? sheet->Name : std::u16string();
}

}  // namespace

TExportPageSettings::TExportPageSettings(TExportWorkSheet* owner)
    : PrintArea(owner), TitleRows(owner), TitleCols(owner), owner_(owner) {}

void TExportPageSettings::AssignTo(TPersistent& target) const {
  auto* dest = dynamic_cast<TExportPageSettings*>(&target);
  if (!dest) return TPersistent::AssignTo(target);
  dest->LeftMargin = LeftMargin;
  dest->TopMargin = TopMargin;
  dest->RightMargin = RightMargin;
  dest->BottomMargin = BottomMargin;
  dest->Centering = Centering;
  dest->Orientation = Orientation;
  dest->PageOrder = PageOrder;
  dest->FitToPage = FitToPage;
  dest->Scale = Scale;
  dest->FitToWidth = FitToWidth;
  dest->FitToHeight = FitToHeight;
  dest->PrintHeaders = PrintHeaders;
  dest->PrintGridLines = PrintGridLines;
  dest->FirstPageNumber = FirstPageNumber;
  dest->UseFirstPageNumber = UseFirstPageNumber;
  // The ranges stay on the destination's own sheet.
  for (auto [from, to] :
       {std::pair{&PrintArea, &dest->PrintArea}, std::pair{&TitleRows, &dest->TitleRows},
        std::pair{&TitleCols, &dest->TitleCols}}) {
    to->Assign(*from);
    to->WorkSheet = dest->owner_;
  }
}

std::u16string TExportPageSettings::GetXLSXPrintArea() const {
  if (!HasPrintArea()) return std::u16string();
  TExportRange area;
  area.Assign(PrintArea);
  area.WorkSheet = owner_;
  return area.GetText();
}

std::u16string TExportPageSettings::GetXLSXPrintTitles() const {
  std::u16string text;
  if (TitleCols.HasCols())
    text = MakeSheetColRangeRef(SheetName(owner_), TitleCols.Col, TitleCols.ColCount);
  if (TitleRows.HasRows()) {
    if (!text.empty()) text += u',';
    text += MakeSheetRowRangeRef(SheetName(owner_), TitleRows.Row, TitleRows.RowCount);
  }
  return text;
}

bool TExportPageSettings::ReadXLSXPrintArea(std::u16string_view reference) {
  TExportRange area(owner_);
  if (!area.ReadXLSXReference(reference)) return false;
  PrintArea.Assign(area);
  PrintArea.WorkSheet = owner_;
  return true;
}

void TExportPageSettings::ReadXLSXPrintTitles(std::u16string_view reference) {
  // Everything up to the first "!" is the sheet; the second part may repeat it.
  const std::size_t bang = reference.find(u'!');
  if (bang != std::u16string_view::npos) reference.remove_prefix(bang + 1);
  std::size_t split = reference.find(u',');
  if (split == std::u16string_view::npos) split = reference.find(u';');
  std::u16string_view first = reference.substr(0, split);
  std::u16string_view second;
  if (split != std::u16string_view::npos) {
    second = reference.substr(split + 1);
    const std::size_t secondBang = second.find(u'!');
    if (secondBang != std::u16string_view::npos) second.remove_prefix(secondBang + 1);
  }
  TExportRange one, two;
  const bool firstRead = !first.empty() && one.ReadXLSXReference(first);
  const bool secondRead = !second.empty() && two.ReadXLSXReference(second);
  // Titles may come rows first (as some writers put them): each part goes where it belongs.
  for (const TExportRange* part : {firstRead ? &one : nullptr, secondRead ? &two : nullptr}) {
    if (!part) continue;
    if (part->Col < 0 && part->Row >= 0) TitleRows.SetRows(part->Row, part->RowCount);
    if (part->Row < 0 && part->Col >= 0) TitleCols.SetCols(part->Col, part->ColCount);
  }
}

}  // namespace workbook
