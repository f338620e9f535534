#pragma once
// The workbook's font registry: one TExportFont per distinct key string. Entry 0 is the default
// font (Arial 10) until a file's fonts replace it.
#include "workbook/model/font.h"
#include "workbook/model/style_registry.h"

namespace workbook {

class TExportFontList : public TExportStyleRegistry<TExportFont> {
 public:
  TExportFontList() : TExportStyleRegistry(DefaultFont()) {}

  // Arial, size 10, no style, automatic colour.
  static TExportFont DefaultFont();
};

}  // namespace workbook
