#include <gtest/gtest.h>

#include "xlsx_test_support.h"

#include "workbook/model/cell.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/drawing.h"

namespace workbook {
namespace {

constexpr const char* kRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
constexpr const char* kRelType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

TXLSXParts WithAttachments() {
  TXLSXParts parts = TXLSXParts::Standard("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>");
  parts.Parts["xl/worksheets/_rels/sheet1.xml.rels"] =
      std::string(kRels) + "<Relationship Id=\"rId1\" Type=\"" + kRelType +
      "drawing\" Target=\"../drawings/drawing1.xml\"/><Relationship Id=\"rId2\" Type=\"" +
      kRelType + "comments\" Target=\"/xl/comments1.xml\"/><Relationship Id=\"rId3\" Type=\"" +
      kRelType + "vmlDrawing\" Target=\"../drawings/vmlDrawing1.vml\"/></Relationships>";
  parts.Parts["xl/drawings/drawing1.xml"] =
      "<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\" "
      "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
      "<xdr:twoCellAnchor><xdr:from><xdr:col>1</xdr:col><xdr:colOff>0</xdr:colOff>"
      "<xdr:row>1</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:to><xdr:col>2</xdr:col>"
      "<xdr:colOff>0</xdr:colOff><xdr:row>2</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:to>"
      "<xdr:pic><xdr:blipFill><a:blip r:embed=\"rId1\"/></xdr:blipFill></xdr:pic>"
      "</xdr:twoCellAnchor>"
      "<xdr:twoCellAnchor><xdr:from><xdr:col>3</xdr:col><xdr:colOff>0</xdr:colOff>"
      "<xdr:row>3</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:to><xdr:col>4</xdr:col>"
      "<xdr:colOff>0</xdr:colOff><xdr:row>4</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:to>"
      "<xdr:pic><xdr:blipFill><a:blip r:embed=\"rId2\"/></xdr:blipFill></xdr:pic>"
      "</xdr:twoCellAnchor></xdr:wsDr>";
  parts.Parts["xl/drawings/_rels/drawing1.xml.rels"] =
      std::string(kRels) + "<Relationship Id=\"rId1\" Type=\"" + kRelType +
      "image\" Target=\"../media/image1.png\"/><Relationship Id=\"rId2\" Type=\"" + kRelType +
      "image\" Target=\"../media/gone.png\"/></Relationships>";
  parts.Parts["xl/media/image1.png"] = "PNG";
  parts.Parts["xl/comments1.xml"] =
      "<comments xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
      "<authors><author/></authors><commentList><comment ref=\"A1\" authorId=\"0\">"
      "<text><t>note</t></text></comment></commentList></comments>";
  parts.Parts["xl/drawings/vmlDrawing1.vml"] =
      "<xml xmlns:v=\"urn:schemas-microsoft-com:vml\" "
      "xmlns:x=\"urn:schemas-microsoft-com:office:excel\"><v:shape style=\"width:75pt\">"
      "<x:ClientData ObjectType=\"Note\"><x:Row>0</x:Row><x:Column>0</x:Column>"
      "</x:ClientData></v:shape></xml>";
  return parts;
}

class XLSXSheetAttachments : public XLSXReaderTest {
 protected:
  TExportCell* Cell(int col, int row) {
    TExportCell* cell = nullptr;
    Book->WorkSheets.GetItem(0)->FindCell(col, row, cell);
    return cell;
  }
};

TEST_F(XLSXSheetAttachments, PicturesAndCommentsLoadAndMissingImagesAreLeftOut) {
  Load(WithAttachments());
  EXPECT_EQ(Text(0, 0, 0), u"1");
  ASSERT_EQ(Book->Drawings.Count(), 1);
  ASSERT_NE(Cell(1, 1), nullptr);
  ASSERT_NE(Cell(1, 1)->DrawingsIfAny(), nullptr);
  EXPECT_EQ(Cell(1, 1)->DrawingsIfAny()->GetItem(0)->Bounds.GetWidth(), 64);
  EXPECT_EQ(Cell(3, 3), nullptr);
  ASSERT_TRUE(Cell(0, 0)->HasComment());
  EXPECT_EQ(Cell(0, 0)->CommentIfAny()->GetText(), u"note");
  EXPECT_EQ(Cell(0, 0)->CommentIfAny()->Bounds.GetWidth(), 100);
}

TEST_F(XLSXSheetAttachments, CommentsWithoutTheirVmlPartKeepTheirText) {
  TXLSXParts parts = WithAttachments();
  parts.Parts.erase("xl/drawings/vmlDrawing1.vml");
  Load(parts);
  ASSERT_TRUE(Cell(0, 0)->HasComment());
  EXPECT_EQ(Cell(0, 0)->CommentIfAny()->Bounds.GetWidth(), 150);
}

}  // namespace
}  // namespace workbook
