#include "workbook/model/page_setup.h"

#include <gtest/gtest.h>

#include <cstring>

#include "workbook/core/exceptions.h"
#include "workbook/core/hashed_strings.h"
#include "workbook/formats/sheet_record_support.h"
#include "workbook/formats/xls/biff_builder.h"

namespace workbook {
namespace {

using namespace xls_test;
using test::OneRecord;
using test::XmlScratch;

class PageSetupTest : public test::SheetTest {
 protected:
  TExportPageSettings& page() { return sheet->PageSettings; }
  std::string WriteXLSX() {
    XmlScratch xml("worksheet");
    page().WriteXLSX(xml.Root());
    return xml.Text();
  }
  static TExportFont Tahoma() {
    TExportFont font;
    font.SetName(u"Tahoma");
    font.SetSize(10);
    return font;
  }
};

TEST_F(PageSetupTest, NewPageSetupInXlsx) {
  EXPECT_EQ(WriteXLSX(),
            "<worksheet><pageMargins left=\"0.78740157480315\" right=\"0.78740157480315\" "
            "top=\"0.78740157480315\" bottom=\"0.78740157480315\" header=\"0.393700787401575\" "
            "footer=\"0.393700787401575\"/><pageSetup orientation=\"portrait\" "
            "pageOrder=\"downThenOver\" paperSize=\"9\" fitToWidth=\"0\" fitToHeight=\"0\"/>"
            "</worksheet>");
}

TEST_F(PageSetupTest, EveryOptionInXlsx) {
  page().Centering = 3;
  page().PrintHeaders = true;
  page().PrintGridLines = true;
  page().Scale = 75;
  page().Orientation = 1;
  page().PageOrder = 0;
  page().FitToWidth = 1;
  page().FitToHeight = 2;
  page().UseFirstPageNumber = true;
  page().FirstPageNumber = -5;
  page().TopMargin = 0.5;  // header margin 1 would lie above the page: written as 0
  EXPECT_EQ(WriteXLSX(),
            "<worksheet><printOptions horizontalCentered=\"1\" verticalCentered=\"1\" "
            "headings=\"1\" gridLines=\"1\"/><pageMargins left=\"0.78740157480315\" "
            "right=\"0.78740157480315\" top=\"0.196850393700787\" bottom=\"0.78740157480315\" "
            "header=\"0\" footer=\"0.393700787401575\"/><pageSetup scale=\"75\" "
            "orientation=\"landscape\" pageOrder=\"overThenDown\" paperSize=\"9\" "
            "fitToWidth=\"1\" fitToHeight=\"2\" firstPageNumber=\"4294967291\" "
            "useFirstPageNumber=\"1\"/></worksheet>");
}

TEST_F(PageSetupTest, XlsxReadersConvertAndClamp) {
  XmlScratch xml("x");
  xml.Load(R"(<x><pageMargins left="1" right="0.5" top="1" bottom="1" header="0.5" footer="x"/>)"
           R"(<pageSetup scale="99999" orientation="landscape" pageOrder="overThenDown" )"
           R"(useFirstPageNumber="true" firstPageNumber="4294967291"/>)"
           R"(<printOptions horizontalCentered="true" gridLines="1"/></x>)");
  page().ReadXLSXMargins(xml.Root().Child("pageMargins"));
  EXPECT_DOUBLE_EQ(page().LeftMargin, 2.54);
  EXPECT_DOUBLE_EQ(page().RightMargin, 1.27);
  EXPECT_DOUBLE_EQ(sheet->Header.Margin, 2.54 - 1.27);
  EXPECT_DOUBLE_EQ(sheet->Footer.Margin, 1.0);  // not a number: unchanged
  page().ReadXLSXPageSetup(xml.Root().Child("pageSetup"));
  EXPECT_EQ(page().Scale, 400);
  EXPECT_EQ(page().FitToWidth, 1);  // absent: 1
  EXPECT_EQ(page().Orientation, 1);
  EXPECT_EQ(page().PageOrder, 0);
  EXPECT_TRUE(page().UseFirstPageNumber);
  EXPECT_EQ(page().FirstPageNumber, -5);
  page().ReadXLSXPrintOptions(xml.Root().Child("printOptions"));
  EXPECT_EQ(page().Centering, TExportPageSettings::ctHorizontal);
  EXPECT_TRUE(page().PrintGridLines);
  EXPECT_FALSE(page().PrintHeaders);
  xml.Load(R"(<pageSetup firstPageNumber="7"/>)");
  page().ReadXLSXPageSetup(xml.Root());
  EXPECT_FALSE(page().UseFirstPageNumber);
  EXPECT_EQ(page().FirstPageNumber, 1);
  EXPECT_EQ(page().Orientation, 0);
  EXPECT_EQ(page().PageOrder, 1);
}

TEST_F(PageSetupTest, HeaderRecords) {
  TExportHeaders& header = sheet->Header;
  header.Center.SetExcelText(u"&P");
  EXPECT_EQ(test::Hex(header.WriteXLS(0x0014)), "14 00 0B 00 04 00 01 26 00 43 00 26 00 50 00");
  header.Center.SetExcelText(std::u16string(400, u'x'));
  EXPECT_EQ(header.WriteXLS(0x0015).size(), 4u + 3 + 2 * 255);
  OneRecord record(Record(0x0014, Join({Word(5), {0}, Chars(u"&Rabc", false)})));
  header.ReadXLS(record.Reader());
  EXPECT_EQ(header.Right.Text, u"abc");
  EXPECT_EQ(header.Center.Text, u"");
  OneRecord empty(Record(0x0014, {}));
  header.ReadXLS(empty.Reader());
  EXPECT_FALSE(header.HasText());
  // A count the record cannot hold drops the text and keeps the header as it was.
  header.Right.SetExcelText(u"kept");
  OneRecord lying(Record(0x0014, Join({Word(500), {0}, Chars(u"&Rabc", false)})));
  header.ReadXLS(lying.Reader());
  EXPECT_EQ(header.Right.Text, u"kept");
}

double DoubleAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  double value;
  std::memcpy(&value, bytes.data() + offset, 8);
  return value;
}

TEST_F(PageSetupTest, BiffRecordsOfANewSheet) {
  const std::vector<std::uint8_t> bytes = page().WriteXLS();
  // GUTS, four margins, SETUP.
  ASSERT_EQ(bytes.size(), 12u + 4 * 12 + 38);
  EXPECT_EQ(test::Hex({bytes.begin(), bytes.begin() + 12}), "80 00 08 00 00 00 00 00 00 00 00 00");
  EXPECT_EQ(test::Hex({bytes.begin() + 12, bytes.begin() + 16}), "26 00 08 00");
  EXPECT_DOUBLE_EQ(DoubleAt(bytes, 16), 2 / 2.54);
  const std::size_t setup = 12 + 48;
  EXPECT_EQ(test::Hex({bytes.begin() + setup, bytes.begin() + setup + 20}),
            "A1 00 22 00 09 00 64 00 00 00 00 00 00 00 02 00 00 00 00 00");
  EXPECT_DOUBLE_EQ(DoubleAt(bytes, setup + 20), 1 / 2.54);
  EXPECT_DOUBLE_EQ(DoubleAt(bytes, setup + 28), 1 / 2.54);
  EXPECT_EQ(test::Hex({bytes.begin() + setup + 36, bytes.end()}), "01 00");
}

TEST_F(PageSetupTest, BiffRecordsInOrder) {
  sheet->GetRow(4)->PageBreak = true;
  sheet->GetRow(2)->SetOutlineLevel(2);
  sheet->GetCol(3)->PageBreak = true;
  page().PrintHeaders = true;
  page().PrintGridLines = true;
  page().Centering = 3;
  sheet->Footer.Right.SetExcelText(u"f");
  const std::vector<std::uint8_t> bytes = page().WriteXLS();
  std::vector<std::uint16_t> ids;
  for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4 + (bytes[at + 2] | bytes[at + 3] << 8))
    ids.push_back(static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8));
  EXPECT_EQ(ids, (std::vector<std::uint16_t>{0x1B, 0x1A, 0x2A, 0x2B, 0x80, 0x15, 0x83, 0x84, 0x26,
                                             0x27, 0x28, 0x29, 0xA1}));
  EXPECT_EQ(test::Hex({bytes.begin(), bytes.begin() + 12}), "1B 00 08 00 01 00 04 00 00 00 FF FF");
  const std::size_t guts = 12 + 12 + 6 + 6;
  EXPECT_EQ(test::Hex({bytes.begin() + guts, bytes.begin() + guts + 12}),
            "80 00 08 00 1D 00 00 00 03 00 00 00");
}

