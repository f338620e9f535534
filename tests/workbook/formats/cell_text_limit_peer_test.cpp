// A cell of an .xls or .xlsx file holds at most 32,767 characters: a longer text is refused,
// naming its sheet and cell, rather than cut; a text of that length, and any text in an .ods or
// delimited-text file, is written whole, as the independent readers (xlrd, openpyxl, odf,
// Python's csv) count it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "../model/model_fixture.h"
#include "book_file.h"
#include "python_peer.h"
#include "support/thrown.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/library_start.h"
#include "workbook/model/cell_string.h"

namespace workbook {
namespace {

using test_support::Thrown;

class CellTextLimitTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    StartWorkbookLibrary();
    book_ = std::make_unique<TWorkbook>();
    book_->ShowProgress = false;
    sheet_ = book_->AddWorkSheet(u"Dane");
    sheet_->GetRow(0)->AddCellString(u"short");
  }

  // Book written to name in the scratch folder; the file's path.
  std::string Write(const std::string& name) {
    return test::WriteBookFile(*book_, dir_.File(name));
  }

  // A text of length characters in B2, kept in the shared strings or in the cell.
  void PutText(std::size_t length, bool shared) {
    auto* cell =
        static_cast<TExportCellString*>(sheet_->FindCreateCell(1, 1, TCellClass::String, false));
    cell->SetValue(std::u16string(length, u'x'));
    cell->SetSharedString(shared);
  }

  test_support::TScratchDir dir_;
  std::unique_ptr<TWorkbook> book_;
  TExportWorkSheet* sheet_ = nullptr;
};

TEST_F(CellTextLimitTest, XlsAndXlsxRefuseALongerText) {
  const std::string beyond =
      "The worksheet \"Dane\" has a text of more than 32767 characters in cell B2, which an ";
  for (const std::size_t length : {32768u, 70000u})
    for (const bool shared : {true, false}) {
      SCOPED_TRACE(std::to_string(length) + (shared ? " shared" : " own"));
      PutText(length, shared);
      EXPECT_EQ(Thrown<EWorkbookFileException>([&] { Write("out.xls"); }),
                beyond + "XLS (Excel 97-2003) file cannot hold.");
      EXPECT_EQ(Thrown<EWorkbookFileException>([&] { Write("out.xlsx"); }),
                beyond + "XLSX (Excel 2007) file cannot hold.");
    }
}

TEST_F(CellTextLimitTest, TextsWithinEachFormatAreWrittenWhole) {
  if (!test_support::PythonHasModules("openpyxl, xlrd, odf"))
    GTEST_SKIP() << "/usr/bin/python3 with openpyxl, xlrd and odf is not installed";
  const struct {
    std::string File;
    std::size_t Length;
  } cases[] = {{"out.xls", 32767}, {"out.xlsx", 32767}, {"out.ods", 70000}, {"out.csv", 70000}};
  for (const auto& c : cases)
    for (const bool shared : {true, false}) {
      SCOPED_TRACE(c.File + (shared ? " shared" : " own"));
      PutText(c.Length, shared);
      EXPECT_EQ(test_support::RunPeer("workbook/formats/peers/text_lengths.py", {Write(c.File)}),
                "5\n" + std::to_string(c.Length) + "\n");
    }
}

}  // namespace
}  // namespace workbook
