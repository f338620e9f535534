// Fixed parts of the XLSX writer compared with texts written out by hand, the worksheet part as
// the memory-stream list joins it, and the list's reads and the seeks it refuses.
#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "../../model/model_fixture.h"
#include "workbook/core/xml/xml_document.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/formats/xlsx/xlsx_memory_stream_list.h"
#include "workbook/formats/xlsx/xlsx_package_parts.h"
#include "workbook/formats/xlsx/xlsx_palette.h"
#include "workbook/formats/xlsx/xlsx_shared_strings_writer.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/formats/zip/compression_stream.h"
#include "workbook/formats/zip/zip_archive.h"
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
  TXLSXSharedStrings_Export table;
  EXPECT_EQ(table.BuildEntry(*padded), "<t xml:space=\"preserve\"> x&lt;y </t>");
  EXPECT_EQ(table.BuildEntry(*control), "<t>a_x000B_b\nc</t>");
  EXPECT_EQ(table.BuildEntry(*literal), "<t>_x005F_x000D_ and _x005F_x00e9_ stay text</t>");
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

// The worksheet part is joined from the text around sheetData and the rows' parts of about
// 10,000 cells; the parts hold the same bytes whether or not they pass the compression wrappers.
TEST_F(XLSXWriterPartsTest, SheetPartsAreTheSameWithOrWithoutTheCompressionWrappers) {
  StartWorkbookLibrary();
  TWorkbook book;
  TExportWorkSheet* sheet = book.AddWorkSheet(u"S");
  for (int r = 0; r < 2500; ++r)
    for (int c = 0; c < 10; ++c) sheet->GetRow(r)->AddCellNumber(r * 10 + c, 0);
  std::string sheets[2];
  const bool saved = WorkbookCompressTempData;
  for (const bool compress : {true, false}) {
    WorkbookCompressTempData = compress;
    TMemoryStream package;
    TExporterXLSX().ExportToStream(package, book);
    TZipArchive zip(package, TZipArchiveMode::Read);
    TMemoryStream part;
    ASSERT_TRUE(zip.ExtractToStream(u"xl/worksheets/sheet1.xml", part));
    sheets[compress] = part.AsString();
  }
  WorkbookCompressTempData = saved;
  EXPECT_EQ(sheets[0], sheets[1]);
  const std::string& text = sheets[1];
  EXPECT_EQ(text.find("{96C15ADC"), std::string::npos);
  EXPECT_NE(text.find("</cols><sheetData><row ht=\"13.5\" customHeight=\"1\" r=\"1\">"
                      "<c r=\"A1\" s=\"2\"><v>0</v></c>"),
            std::string::npos);
  EXPECT_NE(text.find("<c r=\"J2500\" s=\"2\"><v>24999</v></c></row></sheetData><pageMargins"),
            std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 13), "</worksheet>\n");
}

std::unique_ptr<TMemoryStream> ListPart(const std::string& text, bool compressed) {
  auto stream = std::make_unique<TMemoryStream>();
  if (compressed) {
    TCompressionStream packer(*stream);
    packer.WriteString(text);
    packer.Finish();
  } else {
    stream->WriteString(text);
  }
  return stream;
}

std::string ReadList(TExporterXLSX_MemoryStreamList& list, std::size_t step) {
  std::string read;
  std::string chunk(step, '\0');
  for (std::size_t n; (n = list.Read(chunk.data(), step)) > 0;) read.append(chunk, 0, n);
  return read;
}

std::string Rows(int first, int count) {
  std::string text;
  for (int r = first; r < first + count; ++r) text += "<row r=\"" + std::to_string(r) + "\"/>";
  return text;
}

// Parts inserted in front and appended, plain or held deflated, read as one stream; a rewind
// reads the same bytes again.
TEST(XLSXMemoryStreamListTest, JoinsItsPartsInOrderAndRereadsAfterARewind) {
  TExporterXLSX_MemoryStreamList list;
  list.AddCompressed(ListPart("<rows/>", true));
  list.AddStream(ListPart("<head>", false), 0);
  list.AddStream(ListPart("", false));
  list.AddCompressed(ListPart("", true));
  list.AddStream(ListPart("</head>", false));
  EXPECT_EQ(list.Size(), 20);
  for (int pass = 0; pass < 2; ++pass) {
    list.SetPosition(0);
    EXPECT_EQ(ReadList(list, 3), "<head><rows/></head>");
  }
}