TEST_F(PageSetupTest, SetupRoundTripsANegativeFirstPage) {
  page().UseFirstPageNumber = true;
  page().FirstPageNumber = -5;
  page().Orientation = 1;
  page().PageOrder = 0;
  page().Scale = 80;
  sheet->Header.Margin = 1.5;
  const std::vector<std::uint8_t> bytes = page().WriteXLS();
  const std::vector<std::uint8_t> setup(bytes.end() - 38, bytes.end());
  EXPECT_EQ(test::Hex({setup.begin(), setup.begin() + 20}),
            "A1 00 22 00 09 00 50 00 FB FF 00 00 00 00 81 00 00 00 00 00");
  TExportWorkSheet* other = book->AddWorkSheet(u"Other");
  OneRecord record(setup);
  other->PageSettings.ReadXLSSetup(record.Reader());
  EXPECT_EQ(other->PageSettings.FirstPageNumber, -5);
  EXPECT_TRUE(other->PageSettings.UseFirstPageNumber);
  EXPECT_EQ(other->PageSettings.Orientation, 1);
  EXPECT_EQ(other->PageSettings.PageOrder, 0);
  EXPECT_EQ(other->PageSettings.Scale, 80);
  EXPECT_NEAR(other->Header.Margin, 1.5, 1e-12);
}

