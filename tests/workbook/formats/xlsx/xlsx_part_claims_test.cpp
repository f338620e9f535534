// A package part is read for one sheet only: relationships naming it again make the package
// invalid instead of costing a read each. Comment parts come without their VML boxes here.
#include <gtest/gtest.h>

#include "workbook/core/exceptions.h"
#include "workbook/model/cell_comment.h"
#include "xlsx_test_support.h"

namespace workbook {
namespace {

std::string Relationship(const std::string& id, const std::string& type,
                         const std::string& target) {
  return "<Relationship Id=\"" + id + "\" Type=\"" + kRelNS + "/" + type + "\" Target=\"" + target +
         "\"/>";
}

// Two sheets with the given worksheet parts.
TXLSXParts Sheets(const std::string& first, const std::string& second) {
  TXLSXParts parts = TXLSXParts::Standard(R"(<row r="1"><c r="A1"><v>1</v></c></row>)");
  parts.SetSheets({{"S1", first}, {"S2", second}});
  return parts;
}

// Sheet part `sheet` (1-based) names the comments part `comments`.
void WithComments(TXLSXParts& parts, int sheet, const std::string& comments) {
  const std::string name = "sheet" + std::to_string(sheet) + ".xml";
  parts.Parts["xl/worksheets/" + name] = SheetXml(R"(<row r="1"><c r="A1"><v>1</v></c></row>)");
  parts.Parts["xl/worksheets/_rels/" + name + ".rels"] =
      "<Relationships xmlns=\"" + kPackageRelNS + "\">" + Relationship("c", "comments", comments) +
      "</Relationships>";
  parts.Parts["xl/" + comments.substr(3)] =
      "<comments xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
      "<authors><author>a</author></authors><commentList><comment ref=\"A1\" authorId=\"0\">"
      "<text><t>note</t></text></comment></commentList></comments>";
}

class XLSXPartClaimsTest : public XLSXReaderTest {};

TEST_F(XLSXPartClaimsTest, APartNamedForTwoSheetsIsAnInvalidPackage) {
  struct Case {
    const char* title;
    TXLSXParts parts;
    std::u16string part;  // the part the message names; empty: the package loads
  };
  std::vector<Case> cases;
  cases.push_back({"one worksheet part for two sheets",
                   Sheets("worksheets/sheet1.xml", "/xl/worksheets/sheet1.xml"),
                   u"xl/worksheets/sheet1.xml"});
  cases.push_back({"one comments part for two sheets",
                   Sheets("worksheets/sheet1.xml", "worksheets/sheet2.xml"), u"xl/comments1.xml"});
  WithComments(cases.back().parts, 1, "../comments1.xml");
  WithComments(cases.back().parts, 2, "../comments1.xml");
  cases.push_back(
      {"each sheet its own parts", Sheets("worksheets/sheet1.xml", "worksheets/sheet2.xml"), u""});
  WithComments(cases.back().parts, 1, "../comments1.xml");
  WithComments(cases.back().parts, 2, "../comments2.xml");

  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    if (c.part.empty()) {
      Load(c.parts);
      EXPECT_EQ(Book->WorkSheets.Count(), 2);
      // Comments without their VML part keep their text in a box of the default size.
      TExportCell* cell = nullptr;
      ASSERT_TRUE(Book->WorkSheets.GetItem(1)->FindCell(0, 0, cell));
      ASSERT_TRUE(cell->HasComment());
      EXPECT_EQ(cell->CommentIfAny()->GetText(), u"note");
      EXPECT_EQ(cell->CommentIfAny()->Bounds.GetWidth(), 150);
      continue;
    }
    try {
      Load(c.parts);
      ADD_FAILURE() << "loaded";
    } catch (const EWorkbookFileException& e) {
      EXPECT_EQ(e.Message(), u"The file is not a valid XLSX (Excel 2007) file.\r\n\r\n" + c.part +
                                 u": named by more than one sheet relationship");
    }
  }
}

}  // namespace
}  // namespace workbook
