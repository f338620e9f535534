#include "workbook/model/font_list.h"

namespace workbook {

TExportFont TExportFontList::DefaultFont() {
  TExportFont font;
  font.SetName(u"Arial");
  font.SetSize(10);
  return font;
}

}  // namespace workbook