TEST_F(PageSetupTest, BiffRecordDispatch) {
  const std::pair<std::uint16_t, Bytes> records[] = {
      {0x0026, Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},  // 1 inch
      {0x0083, Word(1)},
      {0x002B, Word(1)},
      {0x0015, Join({Word(2), {0}, Chars(u"&L", false)})}};
  for (const auto& [id, data] : records) {
    OneRecord record(Record(id, data));
    EXPECT_TRUE(page().ReadXLSRecord(id, record.Reader()));
  }
  EXPECT_DOUBLE_EQ(page().LeftMargin, 2.54);
  EXPECT_EQ(page().Centering, TExportPageSettings::ctHorizontal);
  EXPECT_TRUE(page().PrintGridLines);
  OneRecord other(Record(0x0200, Word(0)));
  EXPECT_FALSE(page().ReadXLSRecord(0x0200, other.Reader()));
}

TEST_F(PageSetupTest, OdsPageLayout) {
  XmlScratch xml("style:page-layout-properties");
  page().WriteODS(xml.Root());
  EXPECT_EQ(xml.Text(),
            "<style:page-layout-properties fo:margin-left=\"2cm\" fo:margin-top=\"2cm\" "
            "fo:margin-right=\"2cm\" fo:margin-bottom=\"2cm\" "
            "style:print-orientation=\"portrait\" style:print-page-order=\"ttb\" "
            "fo:page-width=\"21cm\" fo:page-height=\"29.7cm\" "
            "style:print=\"charts drawings objects zero-values\"/>");
  sheet->Header.Center.SetText(u"x");
  page().Orientation = 1;
  page().UseFirstPageNumber = true;
  page().FirstPageNumber = 3;
  page().Centering = 2;
  page().FitToPage = true;
  page().FitToWidth = 1;
  page().PrintGridLines = true;
  XmlScratch again("style:page-layout-properties");
  page().WriteODS(again.Root());
  EXPECT_EQ(again.Text(),
            "<style:page-layout-properties fo:margin-left=\"2cm\" fo:margin-top=\"1cm\" "
            "fo:margin-right=\"2cm\" fo:margin-bottom=\"2cm\" style:first-page-number=\"3\" "
            "style:table-centering=\"vertical\" style:print-orientation=\"landscape\" "
            "style:print-page-order=\"ttb\" style:scale-to-X=\"1\" fo:page-width=\"29.7cm\" "
            "fo:page-height=\"21cm\" style:print=\"charts drawings objects zero-values grid\"/>");
}

