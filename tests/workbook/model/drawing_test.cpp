#include <gtest/gtest.h>

#include "model_fixture.h"

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/model/cell.h"
#include "workbook/model/drawing.h"

namespace workbook {
namespace {

TMemoryStream Bytes(const std::string& bytes) {
  TMemoryStream stream;
  stream.WriteString(bytes);
  stream.SetPosition(0);
  return stream;
}

class DrawingTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    book_ = std::make_unique<TWorkbook>();
    sheet_ = book_->AddWorkSheet(u"Pics");
  }
  TExportCell* Cell(int col, int row) {
    return sheet_->FindCreateCell(col, row, TCellClass::Empty, false);
  }
  int AddPhoto(const std::u16string& name = u"C:\\img\\Photo.JPG") {
    TMemoryStream data = Bytes("\x89PNG-bytes");
    return book_->Drawings.AddImage(data, name);
  }
  std::unique_ptr<TWorkbook> book_;
  TExportWorkSheet* sheet_ = nullptr;
};

TEST_F(DrawingTest, AddImageWithoutExtensionRaisesAndAddsNothing) {
  TMemoryStream data = Bytes("x");
  try {
    book_->Drawings.AddImage(data, u"C:\\img.d\\Photo");
    FAIL() << "added";
  } catch (const EWorkbookFileNameException& e) {
    EXPECT_EQ(e.Message(), WorkbookLng_NoExtension);
  }
  EXPECT_EQ(book_->Drawings.Count(), 0);
}

struct MimeCase {
  const char16_t* file;
  const char16_t* mime;
};

class ImageMime : public DrawingTest, public ::testing::WithParamInterface<MimeCase> {};

TEST_P(ImageMime, FollowsTheExtension) {
  const int index = AddPhoto(GetParam().file);
  EXPECT_EQ(book_->Drawings.GetItem(index)->GetMimeType(), GetParam().mime);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ImageMime,
    ::testing::Values(MimeCase{u"a.jpg", u"image/jpeg"}, MimeCase{u"a.TIF", u"image/tiff"},
                      MimeCase{u"a.wmf", u"image/x-wmf"}, MimeCase{u"a.emf", u"image/x-emf"},
                      MimeCase{u"a.png", u"image/png"}, MimeCase{u"a.jpeg", u"image/jpeg"},
                      MimeCase{u"a.gif", u"image/gif"}));

TEST_F(DrawingTest, SharedPictureGoesWithItsLastPlacement) {
  const int index = AddPhoto();
  Cell(0, 0)->AddDrawing(index, 0, 0, 10, 10);
  Cell(3, 2)->AddDrawing(index, 5, 5, 10, 10);
  ASSERT_EQ(book_->Drawings.Count(), 1);
  EXPECT_EQ(book_->Drawings.GetItem(0)->References.size(), 2u);
  Cell(0, 0)->Free();
  EXPECT_EQ(book_->Drawings.Count(), 1);
  sheet_->GetRow(2)->Free();
  EXPECT_EQ(book_->Drawings.Count(), 0);
}

TEST_F(DrawingTest, CopiedCellSharesThePictureAndAnotherWorkbookGetsACopy) {
  const int index = AddPhoto();
  book_->Drawings.GetItem(index)->KeyName = u"xl/media/image1.png";
  Cell(0, 0)->AddDrawing(index, 1, 2, 30, 40);
  Cell(1, 0)->Assign(*Cell(0, 0));
  EXPECT_EQ(book_->Drawings.Count(), 1);
  EXPECT_EQ(book_->Drawings.GetItem(0)->References.size(), 2u);

  TWorkbook other;
  TExportCell* target = other.AddWorkSheet()->FindCreateCell(0, 0, TCellClass::Empty, false);
  target->Assign(*Cell(0, 0));
  ASSERT_EQ(other.Drawings.Count(), 1);
  auto* copy = dynamic_cast<TExportImage*>(other.Drawings.GetItem(0));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Extension, u"jpg");
  EXPECT_EQ(copy->Data.Size(), 10);
  EXPECT_EQ(target->DrawingsIfAny()->GetItem(0)->Bounds.GetHeight(), 40);
}

TEST_F(DrawingTest, CellWithoutDrawingsHasNoExtrasAndMayBeFreedAfterWrite) {
  TExportCell* cell = Cell(0, 0);
  EXPECT_EQ(cell->DrawingsIfAny(), nullptr);
  EXPECT_TRUE(cell->CanFreeAfterWrite());
  cell->AddDrawing(AddPhoto(), 0, 0, 1, 1);
  EXPECT_FALSE(cell->CanFreeAfterWrite());
}

TEST_F(DrawingTest, EndCellWalksColumnsAndRows) {
  TSheetPixelGrid grid;
  grid.DefaultColWidth = 64;
  grid.DefaultRowHeight = 20;
  TExportCellDrawing* placed = Cell(2, 3)->AddDrawing(AddPhoto(), 0, 0, 96, 48);
  int col, row, x, y;
  placed->GetEndCell(grid, col, row, x, y);
  EXPECT_EQ(col, 3);
  EXPECT_EQ(x, 32);
  EXPECT_EQ(row, 5);
  EXPECT_EQ(y, 8);
}

TEST_F(DrawingTest, EndCellStopsAtTheSheetEdge) {
  TSheetPixelGrid grid;
  grid.ColWidths = {0, 0, 0};
  grid.DefaultColWidth = 0;  // hidden columns never use up an offset
  TExportCellDrawing* placed = Cell(0, 0)->AddDrawing(AddPhoto(), 0, 0, 5, 5);
  int col, row, x, y;
  placed->GetEndCell(grid, col, row, x, y);
  EXPECT_EQ(col, 16383);
}

}  // namespace
}  // namespace workbook
