#include "workbook/model/page_setup.h"

#include "workbook/model/worksheet.h"

namespace workbook {

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

}  // namespace workbook