TEST_F(PageSetupTest, OdsRegions) {
  THashedStrings fontFaces;
  XmlScratch styles("office:automatic-styles");
  XmlScratch empty("style:header");
  sheet->Header.WriteODS(empty.Root(), styles.Root(), fontFaces, u"h");
  EXPECT_EQ(empty.Text(), "<style:header style:display=\"false\"/>");
  sheet->Footer.Right.Font = Tahoma();
  sheet->Footer.Right.SetText(u"Page [PAGENUMBER]\rof [FILENAME] [x]");
  XmlScratch footer("style:footer");
  sheet->Footer.WriteODS(footer.Root(), styles.Root(), fontFaces, u"f");
  EXPECT_EQ(footer.Text(),
            "<style:footer><style:region-right><text:p><text:span text:style-name=\"MTf3\">"
            "Page </text:span><text:page-number>\?\?\?</text:page-number></text:p><text:p>"
            "<text:span text:style-name=\"MTf3\">of </text:span><text:file-name "
            "text:display=\"name-and-extension\">\?\?\?</text:file-name><text:span "
            "text:style-name=\"MTf3\"> [x]</text:span></text:p></style:region-right>"
            "</style:footer>");
  EXPECT_EQ(styles.Text(),
            "<office:automatic-styles><style:style style:name=\"MTf3\" style:family=\"text\">"
            "<style:text-properties style:font-name=\"Tahoma\" fo:color=\"#000000\" "
            "fo:font-size=\"10pt\"/></style:style></office:automatic-styles>");
}

TEST_F(PageSetupTest, PrintRanges) {
  EXPECT_FALSE(page().HasPrintArea());
  EXPECT_EQ(page().GetXLSXPrintArea(), u"");
  EXPECT_TRUE(page().ReadXLSXPrintArea(u"'Sheet1'!$A$1:$D$20"));
  EXPECT_EQ(page().GetXLSXPrintArea(), u"'Sheet1'!$A$1:$D$20");
  EXPECT_EQ(page().GetODSPrintRanges(), u"'Sheet1'.A1:'Sheet1'.D20");
  EXPECT_FALSE(page().ReadXLSXPrintArea(u"#REF!"));
  EXPECT_EQ(page().PrintArea.Col2(), 3);
  page().ReadXLSXPrintTitles(u"Sheet1!$A:$B,Sheet1!$1:$2");
  EXPECT_EQ(page().GetXLSXPrintTitles(), u"'Sheet1'!$A:$B,'Sheet1'!$1:$2");
  TExportWorkSheet* other = book->AddWorkSheet(u"Other");
  other->PageSettings.ReadXLSXPrintTitles(u"'Other'!$3:$3");
  EXPECT_FALSE(other->PageSettings.TitleCols.HasCols());
  EXPECT_EQ(other->PageSettings.GetXLSXPrintTitles(), u"'Other'!$3:$3");
  other->PageSettings.ReadXLSXPrintTitles(u"Other!$C:$C;Other!junk");
  EXPECT_EQ(other->PageSettings.GetXLSXPrintTitles(), u"'Other'!$C:$C,'Other'!$3:$3");
}

TEST_F(PageSetupTest, SheetCopyTakesPageSetupHeadersAndProtection) {
  page().Scale = 60;
  page().PrintArea.SetRange(0, 0, 2, 2);
  sheet->Header.Left.SetExcelText(u"&BBold");
  sheet->Protection.Protected = true;
  TExportWorkSheet* copy = book->AddWorkSheet(u"Copy");
  copy->Assign(*sheet);
  EXPECT_EQ(copy->PageSettings.Scale, 60);
  EXPECT_EQ(copy->PageSettings.GetXLSXPrintArea(), u"'Copy'!A1:B2");
  EXPECT_EQ(copy->Header.Left.Text, u"Bold");
  EXPECT_EQ(copy->Header.Left.GetExcelText(), u"&BBold");
  EXPECT_TRUE(copy->Protection.Protected);
}

}  // namespace
}  // namespace workbook
