#pragma once
// A one-sheet workbook's page settings, and the header font the tests set; shared by the model's
// page-setup tests and the file formats'.
#include "workbook/model/model_fixture.h"
#include "workbook/model/page_setup.h"

namespace workbook::test {

class PageSetupTest : public test::SheetTest {
 protected:
  TExportPageSettings& page() { return sheet->PageSettings; }
  static TExportFont Tahoma() {
    TExportFont font;
    font.SetName(u"Tahoma");
    font.SetSize(10);
    return font;
  }
};

}  // namespace workbook::test
