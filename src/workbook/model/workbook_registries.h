#pragma once
// The part of the workbook that cell styles need: the font and border registries. TWorkbook derives
// from it, so a style's parent is the workbook itself.
#include "workbook/model/cell_borders_list.h"
#include "workbook/model/font_list.h"

namespace workbook {

class TWorkbookRegistries {
 public:
  TWorkbookRegistries() = default;
  TWorkbookRegistries(const TWorkbookRegistries&) = delete;
  TWorkbookRegistries& operator=(const TWorkbookRegistries&) = delete;

  // Finds or adds the default font (Arial 10); returns its index.
  int AddDefaultFont() { return FontList.Add(TExportFontList::DefaultFont()); }
  // Font 0 of the registry.
  const TExportFont& GetDefaultFont() const { return *FontList.GetItem(0); }

  TExportFontList FontList;
  TExportCellBordersList BordersList;

 protected:
  ~TWorkbookRegistries() = default;
};

}  // namespace workbook
