// OpenDocument form of a border line: one fo:border-* or style:diagonal-* attribute.
#include "workbook/core/color.h"
#include "workbook/core/enum_names.h"
#include "workbook/model/cell_borders.h"

namespace workbook {

void TExportCellBorder::WriteODS(TXmlNode node, std::string_view attributeName) const {
  std::u16string value(BorderStyleToODS(Style));
  // ColorToARGBHex writes an automatic colour as black, as the SpreadsheetML form does; the
  // colour's own bits would give white.
  if (Style != kNone) value += u" #" + ColorToARGBHex(Color, false);
  node.SetAttr(attributeName, value);
}

}  // namespace workbook
