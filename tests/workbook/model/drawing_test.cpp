#include <gtest/gtest.h>

#include <array>

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

class DrawingTest : public test::SheetTest {
 protected:
  TExportCell* Cell(int col, int row) {
    return sheet->FindCreateCell(col, row, TCellClass::Empty, false);
  }
  int AddPhoto(const std::u16string& name = u"C:\\img\\Photo.JPG") {
    TMemoryStream data = Bytes("\x89PNG-bytes");
    return book->Drawings.AddImage(data, name);
  }
};

TEST_F(DrawingTest, AddImageWithoutExtensionRaisesAndAddsNothing) {
  TMemoryStream data = Bytes("x");
  try {
    book->Drawings.AddImage(data, u"C:\\img.d\\Photo");
    FAIL() << "added";
  } catch (const EWorkbookFileNameException& e) {
    EXPECT_EQ(e.Message(), WorkbookLng_NoExtension);
  }
  EXPECT_EQ(book->Drawings.Count(), 0);
}

TEST_F(DrawingTest, ImageMimeTypeFollowsTheExtension) {
  const std::pair<const char16_t*, const char16_t*> cases[] = {{u"a.jpg", u"image/jpeg"},
                                                               {u"a.TIF", u"image/tiff"},
                                                               {u"a.wmf", u"image/x-wmf"},
                                                               {u"a.emf", u"image/x-emf"},
                                                               {u"a.jpeg", u"image/jpeg"}};
  for (auto [file, mime] : cases)
    EXPECT_EQ(book->Drawings.GetItem(AddPhoto(file))->GetMimeType(), mime);
}

TEST_F(DrawingTest, SharedPictureGoesWithItsLastPlacement) {
  const int index = AddPhoto();
  EXPECT_EQ(Cell(0, 0)->DrawingsIfAny(), nullptr);
  EXPECT_TRUE(Cell(0, 0)->CanFreeAfterWrite());
  Cell(0, 0)->AddDrawing(index, 0, 0, 10, 10);
  EXPECT_FALSE(Cell(0, 0)->CanFreeAfterWrite());
  Cell(3, 2)->AddDrawing(index, 5, 5, 10, 10);
  ASSERT_EQ(book->Drawings.Count(), 1);
  EXPECT_EQ(book->Drawings.GetItem(0)->References.size(), 2u);
  Cell(0, 0)->Free();
  EXPECT_EQ(book->Drawings.Count(), 1);
  sheet->GetRow(2)->Free();
  EXPECT_EQ(book->Drawings.Count(), 0);
}

TEST_F(DrawingTest, CopiedCellSharesThePictureAndAnotherWorkbookGetsACopy) {
  const int index = AddPhoto();
  book->Drawings.GetItem(index)->KeyName = u"xl/media/image1.png";
  Cell(0, 0)->AddDrawing(index, 1, 2, 30, 40);
  Cell(1, 0)->Assign(*Cell(0, 0));
  EXPECT_EQ(book->Drawings.Count(), 1);
  EXPECT_EQ(book->Drawings.GetItem(0)->References.size(), 2u);

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

TEST_F(DrawingTest, EndCellWalksColumnsAndRowsUpToTheSheetEdge) {
  TSheetPixelGrid grid;
  grid.DefaultColWidth = 64;
  grid.DefaultRowHeight = 20;
  int col, row, x, y;
  Cell(2, 3)->AddDrawing(AddPhoto(), 0, 0, 96, 48)->GetEndCell(grid, col, row, x, y);
  EXPECT_EQ((std::array{col, row, x, y}), (std::array{3, 5, 32, 8}));
  grid.ColWidths = {0, 0, 0};
  grid.DefaultColWidth = 0;  // hidden columns never use up an offset
  Cell(0, 0)->AddDrawing(AddPhoto(), 0, 0, 5, 5)->GetEndCell(grid, col, row, x, y);
  EXPECT_EQ(col, 16383);
}

}  // namespace
}  // namespace workbook
