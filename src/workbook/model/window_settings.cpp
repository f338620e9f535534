#include "workbook/model/window_settings.h"

namespace workbook {

TExportWindowSettings::TExportWindowSettings(TExportWorkSheet* owner) : owner_(owner) {
  Selection.SetRange(0, 0, 1, 1);
}

void TExportWindowSettings::AssignTo(TPersistent& target) const {
  auto* dest = dynamic_cast<TExportWindowSettings*>(&target);
  if (!dest) return TPersistent::AssignTo(target);
  dest->Split.Assign(Split);
  dest->AutoFilter.Assign(AutoFilter);
  // The filter belongs to the sheet that holds the settings.
  dest->AutoFilter.WorkSheet = dest->owner_;
  dest->SummaryRowsAbove = SummaryRowsAbove;
  dest->SummaryColsLeft = SummaryColsLeft;
}

}  // namespace workbook
