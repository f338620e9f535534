#pragma once
// A string cell "Hello world" in the first row of a one-sheet workbook, with fonts to tag it with;
// shared by the model's rich-text tests and the XLS run writer's.
#include "workbook/model/cell_string.h"
#include "workbook/model/model_fixture.h"

namespace workbook::test {

class RichTextTest : public test::SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    row_ = sheet->GetRow(0);
    cell_ = row_->AddCellString(u"Hello world");
  }
  static TExportFont Bold() {
    TExportFont font;
    font.SetSize(-1);
    font.GetStyle().Bold = 1;
    return font;
  }
  TExportFont SizedFont(int size) {
    TExportFont font = book->GetDefaultFont();
    font.SetSize(size);
    return font;
  }
  TExportRow* row_ = nullptr;
  TExportCellString* cell_ = nullptr;
};

}  // namespace workbook::test
