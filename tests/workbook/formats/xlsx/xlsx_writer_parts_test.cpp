// Fixed parts of the XLSX writer compared with texts written out by hand, and the seeks the
// memory-stream list the writers assemble streamed parts with refuses (every written package read
// by the peers joins its parts).
#include <gtest/gtest.h>

#include <stdexcept>

#include "../../model/model_fixture.h"
#include "workbook/core/xml/xml_document.h"
#include "workbook/formats/xlsx/xlsx_memory_stream_list.h"
#include "workbook/formats/xlsx/xlsx_package_parts.h"
#include "workbook/formats/xlsx/xlsx_palette.h"
#include "workbook/formats/xlsx/xlsx_shared_strings_writer.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/workbook.h"

namespace workbook {
namespace {

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

class XLSXWriterPartsTest : public ModelTest {};

TEST_F(XLSXWriterPartsTest, WorkbookPartNamesSheetsWithEscapesAnd1904) {
  TWorkbook book;
  book.AddWorkSheet(u"A&B");
  book.AddWorkSheet(u"a&b");
  book.Date1904 = true;
  EXPECT_EQ(
      XLSXWorkbookPart(book),
      kDecl +
          "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
          "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
          "<fileVersion appName=\"xl\" lastEdited=\"4\" lowestEdited=\"4\" rupBuild=\"4506\"/>"
          "<workbookPr date1904=\"1\" defaultThemeVersion=\"124226\" />"
          "<sheets><sheet name=\"A&amp;B\" sheetId=\"1\" r:id=\"rId5\"/>"
          "<sheet name=\"a&amp;b (2)\" sheetId=\"2\" r:id=\"rId6\"/></sheets>"
          "<definedNames></definedNames><calcPr calcId=\"125725\" /></workbook>");
}

TEST_F(XLSXWriterPartsTest, WorkbookRelationshipsSkipPartsNotWritten) {
  TXLSXPackageContents contents;
  contents.SheetCount = 1;
  const std::string types = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
  EXPECT_EQ(XLSXWorkbookRelationships(contents),
            kDecl +
                "<Relationships "
                "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                "<Relationship Id=\"rId1\" Type=\"" +
                types +
                "styles\" Target=\"styles.xml\"/>"
                "<Relationship Id=\"rId2\" Type=\"" +
                types +
                "theme\" Target=\"theme/theme1.xml\"/>"
                "<Relationship Id=\"rId5\" Type=\"" +
                types + "worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>");
}

TEST_F(XLSXWriterPartsTest, ContentTypesListSharedStringsOnlyWhenWritten) {
  TXLSXPackageContents contents;
  contents.SheetCount = 1;
  contents.SharedStringsWritten = true;
  const std::string text = XLSXContentTypes(contents);
  EXPECT_NE(text.find("<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/"
                      "vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"),
            std::string::npos);
  EXPECT_EQ(text.find("calcChain"), std::string::npos);
  EXPECT_NE(text.find("<Default Extension=\"vml\" ContentType=\"application/"
                      "vnd.openxmlformats-officedocument.vmlDrawing\" />"),
            std::string::npos);
}

TEST_F(XLSXWriterPartsTest, StylesOfAnEmptyExport) {
  TWorkbook book;
  TExporterXLSX_StyleSheet styles(book, true);
  TXmlDocument document;
  styles.WriteStyles(document);
  TXmlNode root = document.DocumentElement();
  EXPECT_EQ(root.FindPath("numFmts").Attr("count"), "0");
  EXPECT_EQ(root.FindPath("fills").Attr("count"), "2");
  EXPECT_EQ(root.FindPath("cellXfs").Attr("count"), "1");
  TXmlNode xf = root.FindPath("cellXfs").FirstElement();
  EXPECT_EQ(xf.Attr("numFmtId"), "0");
  EXPECT_EQ(xf.Attr("applyAlignment"), "1");
  EXPECT_TRUE(xf.Child("alignment"));
  EXPECT_FALSE(xf.HasAttr("applyProtection"));
  EXPECT_FALSE(root.FindPath("dxfs"));
}

TEST_F(XLSXWriterPartsTest, StylesDifferingOnlyByFormatGetTwoXfsAndTheFirstCustomIdIs165) {
  TWorkbook book;
  TExportRow* row = book.AddWorkSheet(u"S")->AddRow();
  TExportCell* a = row->AddCellString(u"a");
  TExportCell* b = row->AddCellString(u"b");
  TExportCell* c = row->AddCellString(u"c");
  b->SetFormatCode(u"0.000", false);
  TExporterXLSX_StyleSheet styles(book, true);
  const int xfA = styles.AddStyle(a->GetStyle(), a);
  const int xfB = styles.AddStyle(b->GetStyle(), b);
  EXPECT_EQ(styles.AddStyle(c->GetStyle(), c), xfA);
  EXPECT_NE(xfA, xfB);
  EXPECT_NE(xfA, 0);
  EXPECT_EQ(styles.GetStyle(xfB).NumFmtId, 165);
}

TEST_F(XLSXWriterPartsTest, SharedStringEntriesPreserveEdgeBlanksAndEscapeInvalidCharacters) {
  TWorkbook book;
  TExportRow* row = book.AddWorkSheet(u"S")->AddRow();
  auto* padded = row->AddCellString(u" x<y ");
  auto* control = row->AddCellString(
      u"a\x0B"
      u"b\r\nc");
  auto* literal = row->AddCellString(u"_x000D_ and _x00e9_ stay text");
  EXPECT_EQ(TXLSXSharedStrings_Export::BuildEntry(*padded),
            "<t xml:space=\"preserve\"> x&lt;y </t>");
  EXPECT_EQ(TXLSXSharedStrings_Export::BuildEntry(*control), "<t>a_x000B_b\nc</t>");
  EXPECT_EQ(TXLSXSharedStrings_Export::BuildEntry(*literal),
            "<t>_x005F_x000D_ and _x005F_x00e9_ stay text</t>");
  TXLSXSharedStrings_Export table;
  EXPECT_EQ(table.Add("<t>a</t>"), 0u);
  EXPECT_EQ(table.Add("<t>b</t>"), 1u);
  EXPECT_EQ(table.Add("<t>a</t>"), 0u);
}

TEST_F(XLSXWriterPartsTest, FilledXFWithoutBordersCarriesTheFillFlagAndPaletteIndex) {
  TWorkbook book;
  TExportCell* cell = book.AddWorkSheet(u"S")->AddRow()->AddCellString(u"x");
  cell->GetStyle().SetBGColor(RGBToColor(0xFF, 0, 0));
  TExporterXLSX_StyleSheet styles(book, true);
  ASSERT_EQ(styles.AddStyle(cell->GetStyle(), cell), 1);
  TExporterXLSX_Palette palette;
  TMemoryStream stream;
  styles.WriteXLS(stream, palette);
  // The last record is the cell's XF: header, then 20 bytes.
  const std::vector<std::uint8_t>& bytes = stream.Data();
  ASSERT_GE(bytes.size(), 24u);
  const std::uint8_t* xf = bytes.data() + bytes.size() - 20;
  EXPECT_EQ(xf[-4] | xf[-3] << 8, 0xE0);
  EXPECT_EQ(xf[-2] | xf[-1] << 8, 20);
  EXPECT_EQ(xf[9], 0xFC);
  const std::uint32_t colors =
      xf[14] | xf[15] << 8 | xf[16] << 16 | static_cast<std::uint32_t>(xf[17]) << 24;
  EXPECT_EQ(colors, 1u << 26);
  EXPECT_EQ((xf[18] | xf[19] << 8) & 0x7F, palette.GetColorIndex(RGBToColor(0xFF, 0, 0)));
}

TEST(XLSXMemoryStreamListTest, RefusesSeeksItCannotServe) {
  TExporterXLSX_MemoryStreamList list;
  auto part = std::make_unique<TMemoryStream>();
  part->WriteString("abc");
  list.AddStream(std::move(part));
  EXPECT_EQ(list.Seek(0, TSeekOrigin::End), 3);
  try {
    list.Seek(1, TSeekOrigin::Current);
    FAIL() << "seek served";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "TExporterXLSX_MemoryStreamList supports seeking only to 0.");
  }
}

}  // namespace
}  // namespace workbook
