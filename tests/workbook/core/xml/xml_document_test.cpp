#include "workbook/core/xml/xml_document.h"

#include <gtest/gtest.h>

#include "support/thrown.h"
#include "workbook/core/xml/xml_error.h"

using namespace workbook;

namespace {

const std::string kWorkbook =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<workbookPr date1904=\"1\"/>"
    "<sheets><sheet name=\"Hárok1\" sheetId=\"1\" r:id=\"rId5\"/>"
    "<sheet name=\"A &amp; B\" sheetId=\"2\" r:id=\"rId6\"/></sheets>"
    "<definedNames><definedName name=\"_xlnm.Print_Area\" localSheetId=\"0\">"
    "'Hárok1'!$A$1:$B$2</definedName></definedNames>"
    "</workbook>";

}  // namespace

// Paths, attributes and texts of the tree are read by every XLSX part reader and its tests.
TEST(XmlDocument, XPathWithRegisteredNamespaces) {
  TXmlDocument doc;
  doc.LoadFromString(kWorkbook);
  doc.RegisterNamespace("m", "http://schemas.openxmlformats.org/spreadsheetml/2006/main");
  doc.RegisterNamespace("r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships");
  std::vector<TXmlNode> sheets = doc.SelectNodes("/m:workbook/m:sheets/m:sheet[@r:id='rId6']");
  ASSERT_EQ(sheets.size(), 1u);
  EXPECT_EQ(sheets[0].Attr("sheetId"), "2");
  // Without its prefix the default namespace is out of XPath's reach.
  EXPECT_TRUE(doc.SelectNodes("/workbook/sheets/sheet").empty());
  EXPECT_EQ(doc.SelectSingleNode("//m:sheets").SelectSingleNode("m:sheet/@name").Text(), "Hárok1");
  testing::internal::CaptureStderr();
  EXPECT_THROW(doc.SelectNodes("//m:sheet["), EXmlError);
  EXPECT_THROW(doc.SelectNodes("//q:sheet"), EXmlError);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(XmlDocument, MalformedRaisesWithoutPrinting) {
  TXmlDocument doc;
  testing::internal::CaptureStderr();
  EXPECT_EQ(test_support::Thrown<EXmlError>([&] { doc.LoadFromString("<a><b></a>"); }),
            "XML error at line 1, column 11: Opening and ending tag mismatch: b line 1 and a.");
  EXPECT_THROW(doc.LoadFromString(""), EXmlError);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_FALSE(doc.DocumentElement());
}

TEST(XmlDocument, MixedContentFromTheStreamPosition) {
  TMemoryStream stream;
  stream.WriteString(
      "junk<si><r><t xml:space=\"preserve\"> a </t></r><r><t>b&#13;&#10;c</t></r>"
      "<rPh><t>ph</t></rPh></si>");
  stream.SetPosition(4);
  TXmlDocument doc;
  doc.LoadFromStream(stream);
  EXPECT_EQ(doc.DocumentElement().Text(), " a b\r\ncph");
}

TEST(XmlDocument, BuildsAndSerialises) {
  TXmlDocument doc;
  TXmlNode root = doc.CreateRoot("worksheet");
  root.SetAttr("xmlns", "http://schemas.openxmlformats.org/spreadsheetml/2006/main");
  root.SetAttr("xmlns:r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships");
  TXmlNode sheetData = root.AddChild("sheetData");
  TXmlNode hyperlinks = root.AddChild("hyperlinks");
  TXmlNode merge = root.InsertChildBefore("mergeCells", hyperlinks);
  hyperlinks.Remove();
  merge.SetAttr("count", "0");
  TXmlNode link = root.AddChild("drawing");
  link.SetAttr("r:id", u"rId1");
  sheetData.SetText(u"{96C15ADC} <&> \"q\" \x01\x1F\t");
  TXmlNode c = merge.AddChild("mergeCell");
  c.SetAttr("ref", "A1:B2");
  c.SetAttr("ref", "C1:D2");
  c.SetAttr("note", "a\"b\nc");
  EXPECT_EQ(
      doc.SaveToString(),
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
      "<sheetData>{96C15ADC} &lt;&amp;&gt; \"q\" \t</sheetData>"
      "<mergeCells count=\"0\"><mergeCell ref=\"C1:D2\" note=\"a&quot;b&#10;c\"/></mergeCells>"
      "<drawing r:id=\"rId1\"/></worksheet>\n");
}

TEST(XmlDocument, PrefixedRootJoinsItsNamespaceWhenDeclared) {
  TXmlDocument doc;
  TXmlNode root = doc.CreateRoot("office:document-content");
  root.SetAttr("xmlns:office", "urn:oasis:names:tc:opendocument:xmlns:office:1.0");
  root.SetAttr("xmlns:table", "urn:oasis:names:tc:opendocument:xmlns:table:1.0");
  root.SetAttr("office:version", "1.2");
  TXmlNode table =
      root.AddChild("office:body").AddChild("office:spreadsheet").AddChild("table:table");
  table.SetAttr("table:name", u"Hárok1");
  EXPECT_EQ(root.NamespaceURI(), "urn:oasis:names:tc:opendocument:xmlns:office:1.0");
  EXPECT_EQ(
      doc.SaveToString(),
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
      "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" office:version=\"1.2\">"
      "<office:body><office:spreadsheet><table:table table:name=\"Hárok1\"/></office:spreadsheet>"
      "</office:body></office:document-content>\n");
}
