// A package written by openpyxl with pictures and comments, loaded through our
// XLSX handler: openpyxl writes its drawings in the default namespace and places its parts in
// folders of its own, so none of them may depend on the prefixes or paths Excel uses.
#include <gtest/gtest.h>

#include <cmath>

#include "../python_peer.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/drawing.h"
#include "xlsx_test_support.h"

namespace workbook {
namespace {

class XLSXOpenpyxlAttachmentsTest : public XLSXReaderTest {
 protected:
  void SetUp() override {
    XLSXReaderTest::SetUp();
    if (!test_support::PythonHasModules("openpyxl, PIL"))
      GTEST_SKIP() << "/usr/bin/python3 with openpyxl and PIL is not installed";
    StartWorkbookLibrary();
  }
};

TEST_F(XLSXOpenpyxlAttachmentsTest, PicturesAndCommentsLoad) {
  test_support::TScratchDir dir;
  test_support::RunPeer("workbook/formats/xlsx/peers/pictures_and_comments.py",
                        {dir.File("o.xlsx")});
  TFileStream file(dir.File("o.xlsx"), TFileMode::OpenRead);
  LoadStream(file);
  TExportWorkSheet& sheet = *Book->WorkSheets.GetItem(0);

  ASSERT_EQ(Book->Drawings.Count(), 2);  // openpyxl stores each picture as a part of its own
  TExportCell* cell = nullptr;
  ASSERT_TRUE(sheet.FindCell(2, 2, cell));
  ASSERT_NE(cell->DrawingsIfAny(), nullptr);
  const TClassRect& sized = cell->DrawingsIfAny()->GetItem(0)->Bounds;
  EXPECT_EQ(sized.GetWidth(), 40);
  EXPECT_EQ(sized.GetHeight(), 20);

  // The far corner lies on the sheet's own widths: B and C as read, plus the end offset.
  ASSERT_TRUE(sheet.FindCell(1, 1, cell));
  ASSERT_NE(cell->DrawingsIfAny(), nullptr);
  const TClassRect& spanned = cell->DrawingsIfAny()->GetItem(0)->Bounds;
  const double b = sheet.Cols.FindCol(1)->Width, c = sheet.Cols.FindCol(2)->Width;
  EXPECT_GT(b, c);
  EXPECT_EQ(spanned.Left, 10);
  EXPECT_EQ(spanned.Right, static_cast<int>(std::lround(b + c + 20)));

  ASSERT_TRUE(sheet.FindCell(0, 0, cell));
  ASSERT_NE(cell->CommentIfAny(), nullptr);
  EXPECT_EQ(cell->CommentIfAny()->GetText(), u"first note");
  ASSERT_TRUE(sheet.FindCell(4, 8, cell));
  ASSERT_NE(cell->CommentIfAny(), nullptr);
  EXPECT_EQ(cell->CommentIfAny()->GetText(), u"second");
}

}  // namespace
}  // namespace workbook
