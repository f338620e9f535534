#pragma once
// The workbook's border registry: one TExportCellBorders per distinct key string. Entry 0 is the
// empty border set until a file's border sets replace it.
#include "workbook/model/cell_borders.h"
#include "workbook/model/style_registry.h"

namespace workbook {

class TExportCellBordersList : public TExportStyleRegistry<TExportCellBorders> {
 public:
  TExportCellBordersList() : TExportStyleRegistry(TExportCellBorders()) {}

  // styles.xml: count attribute, then one border element per set in index order.
  void WriteXLSX(TXmlNode bordersNode) const;
  // Replaces the entries by the file's border sets, one per border element, in file order (equal
  // sets too). A diagonal is read only when its diagonalUp / diagonalDown flag is true.
  void ReadXLSX(TXmlNode bordersNode, const IThemeColors* themeColors,
                const IColorPalette* palette);
};

}  // namespace workbook
