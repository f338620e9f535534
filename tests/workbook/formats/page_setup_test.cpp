#include "workbook/model/page_setup.h"

#include <gtest/gtest.h>

#include "workbook/core/exceptions.h"
#include "workbook/core/hashed_strings.h"
#include "workbook/formats/sheet_record_support.h"
#include "workbook/formats/xls/biff_builder.h"
#include "workbook/model/page_setup_fixture.h"

namespace workbook {
namespace {

using namespace xls_test;
using test::OneRecord;
using test::XmlScratch;

class PageSetupFileTest : public test::PageSetupTest {
 protected:
  std::string WriteXLSX() {
    XmlScratch xml("worksheet");
    page().WriteXLSX(xml.Root());
    return xml.Text();
  }
};

TEST_F(PageSetupFileTest, EveryOptionInXlsx) {
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

// Values openpyxl writes are read in the sheet-extras peer test; here the damaged and the
// extreme ones.
TEST_F(PageSetupFileTest, XlsxReadersConvertAndClamp) {
  XmlScratch xml("x");
  xml.Load(R"(<x><pageMargins left="1" right="0.5" top="1" bottom="1" header="0.5" footer="x"/>)"
           R"(<pageSetup scale="99999" useFirstPageNumber="true" firstPageNumber="4294967291"/>)"
           R"(</x>)");
  page().ReadXLSXMargins(xml.Root().Child("pageMargins"));
  EXPECT_DOUBLE_EQ(sheet->Header.Margin, 2.54 - 1.27);
  EXPECT_DOUBLE_EQ(sheet->Footer.Margin, 1.0);  // not a number: unchanged
  page().ReadXLSXPageSetup(xml.Root().Child("pageSetup"));
  EXPECT_EQ(page().Scale, 400);
  EXPECT_EQ(page().FitToWidth, 1);  // absent: 1
  EXPECT_EQ(page().FirstPageNumber, -5);
  xml.Load(R"(<pageSetup firstPageNumber="7"/>)");
  page().ReadXLSXPageSetup(xml.Root());
  EXPECT_FALSE(page().UseFirstPageNumber);
  EXPECT_EQ(page().FirstPageNumber, 1);
}

TEST_F(PageSetupFileTest, HeaderRecords) {
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

TEST_F(PageSetupFileTest, BiffRecordsInOrder) {
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

TEST_F(PageSetupFileTest, SetupRoundTripsANegativeFirstPage) {
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
  EXPECT_EQ(other->PageSettings.PageOrder, 0);
  EXPECT_NEAR(other->Header.Margin, 1.5, 1e-12);
}

TEST_F(PageSetupFileTest, OdsPageLayout) {
  sheet->Header.Center.SetText(u"x");
  page().Orientation = 1;
  page().UseFirstPageNumber = true;
  page().FirstPageNumber = 3;
  page().Centering = 2;
  page().FitToPage = true;
  page().FitToWidth = 1;
  page().PrintGridLines = true;
  XmlScratch xml("style:page-layout-properties");
  page().WriteODS(xml.Root());
  EXPECT_EQ(xml.Text(),
            "<style:page-layout-properties fo:margin-left=\"2cm\" fo:margin-top=\"1cm\" "
            "fo:margin-right=\"2cm\" fo:margin-bottom=\"2cm\" style:first-page-number=\"3\" "
            "style:table-centering=\"vertical\" style:print-orientation=\"landscape\" "
            "style:print-page-order=\"ttb\" style:scale-to-X=\"1\" fo:page-width=\"29.7cm\" "
            "fo:page-height=\"21cm\" style:print=\"charts drawings objects zero-values grid\"/>");
}

TEST_F(PageSetupFileTest, OdsRegions) {
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

TEST_F(PageSetupFileTest, PrintRanges) {
  EXPECT_TRUE(page().ReadXLSXPrintArea(u"'Sheet1'!$A$1:$D$20"));
  EXPECT_EQ(page().GetODSPrintRanges(), u"'Sheet1'.A1:'Sheet1'.D20");
  EXPECT_FALSE(page().ReadXLSXPrintArea(u"#REF!"));
  EXPECT_EQ(page().PrintArea.Col2(), 3);
  TExportWorkSheet* other = book->AddWorkSheet(u"Other");
  other->PageSettings.ReadXLSXPrintTitles(u"'Other'!$3:$3");
  EXPECT_FALSE(other->PageSettings.TitleCols.HasCols());
  EXPECT_EQ(other->PageSettings.GetXLSXPrintTitles(), u"'Other'!$3:$3");
  other->PageSettings.ReadXLSXPrintTitles(u"Other!$C:$C;Other!junk");
  EXPECT_EQ(other->PageSettings.GetXLSXPrintTitles(), u"'Other'!$C:$C,'Other'!$3:$3");
}

TEST_F(PageSetupFileTest, SheetCopyTakesPageSetupHeadersAndProtection) {
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
