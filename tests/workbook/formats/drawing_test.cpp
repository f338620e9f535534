#include <gtest/gtest.h>

#include "workbook/formats/xml_test_support.h"
#include "workbook/formats/xml_writer_capture.h"
#include "workbook/model/model_fixture.h"

#include "workbook/model/cell.h"
#include "workbook/model/drawing.h"

namespace workbook {
namespace {

using test::XmlScratch;

// A sheet "Pics" with a picture read from the fifth byte of a stream.
class DrawingTest : public test::SheetTest {
 protected:
  void SetUp() override {
    test::SheetTest::SetUp();
    sheet->SetName(u"Pics");
    TMemoryStream data(std::vector<std::uint8_t>{'s', 'k', 'i', 'p', 'J', 'P', 'E', 'G', 'D', 'A'});
    data.SetPosition(4);
    photo_ = book->Drawings.AddImage(data, u"C:\\img\\Photo.JPG");
  }
  TExportCellDrawing* Place(int col, int row, int x, int y) {
    return sheet->FindCreateCell(col, row, TCellClass::Empty, false)
        ->AddDrawing(photo_, x, y, 96, 48);
  }
  int photo_ = -1;
};

TEST_F(DrawingTest, AddImageTakesNameExtensionAndBytesFromThePosition) {
  auto* image = dynamic_cast<TExportImage*>(book->Drawings.GetItem(photo_));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Name, u"Photo");
  EXPECT_EQ(image->Extension, u"jpg");
  EXPECT_EQ(image->GetODSFileName(photo_), u"Pictures/Pic1.jpg");
  EXPECT_EQ(image->GetXLSXFileName(photo_), u"xl/media/image1.jpg");
  EXPECT_EQ(image->Data.Size(), 6);
  EXPECT_EQ(image->WriteODSManifestEntry(photo_),
            u"<manifest:file-entry manifest:media-type=\"image/jpeg\" "
            u"manifest:full-path=\"Pictures/Pic1.jpg\" />");
}

TEST_F(DrawingTest, FreedPictureLeavesItsPlacementsEmpty) {
  TExportCellDrawing* placed = Place(1, 1, 0, 0);
  book->Drawings.Delete(photo_);
  EXPECT_EQ(placed->Drawing(), nullptr);
  XmlScratch xml("xdr:wsDr");
  placed->WriteXLSX(xml.Root(), 0, TSheetPixelGrid());
  EXPECT_EQ(xml.Text(), "<xdr:wsDr/>");
}

TEST_F(DrawingTest, XlsxAnchorOfAPicture) {
  TExportCellDrawing* placed = Place(2, 3, 4, 2);
  placed->GetBorder().FillType = TExportDrawingFill::ftSolid;
  placed->GetBorder().Color = 0x0000FF;
  placed->GetBorder().Width = 2;
  placed->GetBorder().Dash = TExportDrawingBorder::dsDashed;
  XmlScratch xml("xdr:wsDr");
  placed->WriteXLSX(xml.Root(), 0, TSheetPixelGrid());
  // Bounds 4,2 to 100,50 in 64 x 20 cells: the far corner is 36 pixels into column 4 and
  // 10 into row 5; EMU are 9535 per pixel.
  EXPECT_EQ(xml.Text(), test::GoldenText("picture_anchor.xml"));
}

TEST_F(DrawingTest, OdsFrameOfAPicture) {
  TExportCellDrawing* placed = Place(0, 0, 10, 20);
  const std::string text = test::WriterText([&](TXmlWriter& writer) {
    writer.StartElement("c");
    placed->WriteODS(writer, TSheetPixelGrid(), u"Pics", u"gr1");
  });
  // 10 px = 0.281 cm; width 96 px = 2.694 cm; height 48 px = 36 pt; far corner 106, 68 px =
  // column B + 42 px (1.179 cm), row 4 + 8 px (6 pt).
  EXPECT_NE(text.find("<draw:frame draw:style-name=\"gr1\" svg:x=\"0.281cm\" svg:y=\"0.561cm\" "
                      "svg:width=\"2.694cm\" svg:height=\"36pt\" "
                      "table:end-cell-address=\"'Pics'.B4\" table:end-x=\"1.179cm\" "
                      "table:end-y=\"6pt\"><draw:image xlink:href=\"Pictures/Pic1.jpg\"/>"
                      "</draw:frame>"),
            std::string::npos)
      << text;
}

}  // namespace
}  // namespace workbook
