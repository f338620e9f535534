#include <gtest/gtest.h>

#include "workbook/formats/xml_test_support.h"
#include "workbook/formats/xml_writer_capture.h"
#include "workbook/model/model_fixture.h"

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/model/cell.h"
#include "workbook/model/drawing.h"

namespace workbook {
namespace {

using test::XmlScratch;

TMemoryStream Bytes(const std::string& bytes) {
  TMemoryStream stream;
  stream.WriteString(bytes);
  stream.SetPosition(0);
  return stream;
}

class DrawingTest : public test::SheetTest {
 protected:
  void SetUp() override {
    test::SheetTest::SetUp();
    sheet->SetName(u"Pics");
  }
  TExportCell* Cell(int col, int row) {
    return sheet->FindCreateCell(col, row, TCellClass::Empty, false);
  }
  int AddPhoto(const std::u16string& name = u"C:\\img\\Photo.JPG") {
    TMemoryStream data = Bytes("\x89PNG-bytes");
    return book->Drawings.AddImage(data, name);
  }
};

TEST_F(DrawingTest, AddImageTakesNameExtensionAndBytesFromThePosition) {
  TMemoryStream data = Bytes("skipJPEGDATA");
  data.SetPosition(4);
  const int index = book->Drawings.AddImage(data, u"C:\\img\\Photo.JPG");
  auto* image = dynamic_cast<TExportImage*>(book->Drawings.GetItem(index));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Name, u"Photo");
  EXPECT_EQ(image->Extension, u"jpg");
  EXPECT_EQ(image->GetODSFileName(index), u"Pictures/Pic1.jpg");
  EXPECT_EQ(image->GetXLSXFileName(index), u"xl/media/image1.jpg");
  EXPECT_EQ(image->Data.Size(), 8);
  EXPECT_EQ(image->WriteODSManifestEntry(index),
            u"<manifest:file-entry manifest:media-type=\"image/jpeg\" "
            u"manifest:full-path=\"Pictures/Pic1.jpg\" />");
}

TEST_F(DrawingTest, FreedPictureLeavesItsPlacementsEmpty) {
  const int index = AddPhoto();
  TExportCellDrawing* placed = Cell(1, 1)->AddDrawing(index, 0, 0, 10, 10);
  book->Drawings.Delete(index);
  EXPECT_EQ(placed->Drawing(), nullptr);
  XmlScratch xml("xdr:wsDr");
  placed->WriteXLSX(xml.Root(), 0, TSheetPixelGrid());
  EXPECT_EQ(xml.Text(), "<xdr:wsDr/>");
}

TEST_F(DrawingTest, XlsxAnchorOfAPicture) {
  TExportCellDrawing* placed = Cell(2, 3)->AddDrawing(AddPhoto(), 4, 2, 96, 48);
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
  TExportCellDrawing* placed = Cell(0, 0)->AddDrawing(AddPhoto(), 10, 20, 96, 48);
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
