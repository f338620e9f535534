// The OpenDocument table:table-row start of a row.
#include "workbook/core/xml/xml_writer.h"
#include "workbook/model/row.h"

namespace workbook {

void TExportRow::WriteODS(TXmlWriter& writer, const std::u16string& styleName) const {
  writer.StartElement("table:table-row");
  if (!styleName.empty()) writer.WriteAttribute("table:style-name", styleName);
  if (Hidden || Height == 0) writer.WriteAttribute("table:visibility", "collapse");
}

}  // namespace workbook
