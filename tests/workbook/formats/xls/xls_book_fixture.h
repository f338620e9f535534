#pragma once
// A workbook loaded by the XLS handler from a file or from hand-built bytes, with the date/time
// globals of ModelTest.
#include <memory>
#include <string>
#include <vector>

#include "../../model/model_fixture.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/xls/xls_exporter.h"
#include "workbook/model/cell.h"
#include "workbook/model/measuring_hooks.h"
#include "workbook/model/row.h"
#include "workbook/model/workbook.h"
#include "workbook/model/worksheet.h"

namespace xls_test {

class XlsBookTest : public workbook::ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    workbook::StartWorkbookLibrary();
    NewBook();
  }
  void TearDown() override {
    book_.reset();
    ModelTest::TearDown();
  }
  void NewBook() {
    book_ = std::make_unique<workbook::TWorkbook>();
    book_->ShowProgress = false;
  }
  void LoadFile(const std::string& path) {
    book_->LoadFromFile(std::u16string(path.begin(), path.end()));
  }
  void LoadBytes(const std::vector<std::uint8_t>& file) {
    workbook::TMemoryStream stream(file);
    workbook::TExporterXLS exporter;
    book_->LoadFromStream(stream, exporter);
  }
  workbook::TExportWorkSheet& Sheet(int index) const { return *book_->WorkSheets.GetItem(index); }
  workbook::TExportCell* CellAt(int sheet, int row, int col) const {
    workbook::TExportRow* r = Sheet(sheet).Rows.PeekItem(row);
    return r != nullptr ? r->Cells.PeekItem(col) : nullptr;
  }
  // The default font's digit width, which column widths count in (7 pixels without a measuring
  // hook).
  double CharWidth() const {
    return workbook::CharWidthHook ? workbook::CharWidthHook(book_->GetDefaultFont()) : 7;
  }
  std::unique_ptr<workbook::TWorkbook> book_;
};

}  // namespace xls_test
