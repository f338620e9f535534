// Defined names in OpenDocument: table:named-range elements.
#include "workbook/core/sheet_refs.h"
#include "workbook/model/named_cells.h"
#include "workbook/model/worksheet.h"

namespace workbook {

void TExportNamedCells::WriteODS(TXmlNode namedExpressionsNode) const {
  for (const auto& [name, range] : names_) {
    const std::u16string sheetName = range->WorkSheet ? range->WorkSheet->Name : std::u16string();
    TXmlNode node = namedExpressionsNode.AddChild("table:named-range");
    node.SetAttr("table:name", name);
    node.SetAttr("table:base-cell-address",
                 MakeODSRangeRef(sheetName, range->Col, range->Row, true));
    node.SetAttr(
        "table:cell-range-address",
        MakeODSRangeRef(sheetName, range->Col, range->Row, true, range->RowCount, range->ColCount));
  }
}

}  // namespace workbook
