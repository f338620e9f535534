#pragma once
// The workbook's border registry: one TExportCellBorders per distinct key string. Entry 0 is the
// empty border set until a file's border sets replace it.
#include "workbook/model/cell_borders.h"
#include "workbook/model/style_registry.h"

namespace workbook {

class TExportCellBordersList : public TExportStyleRegistry<TExportCellBorders> {
 public:
  TExportCellBordersList() : TExportStyleRegistry(TExportCellBorders()) {}
};

}  // namespace workbook
