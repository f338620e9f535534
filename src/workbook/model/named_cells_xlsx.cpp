// Defined names in SpreadsheetML: the definedName elements of workbook.xml.
#include "workbook/core/oformat.h"
#include "workbook/core/sheet_refs.h"
#include "workbook/model/named_cells.h"
#include "workbook/model/workbook.h"

namespace workbook {

std::u16string TExportNamedCells::WriteXLSX() const {
  std::u16string text;
  for (const auto& [name, range] : names_) {
    const std::u16string sheetName = range->WorkSheet ? range->WorkSheet->Name : std::u16string();
    text += u"<definedName name=\"" + OFormat::EncodeXMLEntities(name, true, true) + u"\">";
    text += OFormat::EncodeXMLEntities(
        MakeSheetRangeRef(sheetName, range->Col, range->Row, TRefAbsolute::All(true),
                          range->ColCount, range->RowCount),
        false, false);
    text += u"</definedName>";
  }
  return text;
}

void TExportNamedCells::ReadXLSXDefinedName(const std::u16string& name,
                                            std::u16string_view reference) {
  // A nameless entry could never be written back as a valid defined name.
  if (name.empty() || !owner_) return;
  std::u16string sheetName;
  TCellRangeRef ref;
  if (!ParseSheetCellRangeRef(reference, sheetName, ref)) return;
  TExportWorkSheet* sheet = owner_->WorkSheets.FindWorkSheet(sheetName);
  if (!sheet) return;
  // Corners in any order; a name defined twice (say in two sheet scopes) keeps its first range.
  TryAddCellRange(name, sheet, std::max(ref.Col1, ref.Col2), std::max(ref.Row1, ref.Row2),
                  std::min(ref.Col1, ref.Col2), std::min(ref.Row1, ref.Row2));
}

}  // namespace workbook