// Deflated parts count with their uncompressed sizes: the size, the position and reads across
// their boundaries are those of the joined text, and a rewind in the middle of one starts over.
TEST(XLSXMemoryStreamListTest, SizesAndSeeksOverDeflatedParts) {
  TExporterXLSX_MemoryStreamList list;
  std::string whole;
  for (int part = 0; part < 3; ++part) {
    const std::string rows = Rows(part * 5000, 5000);
    list.AddCompressed(ListPart(rows, true));
    whole += rows;
  }
  list.AddStream(ListPart("<tail/>", false));
  whole += "<tail/>";
  EXPECT_EQ(list.Seek(0, TSeekOrigin::End), static_cast<std::int64_t>(whole.size()));
  std::string start(whole.size() / 3 + 10, '\0');  // into the second part
  list.ReadBuffer(start.data(), start.size());
  EXPECT_EQ(start, whole.substr(0, start.size()));
  EXPECT_EQ(list.Position(), static_cast<std::int64_t>(start.size()));
  EXPECT_EQ(list.Seek(static_cast<std::int64_t>(start.size()), TSeekOrigin::Current),
            static_cast<std::int64_t>(start.size()));
  EXPECT_EQ(list.Seek(0, TSeekOrigin::Beginning), 0);
  EXPECT_EQ(ReadList(list, 4093), whole);
  EXPECT_EQ(list.Size(), static_cast<std::int64_t>(whole.size()));
}

// A zip entry joined from the list: deflated parts as they are, plain ones deflated on the way,
// empty ones of either kind skipped; the list reads as before afterwards.
TEST(XLSXMemoryStreamListTest, GoesIntoAZipEntryAsOneText) {
  TExporterXLSX_MemoryStreamList list;
  list.AddStream(ListPart("<sheet>", false));
  list.AddCompressed(ListPart(Rows(0, 20000), true));
  list.AddStream(ListPart("", false));
  list.AddCompressed(ListPart("", true));
  list.AddStream(ListPart(Rows(20000, 10), false));
  list.AddCompressed(ListPart("</sheet>", true));
  const std::string whole = "<sheet>" + Rows(0, 20000) + Rows(20000, 10) + "</sheet>";
  TMemoryStream package;
  {
    TZipArchive zip(package, TZipArchiveMode::Create);
    list.AddToZip(zip, u"xl\\part.xml");
    zip.Save();
  }
  TZipArchive zip(package, TZipArchiveMode::Read);
  TMemoryStream part;
  ASSERT_TRUE(zip.ExtractToStream(u"xl/part.xml", part));
  EXPECT_EQ(part.AsString(), whole);
  EXPECT_LT(package.Size() * 4, static_cast<std::int64_t>(whole.size()));
  list.SetPosition(0);
  EXPECT_EQ(ReadList(list, 65536), whole);
}

// Going into a zip entry is where the parts are compressed, so the dialog's compressing stage
// follows them there, a megabyte at a time, up to the whole.
TEST_F(XLSXWriterPartsTest, ReportsCompressingWhileGoingIntoAZipEntry) {
  TWorkbook book;
  std::vector<std::pair<long long, long long>> heard;
  book.OnProgress = [&](TWorkbook&, int stage, long long position, long long max) {
    if (stage == wpsCompressing) heard.emplace_back(position, max);
  };
  TExporterXLSX_MemoryStreamList list(&book);
  list.AddCompressed(ListPart(Rows(0, 100000), true));
  list.AddStream(ListPart(Rows(100000, 100000), false));
  list.AddCompressed(ListPart(Rows(200000, 100000), true));
  const long long megabytes = list.Size() >> 20;
  ASSERT_GE(megabytes, 4);
  TMemoryStream package;
  TZipArchive zip(package, TZipArchiveMode::Create);
  list.AddToZip(zip, u"xl/part.xml");
  ASSERT_GE(heard.size(), 3u);
  for (std::size_t i = 0; i < heard.size(); ++i) {
    EXPECT_EQ(heard[i].second, megabytes);
    if (i > 0) EXPECT_GT(heard[i].first, heard[i - 1].first);
  }
  EXPECT_EQ(heard.front().first, 0);
  EXPECT_EQ(heard.back().first, megabytes);
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
