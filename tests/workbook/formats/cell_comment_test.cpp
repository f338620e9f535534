#include <gtest/gtest.h>

#include "workbook/formats/xml_test_support.h"
#include "workbook/formats/xml_writer_capture.h"
#include "workbook/model/model_fixture.h"

#include "workbook/formats/cell_write_context.h"
#include "workbook/formats/ods/ods_comment_drawing_style.h"
#include "workbook/formats/xlsx/xlsx_cell_comment.h"
#include "workbook/formats/xlsx/xlsx_sheet_attachments.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/rich_text.h"

namespace workbook {
namespace {

using test::XmlScratch;

class CommentTest : public test::SheetTest {
 protected:
  TExportCell* Cell(int col, int row) {
    return sheet->FindCreateCell(col, row, TCellClass::Empty, false);
  }
};

// The parts are numbered by the sheet's position (one sheet's parts reach the package in the
// XLSX writer's peer test).
TEST_F(CommentTest, PartNamesFollowTheSheetPosition) {
  TExporterXLSX_CommentsInWorkSheet second(*book->AddWorkSheet(u"Notes"));
  EXPECT_EQ(second.GetCommentsFileName(false), u"xl/comments2.xml");
  EXPECT_EQ(second.GetVmlDrawingFileName(true), u"/xl/drawings/vmlDrawing2.vml");
}

TEST_F(CommentTest, CommentsPart) {
  Cell(2, 4)->GetComment().SetText(u"x < y & \"z\"");
  Cell(0, 0)->GetComment().SetText(u"second");
  TExporterXLSX_CommentsInWorkSheet comments(*sheet);
  EXPECT_EQ(comments.AddComment(*Cell(2, 4)->CommentIfAny()), 0);
  EXPECT_EQ(comments.AddComment(*Cell(0, 0)->CommentIfAny()), 1);
  EXPECT_EQ(comments.CommentsXML(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<comments xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
            "xml:space=\"preserve\"><authors><author /></authors><commentList>"
            "<comment ref=\"C5\" authorId=\"0\"><text><t>x &lt; y &amp; &quot;z&quot;</t></text>"
            "</comment><comment ref=\"A1\" authorId=\"0\"><text><t>second</t></text></comment>"
            "</commentList></comments>\n");
}

TEST_F(CommentTest, VmlPartPlacesTheBoxes) {
  TExporterXLSX_CommentsInWorkSheet comments(*sheet);
  Cell(1, 2)->GetComment().SetText(u"a");
  comments.AddComment(*Cell(1, 2)->CommentIfAny());
  const std::string vml = comments.VMLDrawing(TSheetPixelGrid());
  // Right of column B (128 px) + 20 = 148 px = 111 pt; below row 2 (40 px) + 20 = 45 pt.
  EXPECT_EQ(vml, test::GoldenText("comment_vml.xml"));
}

TEST_F(CommentTest, ThirdShapeNumbersAndAlignments) {
  TExporterXLSX_CommentsInWorkSheet comments(*sheet);
  for (int i = 0; i < 3; ++i) {
    TExportCellComment& comment = Cell(i, 0)->GetComment();
    comment.SetText(u"n");
    comment.Alignment = 0;
    comment.VAlignment = static_cast<std::uint8_t>(i == 2 ? 0 : 5);
    comments.AddComment(comment);
  }
  const std::string vml = comments.VMLDrawing(TSheetPixelGrid());
  const std::size_t third = vml.find("<v:shape id=\"_x0000_s1027\"");
  ASSERT_NE(third, std::string::npos);
  EXPECT_NE(vml.find("z-index:3;", third), std::string::npos);
  EXPECT_NE(vml.find("<x:TextHAlign>left</x:TextHAlign><x:TextVAlign>bottom</x:TextVAlign>", third),
            std::string::npos);
  EXPECT_NE(vml.find("<x:TextVAlign>distributed</x:TextVAlign>"), std::string::npos);
}

// A box's size, fill colour and alignments as read from a VML shape.
TEST_F(CommentTest, ReadsTheVmlBox) {
  const struct {
    const char* shape;
    int width, height;
    TColor color;
    std::uint8_t align, valign;
  } kCases[] = {
      {"<v:shape style=\"position:absolute;width:112.5pt;height:59.25pt\" fillcolor=\"#ffffe1\">"
       "<x:ClientData><x:TextHAlign>Center</x:TextHAlign><x:TextVAlign>Justify</x:TextVAlign>"
       "</x:ClientData></v:shape>",
       150, 79, 0xE1FFFF, 2, 4},
      // A system colour, no alignment, a height that is no length.
      {"<v:shape style=\"width: 96pt ; height:x\" fillcolor=\"infoBackground [80]\"/>", 128, 0,
       0xC0FFFF, 0, 0},
      // Another producer's prefixes and pixel lengths.
      {"<ns0:shape xmlns:ns0=\"urn:schemas-microsoft-com:vml\" style=\"width:144px;height:79px\">"
       "<ns2:ClientData xmlns:ns2=\"urn:schemas-microsoft-com:office:excel\"><ns2:TextHAlign>"
       "Right</ns2:TextHAlign></ns2:ClientData></ns0:shape>",
       144, 79, 0xC0FFFF, 3, 0},
      // A huge size is capped.
      {"<v:shape style=\"width:99999999999999999999pt;height:1e5pt\"><x:ClientData>"
       "<x:TextHAlign>right</x:TextHAlign><x:TextVAlign>d</x:TextVAlign></x:ClientData></v:shape>",
       100000, 1, 0xC0FFFF, 3, 5},
  };
  for (const auto& c : kCases) {
    XmlScratch xml("x");
    xml.Load(std::string("<xml xmlns:v=\"urn:schemas-microsoft-com:vml\" "
                         "xmlns:x=\"urn:schemas-microsoft-com:office:excel\">") +
             c.shape + "</xml>");
    TExportCellComment comment;
    comment.ReadXLSXVml(xml.Root().FirstElement());
    EXPECT_EQ(comment.Bounds.GetWidth(), c.width) << c.shape;
    EXPECT_EQ(comment.Bounds.GetHeight(), c.height) << c.shape;
    EXPECT_EQ(comment.Color, c.color) << c.shape;
    EXPECT_EQ(comment.Alignment, c.align) << c.shape;
    EXPECT_EQ(comment.VAlignment, c.valign) << c.shape;
  }
}

TEST_F(CommentTest, ReadsCommentsAndTheirBoxesIntoCells) {
  XmlScratch comments("x"), vml("y");
  comments.Load(
      "<comments xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
      "<authors><author>me</author></authors><commentList>"
      "<comment ref=\"B2\" authorId=\"0\"><text><r><rPr><b/></rPr><t>me:</t></r>"
      "<r><t xml:space=\"preserve\"> hello</t></r></text></comment>"
      "<comment ref=\"XFE1\" authorId=\"0\"><text><t>beyond</t></text></comment>"
      "<comment ref=\"C3\" authorId=\"0\"><text><t>plain</t></text></comment>"
      "</commentList></comments>");
  vml.Load(
      "<xml xmlns:v=\"urn:schemas-microsoft-com:vml\" "
      "xmlns:x=\"urn:schemas-microsoft-com:office:excel\">"
      "<v:shape style=\"width:75pt\"><x:ClientData><x:Row>1</x:Row><x:Column>1</x:Column>"
      "</x:ClientData></v:shape>"
      "<v:shape style=\"width:75pt\"><x:ClientData><x:Row>99999999999</x:Row>"
      "<x:Column>1</x:Column></x:ClientData></v:shape>"
      "<v:shape style=\"width:75pt\"><x:ClientData><x:Row>7</x:Row><x:Column>7</x:Column>"
      "</x:ClientData></v:shape></xml>");
  ReadXLSXComments(*sheet, comments.Root(), vml.Root());
  TExportCell* cell = nullptr;
  ASSERT_TRUE(sheet->FindCell(1, 1, cell) && cell);
  EXPECT_EQ(cell->CommentIfAny()->GetText(), u"me: hello");
  EXPECT_EQ(cell->CommentIfAny()->Bounds.GetWidth(), 100);
  ASSERT_TRUE(sheet->FindCell(2, 2, cell) && cell);
  EXPECT_EQ(cell->CommentIfAny()->GetText(), u"plain");
  EXPECT_EQ(cell->CommentIfAny()->Bounds.GetWidth(), 150);
  EXPECT_FALSE(sheet->FindCell(7, 7, cell) && cell);  // a shape names no new cell
}

TEST_F(CommentTest, OdsAnnotation) {
  struct : ICellWriteContext {
    std::uint32_t SharedStringIndex(const TExportCellString&) override { return 0; }
  } context;
  TExportCellComment& comment = Cell(0, 1)->GetComment();
  EXPECT_EQ(test::WriterText([&](TXmlWriter& w) {
              comment.WriteODS(w, TSheetPixelGrid(), u"gr1", u"P1", context);
            }),
            "");
  comment.SetText(u"  two  spaces\r\nline 2\nend");
  const std::string text = test::WriterText(
      [&](TXmlWriter& w) { comment.WriteODS(w, TSheetPixelGrid(), u"gr2", u"P3", context); });
  // Right of column A (64 px) + 20 = 84 px = 2.357 cm; below row 1 (20 px) + 20 = 1.122 cm;
  // 150 px = 4.209 cm.
  EXPECT_EQ(text,
            "<office:annotation draw:style-name=\"gr2\" draw:text-style-name=\"P3\" "
            "svg:x=\"2.357cm\" svg:y=\"1.122cm\" svg:width=\"4.209cm\" svg:height=\"4.209cm\">"
            "<text:p><text:s/><text:s/>two <text:s/>spaces</text:p>"
            "<text:p>line 2</text:p><text:p>end</text:p></office:annotation>");
}

TEST_F(CommentTest, OdsFrameOfTheBox) {
  TExportCellComment& comment = Cell(0, 0)->GetComment();
  TExportCommentDrawingStyle style;
  comment.GetODSDrawingStyle(style);
  XmlScratch xml("p");
  style.WriteODS(xml.Root());
  EXPECT_EQ(xml.Text(),
            "<p draw:fill=\"solid\" draw:fill-color=\"#FFFFC0\" "
            "draw:stroke-dash=\"Ultrafine_20_Dotted_20__28_var_29_\" draw:stroke=\"dash\" "
            "svg:stroke-color=\"#555555\" svg:stroke-width=\"0.017cm\" "
            "draw:auto-grow-height=\"false\" draw:auto-grow-width=\"false\"/>");
}

TEST_F(CommentTest, RichRunsAreReadCopiedAndWritten) {
  XmlScratch xml("x");
  xml.Load(
      "<comment xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" ref=\"A1\">"
      "<text><r><rPr><b/><sz val=\"9\"/><rFont val=\"Tahoma\"/></rPr><t>Ann:</t></r>"
      "<r><t xml:space=\"preserve\"> hi</t></r><rPh><t>x</t></rPh></text></comment>");
  TExportCellComment& comment = Cell(0, 0)->GetComment();
  comment.GetRichText().AddTag(1, TExportFont());  // dropped by the read
  comment.ReadXLSX(xml.Root());
  // A phonetic run is a reading of the text, not part of it.
  EXPECT_EQ(comment.GetText(), u"Ann: hi");
  ASSERT_NE(comment.RichTextIfAny(), nullptr);
  ASSERT_EQ(comment.RichTextIfAny()->Count(), 2);
  EXPECT_EQ(comment.RichTextIfAny()->GetTag(0)->Position, 1);
  EXPECT_EQ(comment.RichTextIfAny()->GetTag(0)->Font.GetName(), u"Tahoma");
  EXPECT_EQ(comment.RichTextIfAny()->GetTag(1)->Position, 5);

  Cell(1, 0)->Assign(*Cell(0, 0));
  ASSERT_NE(Cell(1, 0)->CommentIfAny()->RichTextIfAny(), nullptr);
  EXPECT_EQ(Cell(1, 0)->CommentIfAny()->RichTextIfAny()->Count(), 2);

  TExporterXLSX_CommentsInWorkSheet comments(*sheet);
  comments.AddComment(comment);
  const std::string part = comments.CommentsXML();
  // The first run's font as read (absent style elements read as off), then the second run.
  EXPECT_NE(part.find("<text><r><rPr><b/><i val=\"0\"/>"), std::string::npos) << part;
  EXPECT_NE(part.find("<sz val=\"9\"/><rFont val=\"Tahoma\"/></rPr><t>Ann:</t></r><r>"),
            std::string::npos)
      << part;
  EXPECT_NE(part.find("<t> hi</t></r></text>"), std::string::npos) << part;

  // A plain text read again has no runs left.
  xml.Load("<comment><text><t>plain</t></text></comment>");
  comment.ReadXLSX(xml.Root());
  EXPECT_EQ(comment.RichTextIfAny(), nullptr);
}

}  // namespace
}  // namespace workbook
