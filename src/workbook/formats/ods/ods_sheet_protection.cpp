// Sheet protection in OpenDocument: the table:table-protection element.
#include "workbook/model/sheet_protection.h"

namespace workbook {

void TExportWorkSheetProtection::WriteODS(TXmlWriter& writer) const {
  if (!Protected) return;
  writer.StartElement("table:table-protection");
  if (IsAllowed(TSheetProtectionOption::spSelectLockedCells))
    writer.WriteAttribute("table:select-protected-cells", std::string_view("true"));
  if (IsAllowed(TSheetProtectionOption::spSelectUnlockedCells))
    writer.WriteAttribute("table:select-unprotected-cells", std::string_view("true"));
  writer.EndElement();
}

}  // namespace workbook
