// Defined names in OpenDocument: table:named-range elements.
#include "workbook/core/sheet_refs.h"
#include "workbook/model/named_cells.h"
#include "workbook/model/worksheet.h"

namespace workbook {

void TExportNamedCells::WriteODS(TXmlNode namedExpressionsNode) const {
  for (const auto& [name, range] : names_) {
    const std::u16string sheetName = range.WorkSheet ? range.WorkSheet->Name : std::u16string();
    std::u16string base, address;
    if (range.HasColsAndRows()) {
      base = MakeODSRangeRef(sheetName, range.Col, range.Row, true);
      address =
          MakeODSRangeRef(sheetName, range.Col, range.Row, true, range.RowCount, range.ColCount);
    } else if (range.HasCols()) {
      base = MakeODSRangeRef(sheetName, range.Col, 0, true);
      address = MakeODSColRangeRef(sheetName, range.Col, range.ColCount, true);
    } else if (range.HasRows()) {
      base = MakeODSRangeRef(sheetName, 0, range.Row, true);
      address = MakeODSRowRangeRef(sheetName, range.Row, range.RowCount, true);
    } else {
      continue;  // a name without a place has no address
    }
    TXmlNode node = namedExpressionsNode.AddChild("table:named-range");
    node.SetAttr("table:name", name);
    node.SetAttr("table:base-cell-address", base);
    node.SetAttr("table:cell-range-address", address);
  }
}

}  // namespace workbook
