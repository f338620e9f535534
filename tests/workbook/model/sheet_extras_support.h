#pragma once
// Pieces the tests of columns, names, views, page setup and protection share: a workbook with
// one sheet.
#include <memory>

#include "model_fixture.h"
#include "workbook/model/workbook.h"
#include "xml_test_support.h"

namespace workbook::test {

class SheetTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    book = std::make_unique<TWorkbook>();
    sheet = book->AddWorkSheet(u"Sheet1");
  }
  void TearDown() override {
    book.reset();
    ModelTest::TearDown();
  }
  std::unique_ptr<TWorkbook> book;
  TExportWorkSheet* sheet = nullptr;
};

}  // namespace workbook::test
