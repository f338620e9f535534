// The ODS reader on packages built here: value types, paragraphs, repeats from the file (trusted
// only as far as the data they carry), covered cells, damaged and hostile packages.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <string>

#include "../progress_reports.h"
#include "../xlsx/xlsx_test_support.h"
#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/ods/ods_exporter.h"
#include "workbook/formats/text/recent_texts.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/workbook.h"

namespace workbook {
namespace {

const char* const kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
// A document in another encoding is read by libxml2 alone, never by the fast scanner: the two
// roads must give the same cells.
const char* const kLatin1Declaration = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";
const char* const kRoot =
    "<office:document-content "
    "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
    "xmlns:of=\"urn:oasis:names:tc:opendocument:xmlns:of:1.2\" "
    "xmlns:calcext=\"urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0\">"
    "<office:body><office:spreadsheet>";
const std::string kContentStart = std::string(kDeclaration) + kRoot;
const char* const kContentEnd = "</office:spreadsheet></office:body></office:document-content>";

// Depth elements named name, one inside the other, around inner.
std::string Nested(const std::string& name, int depth, const std::string& inner) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += "<" + name + ">";
  text += inner;
  for (int i = 0; i < depth; ++i) text += "</" + name + ">";
  return text;
}

std::string Table(const std::string& name, const std::string& rows) {
  return "<table:table table:name=\"" + name + "\">" + rows + "</table:table>";
}

class ODSReaderTest : public ModelTest {
 protected:
  void LoadStream(TStream& stream) {
    Book = std::make_unique<TWorkbook>();
    Book->ShowProgress = false;
    TExporterODS exporter;
    Book->LoadFromStream(stream, exporter);
  }
  void LoadParts(const std::map<std::string, std::string>& parts) {
    TMemoryStream stream = TXLSXParts{parts}.Zip();  // any zip package
    LoadStream(stream);
  }
  void LoadTables(const std::string& tables) {
    LoadParts({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
               {"content.xml", kContentStart + tables + kContentEnd}});
  }
  void LoadRows(const std::string& rows) { LoadTables(Table("S", rows)); }
  void LoadRows(const std::string& declaration, const std::string& rows) {
    LoadParts({{"content.xml", declaration + kRoot + Table("S", rows) + kContentEnd}});
  }

  TExportCell* Cell(int row, int col, int sheet = 0) {
    TExportCell* cell = nullptr;
    if (!Book->WorkSheets.GetItem(sheet)->FindCell(col, row, cell)) return nullptr;
    return cell;
  }
  // The first sheet's value texts, a line per row, cells joined by "|".
  std::u16string Dump() {
    std::u16string text;
    TExportWorkSheet& sheet = *Book->WorkSheets.GetItem(0);
    for (int r = 0; r < sheet.Rows.Count(); ++r) {
      for (int c = 0; c < sheet.Rows[r]->Cells.Count(); ++c)
        text += (c ? u"|" : u"") + sheet.Rows[r]->Cells[c]->GetValueText();
      text += u"\n";
    }
    return text;
  }

  std::unique_ptr<TWorkbook> Book;
};

void ExpectInvalid(const std::function<void()>& load) {
  try {
    load();
    ADD_FAILURE() << "loaded";
  } catch (const EWorkbookFileException& error) {
    EXPECT_EQ(error.Message(), WorkbookLng_InvalidODS);
  }
}

// A cell's attributes and content: its class and value text.
TEST_F(ODSReaderTest, ValueTypesAndParagraphs) {
  const std::string text = "office:value-type=\"string\"><text:p>";
  const struct {
    std::string cell;
    TCellClass cellClass;
    std::u16string text;
  } cases[] = {
      {"office:value-type=\"percentage\" office:value=\"0.25\"><text:p>shown</text:p>",
       TCellClass::Number, u"0.25"},
      // A currency amount is read as a plain number.
      {"office:value-type=\"currency\" office:currency=\"EUR\" office:value=\"-12\">",
       TCellClass::Number, u"-12"},
      {"office:value-type=\"date\" office:date-value=\"2021-03-04T05:06:07\">",
       TCellClass::DateTime, u"2021-03-04 05:06:07"},
      {"office:value-type=\"date\" office:date-value=\"2021-03-04\">", TCellClass::DateTime,
       u"2021-03-04 00:00:00"},
      {"office:value-type=\"time\" office:time-value=\"PT10H20M30S\">", TCellClass::Time,
       u"10:20:30"},
      {"office:value-type=\"boolean\" office:boolean-value=\"true\">", TCellClass::Boolean, u"1"},
      // Paragraphs, spaces, tabs and line breaks; a note adds nothing.
      {text + "a</text:p><text:p>b</text:p><office:annotation><text:p>note</text:p>"
              "</office:annotation>",
       TCellClass::String, u"a\r\nb"},
      {text + "a<text:s text:c=\"3\"/>b<text:s/>c</text:p>", TCellClass::String, u"a   b c"},
      {text + "a<text:tab/>b<text:line-break/>c</text:p>", TCellClass::String, u"a\tb\r\nc"},
      {text + "<text:span>x<text:s text:c=\"2\"/></text:span>y</text:p>", TCellClass::String,
       u"x  y"},
      // Spans within spans, as deep as a row may nest, give their text in document order.
      {text + Nested("text:span", 60, "<text:s/>d") + "e</text:p>", TCellClass::String, u" de"},
      // An absurd space count costs no more than a cell's longest text.
      {text + "<text:s text:c=\"99999999999\"/></text:p>", TCellClass::String,
       std::u16string(32767, u' ')},
  };
  for (const auto& c : cases) {
    LoadRows("<table:table-row><table:table-cell " + c.cell +
             "</table:table-cell></table:table-row>");
    ASSERT_NE(Cell(0, 0), nullptr) << c.cell;
    EXPECT_EQ(Cell(0, 0)->CellClass(), c.cellClass) << c.cell;
    EXPECT_EQ(Dump(), c.text + u"\n") << c.cell;
  }
}

TEST_F(ODSReaderTest, RepeatsCoveredCellsGroupsAndHeaderRows) {
  const std::pair<std::string, std::u16string> cases[] = {
      // Repeated rows and cells are copies.
      {"<table:table-row table:number-rows-repeated=\"2\"><table:table-cell office:value-type="
       "\"float\" office:value=\"7\" table:number-columns-repeated=\"2\"/><table:table-cell "
       "table:number-columns-repeated=\"2\"/><table:table-cell office:value-type=\"string\" "
       "table:number-columns-repeated=\"2\"><text:p>z</text:p></table:table-cell></"
       "table:table-row>",
       u"7|7|||z|z\n7|7|||z|z\n"},
      // Filler rows and cells at the end cost nothing.
      {"<table:table-row><table:table-cell office:value-type=\"string\"><text:p>a</text:p>"
       "</table:table-cell><table:table-cell table:number-columns-repeated=\"1000000\"/>"
       "</table:table-row><table:table-row table:number-rows-repeated=\"1048575\">"
       "<table:table-cell table:number-columns-repeated=\"1024\"/></table:table-row>"
       "<table:table-row table:number-rows-repeated=\"1048576\">"
       "<table:table-cell table:number-columns-repeated=\"16384\"/></table:table-row>",
       u"a\n"},
      // Empty rows and cells in front keep the positions.
      {"<table:table-row table:number-rows-repeated=\"2\"><table:table-cell/></table:table-row>"
       "<table:table-row><table:table-cell table:number-columns-repeated=\"3\"/>"
       "<table:table-cell office:value-type=\"float\" office:value=\"2\"/></table:table-row>",
       u"\n\n|||2\n"},
      // A covered cell with a value keeps it; the one behind a span adds nothing.
      {"<table:table-header-rows><table:table-row><table:table-cell "
       "table:number-columns-spanned=\"2\" office:value-type=\"string\"><text:p>h</text:p>"
       "</table:table-cell><table:covered-table-cell/></table:table-row></table:table-header-rows>"
       "<table:table-row-group><table:table-row><table:covered-table-cell "
       "office:value-type=\"string\"><text:p>c</text:p></table:covered-table-cell>"
       "<table:table-cell office:value-type=\"float\" office:value=\"3\" "
       "table:formula=\"of:=[.A1]+1\"/></table:table-row></table:table-row-group>",
       u"h\nc|3\n"},
  };
  for (const auto& [rows, dump] : cases) {
    LoadRows(rows);
    EXPECT_EQ(Dump(), dump) << rows;
  }
  EXPECT_EQ(Cell(1, 1)->GetFormula(), u"=A1+1");
}

// What our writer leaves out (the zero result of a formula, empty rows) the reader restores.
TEST_F(ODSReaderTest, WrittenRepeatsSpansAndFormulasReadBack) {
  StartWorkbookLibrary();
  TWorkbook book;
  TExportRow* row = book.AddWorkSheet(u"First")->AddRow();
  row->AddCellString(u"wide");
  row->Cells[0]->SetColSpan(3);
  row->AddCellNumber(0, 0)->SetFormula(u"=SUM(A1:B2,C3)");
  row->AddCellNumber(0, 0)->SetFormula(u"=2*3");
  TExportRow* last = book.WorkSheets[0]->GetRow(4);
  last->AddCellString(u"after gap");
  last->AddCellBoolean(true);
  book.AddWorkSheet(u"Empty");
  TMemoryStream stream;
  TExporterODS().ExportToStream(stream, book);
  stream.SetPosition(0);
  LoadStream(stream);
  EXPECT_EQ(Dump(), u"wide|||0|6\n\n\n\nafter gap|1\n");
  EXPECT_EQ(Cell(0, 3)->GetFormula(), u"=SUM(A1:B2,C3)");
  EXPECT_EQ(Book->WorkSheets[1]->Name, u"Empty");
}

// A formula's value in the file is its result, of every value type: calculating the cells (as a
// writer does) leaves what the file holds, where the formula would now give another day (TODAY())
// or nothing (an empty cell).
TEST_F(ODSReaderTest, FormulaResultsAreTheFilesValues) {
  LoadRows(
      "<table:table-row><table:table-cell table:formula=\"of:=[.Z9]+7\" "
      "office:value-type=\"float\" office:value=\"9\"/><table:table-cell "
      "table:formula=\"of:=TODAY()\" office:value-type=\"date\" "
      "office:date-value=\"2020-01-02\"/><table:table-cell table:formula=\"of:=[.Z9]\" "
      "office:value-type=\"time\" office:time-value=\"PT06H00M00S\"/><table:table-cell "
      "table:formula=\"of:=[.Z9]=0\" office:value-type=\"boolean\" "
      "office:boolean-value=\"false\"/></table:table-row>");
  for (TExportCell* cell : Book->WorkSheets[0]->Rows[0]->Cells) cell->Calculate();
  EXPECT_EQ(Dump(), u"9|2020-01-02 00:00:00|06:00:00|0\n");
}

// An error is marked by LibreOffice's calcext:value-type, whatever office:value-type says; the
// paragraph names it. An error value without a formula of its own is held as the formula of
// that error alone, which is no formula of the cell.
TEST_F(ODSReaderTest, ErrorsReadAsErrorValues) {
  const struct {
    std::string attributes;
    std::string text;
    std::uint8_t code;
    std::u16string formula;
  } cases[] = {
      {"table:formula=\"of:=#N/A\" office:value-type=\"string\" office:string-value=\"\"", "#N/A",
       0x2A, u""},
      {"table:formula=\"of:=1/0\" office:value-type=\"string\" office:string-value=\"\"", "#DIV/0!",
       0x07, u"=1/0"},
      {"office:value-type=\"float\" office:value=\"0\"", "#NUM!", 0x24, u""},
      // LibreOffice's own errors, which no other format has, read as #N/A.
      {"table:formula=\"of:=SQRT(-1)\" office:value-type=\"string\"", "Err:502", 0x2A,
       u"=SQRT(-1)"},
  };
  for (const auto& c : cases) {
    LoadRows("<table:table-row><table:table-cell " + c.attributes +
             " calcext:value-type=\"error\"><text:p>" + c.text +
             "</text:p></table:table-cell></table:table-row>");
    ASSERT_EQ(Cell(0, 0)->CellClass(), TCellClass::Boolean) << c.text;
    const auto* error = static_cast<TExportCellBoolean*>(Cell(0, 0));
    EXPECT_TRUE(error->IsErrorValue) << c.text;
    EXPECT_EQ(error->ErrorCode(), c.code) << c.text;
    EXPECT_EQ(error->GetFormula(), c.formula) << c.text;
    EXPECT_EQ(Dump(), u"\n") << c.text;
  }
}

TEST_F(ODSReaderTest, ElementsAreKnownByTheirNamespacesNotTheirPrefixes) {
  LoadParts({{"content.xml",
              "<o:document-content xmlns:o=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
              "xmlns:t=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
              "xmlns:x=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><o:body><o:spreadsheet>"
              "<t:table t:name=\"P\"><t:table-row><t:table-cell o:value-type=\"float\" "
              "o:value=\"2.5\"/><t:table-cell><x:p>a<x:s x:c=\"2\"/>b</x:p></t:table-cell>"
              "</t:table-row></t:table></o:spreadsheet></o:body></o:document-content>"}});
  EXPECT_EQ(Book->WorkSheets.GetItem(0)->Name, u"P");
  EXPECT_EQ(Dump(), u"2.5|a  b\n");
}

// Each table named as its element says; the rows' progress measured by content.xml, ending full.
TEST_F(ODSReaderTest, TablesAreNamedAndRowsReportProgressToTheirEnd) {
  std::string rows;
  for (int i = 0; i < 12000; ++i)
    rows += "<table:table-row><table:table-cell office:value-type=\"float\" office:value=\"" +
            std::to_string(i) + "\"/></table:table-row>";
  TMemoryStream stream = TXLSXParts{
      {{"content.xml",
        kContentStart + Table("Rows", rows) + Table("Two", "") + Table("&lt;3", "") +
            kContentEnd}}}.Zip();
  Book = std::make_unique<TWorkbook>();
  std::vector<TProgressReport> reports;
  RecordProgress(*Book, reports);
  TExporterODS exporter;
  Book->LoadFromStream(stream, exporter);
  ASSERT_EQ(Book->WorkSheets.Count(), 3);
  EXPECT_EQ(Book->WorkSheets[0]->Name, u"Rows");
  EXPECT_EQ(Book->WorkSheets[1]->Name, u"Two");
  EXPECT_EQ(Book->WorkSheets[2]->Name, u"<3");
  EXPECT_EQ(Book->WorkSheets[0]->Rows.Count(), 12000);
  ExpectPhaseEndsFull(reports, wpsRows);
  ExpectPhaseEndsFull(reports, wpsWorkSheet);
}

const char* const kOfficeURI = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
const char* const kTableURI = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";

// What XML lets a file write in several ways reads as one value, on both parsing roads.
TEST_F(ODSReaderTest, TextAndAttributesReadAlikeWhicheverParserReadsThem) {
  const std::string text = "<table:table-cell office:value-type=\"string\"><text:p>";
  const std::string end = "</text:p></table:table-cell>";
  const std::string value7 = "<table:table-cell office:value-type=\"float\" office:value=\"7\"/>";
  const struct {
    std::string cells;
    std::u16string dump;
    std::u16string formula;
  } cases[] = {
      {text + "&lt;a&gt; &amp; &quot;&apos; &#x17D;&#382;" + end, u"<a> & \"' \u017D\u017E\n", u""},
      {text + "<![CDATA[<b>&amp;]]>" + end, u"<b>&amp;\n", u""},
      {text + "a<!-- note -->b<?pi data?>c" + end, u"abc\n", u""},
      // Line ends read as LF; a written character reference keeps its CR.
      {text + "a\r\nb&#13;c" + end, u"a\nb\rc\n", u""},
      // Elements of other namespaces inside a paragraph give their text.
      {text + "a<x:y xmlns:x=\"urn:x\">b</x:y>c" + end, u"abc\n", u""},
      {"<table:table-cell office:value-type='float' office:value='2.5'/>", u"2.5\n", u""},
      {"<table:table-cell office:value-type=\"float\" office:value=\"3\" "
       "table:formula=\"of:=&quot;a&amp;b&quot;&amp;[.A1]\"/>",
       u"3\n", u"=\"a&b\"&A1"},
      // Names are known by their namespaces, also when bound in the row, or by default.
      {std::string("<table-cell xmlns=\"") + kTableURI +
           "\" office:value-type=\"float\" office:value=\"4\"/>",
       u"4\n", u""},
      {std::string("<table:table-cell xmlns:v=\"") + kOfficeURI +
           "\" v:value-type=\"float\" v:value=\"5\"/>",
       u"5\n", u""},
      // The usual prefix bound to another namespace is that other namespace's: no value; the
      // next cell has the prefix back.
      {"<table:table-cell xmlns:office=\"urn:other\" office:value-type=\"float\" "
       "office:value=\"6\"/>" +
           value7,
       u"|7\n", u""},
      {"<table:table-cell xmlns:office=\"urn:other\" office:value-type=\"float\" "
       "office:value=\"6\"><text:p>x</text:p></table:table-cell>" +
           value7,
       u"x|7\n", u""},
  };
  for (const auto& c : cases) {
    for (const char* declaration : {kDeclaration, kLatin1Declaration}) {
      LoadRows(declaration, "<table:table-row>" + c.cells + "</table:table-row>");
      EXPECT_EQ(Dump(), c.dump) << declaration << c.cells;
      if (!c.formula.empty()) {
        EXPECT_EQ(Cell(0, 0)->GetFormula(), c.formula) << declaration;
      }
    }
  }
  // A literal tab in an attribute is a blank; a character reference to one stays a tab.
  LoadTables(Table("a\tb", "") + Table("a&#9;b", ""));
  EXPECT_EQ(Book->WorkSheets[0]->Name, u"a b");
  EXPECT_EQ(Book->WorkSheets[1]->Name, u"a\tb");
}

// A short text repeated down a column is held once, as a shared-string table would hold it;
// the cells keep their own texts whatever comes after.
TEST_F(ODSReaderTest, RepeatedTextsOfAColumnShareTheirCharacters) {
  const auto text = [](const std::string& value) {
    return "<table:table-cell office:value-type=\"string\"><text:p>" + value +
           "</text:p></table:table-cell>";
  };
  std::string rows;
  for (int r = 0; r < 300; ++r)
    rows += "<table:table-row>" + text("Partner " + std::to_string(r % 3)) +
            text("u" + std::to_string(r)) + "</table:table-row>";
  LoadRows(rows);
  const auto chars = [&](int row, int col) {
    return static_cast<TExportCellString*>(Cell(row, col))->GetValueShared().Identity();
  };
  EXPECT_EQ(chars(0, 0), chars(297, 0));
  EXPECT_NE(chars(0, 0), chars(1, 0));
  EXPECT_EQ(Cell(299, 0)->GetValueText(), u"Partner 2");
  EXPECT_EQ(Cell(299, 1)->GetValueText(), u"u299");
  EXPECT_EQ(Cell(0, 1)->GetValueText(), u"u0");
}

std::string TextRow(const std::vector<std::string>& texts) {
  std::string row = "<table:table-row>";
  for (const std::string& text : texts)
    row += "<table:table-cell office:value-type=\"string\"><text:p>" + text +
           "</text:p></table:table-cell>";
  return row + "</table:table-row>";
}

// Thousands of partners in any order: once the column's table has grown, each is held once.
TEST_F(ODSReaderTest, ThousandsOfRepeatedTextsAreHeldOnceEach) {
  std::minstd_rand random(3);
  std::vector<std::string> partners;
  std::string rows;
  for (int r = 0; r < 8000; ++r) {
    partners.push_back("Partner " + std::to_string(random() % 2000) + " s.r.o.");
    rows += TextRow({partners.back(), "u" + std::to_string(r)});
  }
  LoadRows(rows);
  std::map<std::string, const void*> first;
  for (int r = 0; r < 8000; ++r) {
    ASSERT_EQ(Cell(r, 0)->GetValueText(), platform::Utf8ToUtf16(partners[r]));
    ASSERT_EQ(Cell(r, 1)->GetValueText(), u"u" + platform::Utf8ToUtf16(std::to_string(r)));
    if (r < 4 * static_cast<int>(TRecentTexts::kReview)) continue;
    const void* chars = static_cast<TExportCellString*>(Cell(r, 0))->GetValueShared().Identity();
    ASSERT_EQ(first.emplace(partners[r], chars).first->second, chars) << r;
  }
}

// Texts are made in the workbook's own storage; a cell taken out of the workbook, or copied into
// another one, keeps its text after the workbook is gone: shared, unshared and long alike.
TEST_F(ODSReaderTest, TextsOutliveTheWorkbookTheyWereReadInto) {
  const std::string longText(300, 'L');
  LoadRows(TextRow({"shared", "own 0", longText}) + TextRow({"shared", "own 1", longText}));
  TWorkbook other;
  TExportRow* copies = other.AddWorkSheet(u"Copies")->GetRow(0);
  TExportCell* const second[] = {Cell(1, 0), Cell(1, 1), Cell(1, 2)};
  std::vector<TOwnedPtr<TExportCell>> taken;
  for (int col = 0; col < 3; ++col) {
    Cell(0, col)->AssignTo(*copies->AddCellString(u""));
    taken.push_back(Book->WorkSheets[0]->Rows[1]->Cells.Extract(second[col]));
  }
  Book.reset();
  const std::u16string longText16(longText.begin(), longText.end());
  const struct {
    std::u16string copied, taken;
  } kCases[] = {{u"shared", u"shared"}, {u"own 0", u"own 1"}, {longText16, longText16}};
  for (int col = 0; col < 3; ++col) {
    EXPECT_EQ(copies->Cells[col]->GetValueText(), kCases[col].copied) << col;
    EXPECT_EQ(taken[col]->GetValueText(), kCases[col].taken) << col;
  }
}

// Read by events, each row goes to the caller as it is read, repeated ones once per copy; a sheet
// the caller passes over is created without rows.
TEST_F(ODSReaderTest, RowEventsSeeEachRowAndSkippedSheetsStayEmpty) {
  const auto row = [](const std::string& text, int repeat) {
    return "<table:table-row table:number-rows-repeated=\"" + std::to_string(repeat) +
           "\"><table:table-cell office:value-type=\"string\"><text:p>" + text +
           "</text:p></table:table-cell></table:table-row>";
  };
  TMemoryStream stream = TXLSXParts{
      {{"content.xml",
        kContentStart + Table("Read", row("a", 1) + row("b", 2) + row("c", 1)) +
            Table("Skipped", row("x", 1)) +
            kContentEnd}}}.Zip();
  Book = std::make_unique<TWorkbook>();
  Book->ShowProgress = false;
  Book->ReadRowsByEvent = true;
  Book->OnBeforeWorkSheetRead = [](TWorkbook&, TExportWorkSheet& sheet, bool& read) {
    read = sheet.Name != u"Skipped";
  };
  std::vector<std::u16string> seen;
  Book->OnRowRead = [&](TWorkbook&, TExportWorkSheet& sheet, TExportRow& row) {
    seen.push_back(sheet.Name + u":" + row.Cells[0]->GetValueText());
  };
  TExporterODS exporter;
  Book->LoadFromStream(stream, exporter);
  EXPECT_EQ(seen, (std::vector<std::u16string>{u"Read:a", u"Read:b", u"Read:b", u"Read:c"}));
  ASSERT_EQ(Book->WorkSheets.Count(), 2);
  EXPECT_EQ(Book->WorkSheets[1]->Rows.Count(), 0);
}

// Rows handed over by events are freed as they go and their room is used again: a text shared
// down a column stays whole for the later rows, and for a caller who keeps it.
TEST_F(ODSReaderTest, RowEventsKeepTheTextsTheirColumnsShare) {
  std::string rows;
  std::vector<std::u16string> expected;
  for (int r = 0; r < 200; ++r) {
    const std::string shared = "p" + std::to_string(r % 3), own = "u" + std::to_string(r);
    rows += TextRow({shared, own});
    expected.push_back(platform::Utf8ToUtf16(shared + "|" + own));
  }
  TMemoryStream stream =
      TXLSXParts{{{"content.xml", kContentStart + Table("S", rows) + kContentEnd}}}.Zip();
  Book = std::make_unique<TWorkbook>();
  Book->ShowProgress = false;
  Book->ReadRowsByEvent = true;
  std::vector<std::u16string> seen;
  std::vector<TPackedText> kept;
  Book->OnRowRead = [&](TWorkbook&, TExportWorkSheet&, TExportRow& row) {
    const auto text = [&](int col) {
      return static_cast<TExportCellString*>(row.Cells[col])->GetValueShared();
    };
    seen.push_back(text(0).ToString() + u"|" + text(1).ToString());
    kept.push_back(text(0));
  };
  TExporterODS exporter;
  Book->LoadFromStream(stream, exporter);
  Book.reset();
  EXPECT_EQ(seen, expected);
  ASSERT_EQ(kept.size(), 200u);
  EXPECT_EQ(kept[199].ToString(), u"p1");
  EXPECT_EQ(kept[0].ToString(), u"p0");
}

// A value may stand in the last row and column, and its repeats reach them and stop there, as
// LibreOffice reads them; a value beyond them is not read.
TEST_F(ODSReaderTest, ValuesReachTheLastRowAndColumnAndStopThere) {
  const std::string value = "office:value-type=\"float\" office:value=\"1\"";
  const std::string beforeLastColumn =
      "<table:table-cell table:number-columns-repeated=\"16382\"/>";
  const std::string beforeLastRow =
      "<table:table-row table:number-rows-repeated=\"1048574\"><table:table-cell/>"
      "</table:table-row>";
  const auto cells = [&](int repeat) {
    return "<table:table-cell " + value + " table:number-columns-repeated=\"" +
           std::to_string(repeat) + "\"/>";
  };
  const auto rows = [&](int repeat) {
    return "<table:table-row table:number-rows-repeated=\"" + std::to_string(repeat) + "\">" +
           cells(1) + "</table:table-row>";
  };
  const struct {
    std::string rows;
    int rowCount, colCount;  // of the sheet, of its last row
  } cases[] = {
      {"<table:table-row>" + beforeLastColumn + cells(2) + "</table:table-row>", 1, 16384},
      {"<table:table-row>" + beforeLastColumn + cells(3) + "</table:table-row>", 1, 16384},
      {beforeLastRow + rows(2), 1048576, 1},
      {beforeLastRow + rows(999'999'999), 1048576, 1},
      // Empty fillers beyond the edges hold nothing to lose.
      {"<table:table-row>" + beforeLastColumn + cells(2) +
           "<table:table-cell table:number-columns-repeated=\"9\"/></table:table-row>" +
           "<table:table-row table:number-rows-repeated=\"2000000\"><table:table-cell/>"
           "</table:table-row>",
       1, 16384},
  };
  for (const auto& c : cases) {
    LoadRows(c.rows);
    TExportRows& sheetRows = Book->WorkSheets[0]->Rows;
    ASSERT_EQ(sheetRows.Count(), c.rowCount) << c.rows.substr(0, 200);
    EXPECT_EQ(sheetRows[c.rowCount - 1]->Cells.Count(), c.colCount);
    EXPECT_EQ(Cell(c.rowCount - 1, c.colCount - 1)->GetValueText(), u"1");
    EXPECT_NE(Cell(c.rowCount - 1 - (c.rowCount > 1), c.colCount - 1 - (c.colCount > 1)), nullptr);
  }
}

// A value that starts beyond the last row or column, where no sheet holds it, is refused with
// the sheet's name rather than dropped.
TEST_F(ODSReaderTest, ValuesBeyondTheLastRowOrColumnAreRefused) {
  const std::string value = "<table:table-cell office:value-type=\"float\" office:value=\"1\"/>";
  const std::string rows[] = {
      "<table:table-row><table:table-cell table:number-columns-repeated=\"16382\"/>"
      "<table:table-cell office:value-type=\"float\" office:value=\"1\" "
      "table:number-columns-repeated=\"3\"/>" +
          value + "</table:table-row>",
      "<table:table-row table:number-rows-repeated=\"999999999\"><table:table-cell/>"
      "</table:table-row><table:table-row>" +
          value + "</table:table-row>",
  };
  for (const std::string& content : rows) {
    try {
      LoadRows(content);
      ADD_FAILURE() << "loaded: " << content.substr(0, 200);
    } catch (const EWorkbookFileException& error) {
      EXPECT_EQ(error.Message(),
                u"The file is not a valid ODS (OpenOffice Calc) file.\r\n\r\nA cell of the "
                u"worksheet \"S\" lies beyond the last row or column of a worksheet.");
    }
  }
}

// A package cut short fails as an invalid file; content.xml cut short or malformed, wherever it
// breaks, with the XML error; neither leaves a sheet.
TEST_F(ODSReaderTest, TruncatedOrMalformedContentLeavesNothing) {
  const std::string rows =
      "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>abc</text:p>"
      "</table:table-cell></table:table-row>";
  const std::string whole = kContentStart + Table("S", rows) + kContentEnd;
  const std::string xmlCases[] = {
      whole.substr(0, whole.find("abc") + 2),
      whole.substr(0, whole.find("<office:body>") + 5),
      whole.substr(0, whole.rfind("</office:spreadsheet>")),
      kContentStart + Table("S", "<table:table-row><table:table-cell></table:table-row>") +
          kContentEnd,
      kContentStart + Table("S", "<table:table-row><u:cell/></table:table-row>") + kContentEnd,
      kContentStart +
          Table("S",
                "<table:table-row><table:table-cell a=\"1\" a=\"2\"/>"
                "</table:table-row>") +
          kContentEnd,
  };
  for (const std::string& content : xmlCases) {
    try {
      LoadParts({{"content.xml", content}});
      ADD_FAILURE() << "loaded: " << content;
    } catch (const EWorkbookException& error) {
      EXPECT_STREQ(error.ClassName(), "EXmlError") << content;
      EXPECT_EQ(platform::Utf16ToUtf8(error.Message()).substr(0, 9), "XML error") << content;
    }
    EXPECT_EQ(Book->WorkSheets.Count(), 0);
  }
  TMemoryStream package = TXLSXParts{{{"content.xml", whole}}}.Zip();
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(package.Size()));
  package.SetPosition(0);
  package.ReadBuffer(bytes.data(), bytes.size());
  bytes.resize(bytes.size() - 30);
  TMemoryStream cut(bytes);
  ExpectInvalid([&] { LoadStream(cut); });
  EXPECT_EQ(Book->WorkSheets.Count(), 0);
}

// Repeats make what they say, as far as the load's limits allow: a small file of a valid row
// repeated 300,000 times loads whole; beyond the limits a load is refused saying which, as soon as
// the repeat is read; so are rows nested deeper than a real one and encrypted packages. None leaves
// a sheet.
TEST_F(ODSReaderTest, RepeatsAreBoundByTheLoadLimitsAndRefusalsSayWhy) {
  const auto content = [](const std::string& rows) {
    return std::map<std::string, std::string>{
        {"content.xml", kContentStart + Table("S", rows) + kContentEnd}};
  };
  const auto row = [](int repeat, const std::string& cells) {
    return "<table:table-row table:number-rows-repeated=\"" + std::to_string(repeat) + "\">" +
           cells + "</table:table-row>";
  };
  // A number 2 (with the formula, when one is given), or a text.
  const auto cell = [](int repeat, const std::string& formula, const std::string& text = "") {
    return "<table:table-cell table:number-columns-repeated=\"" + std::to_string(repeat) + "\"" +
           (text.empty() ? " office:value-type=\"float\" office:value=\"2\""
                         : " office:value-type=\"string\"") +
           (formula.empty() ? "" : " table:formula=\"" + formula + "\"") + "><text:p>" + text +
           "</text:p></table:table-cell>";
  };
  const std::string formula = "of:=" + std::string(5000, '1');
  const std::u16string tooDeep =
      u"The file is too large to load: its part \"content.xml\" nests elements more than 64 "
      u"levels deep.";
  const struct {
    const char* name;
    std::map<std::string, std::string> parts;
    TWorkbookLoadLimits limits;
    std::u16string message;  // empty: loads
  } kCases[] = {
      {"three cells repeated 300,000 times", content(row(300'000, cell(3, "of:=1+1"))), {}, u""},
      {"a long text in 100 cells repeated 10,000 times",
       content(row(10'000, cell(100, "", std::string(100'000, 'x')))),
       {},
       u""},
      {"100 cells repeated 1,000,000 times",
       content(row(1'000'000, cell(100, ""))),
       {},
       u"The file is too large to load: it holds more than 16000000 cells."},
      {"four cells repeated 300 times within 1000 cells",
       content(row(300, cell(4, ""))),
       {1000, 1 << 20},
       u"The file is too large to load: it holds more than 1000 cells."},
      {"a 5000-character formula over 200 columns",
       content(row(1, cell(200, formula))),
       {1000, 1 << 20},
       u"The file is too large to load: its texts take more than 1 MB."},
      {"a 5000-character formula in 4 cells repeated 30 times",
       content(row(30, cell(4, formula))),
       {1000, 1 << 20},
       u"The file is too large to load: its texts take more than 1 MB."},
      // 70 spans, and the 80,000 that once overflowed the stack.
      {"70 spans",
       content(row(1, "<table:table-cell office:value-type=\"string\"><text:p>" +
                          Nested("text:span", 70, "x") + "</text:p></table:table-cell>")),
       {},
       tooDeep},
      {"80,000 spans",
       content(row(1, "<table:table-cell office:value-type=\"string\"><text:p>" +
                          Nested("text:span", 80'000, "x") + "</text:p></table:table-cell>")),
       {},
       tooDeep},
      {"encrypted",
       {{"META-INF/manifest.xml",
         "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\">"
         "<manifest:file-entry manifest:full-path=\"content.xml\"><manifest:encryption-data/>"
         "</manifest:file-entry></manifest:manifest>"},
        {"content.xml", "\x01\x02 encrypted"}},
       {},
       WorkbookLng_EncryptedFile},
  };
  for (const auto& c : kCases) {
    TMemoryStream stream = TXLSXParts{c.parts}.Zip();
    Book = std::make_unique<TWorkbook>();
    Book->ShowProgress = false;
    Book->LoadLimits = c.limits;
    TExporterODS exporter;
    try {
      Book->LoadFromStream(stream, exporter);
      EXPECT_EQ(c.message, u"") << c.name << ": loaded";
    } catch (const EWorkbookFileException& error) {
      EXPECT_EQ(error.Message(), c.message) << c.name;
      EXPECT_EQ(Book->WorkSheets.Count(), 0) << c.name;
    }
  }
  // The loaded ones, checked at their last row.
  LoadParts(kCases[0].parts);
  ASSERT_EQ(Book->WorkSheets[0]->Rows.Count(), 300'000);
  ASSERT_EQ(Book->WorkSheets[0]->Rows[299'999]->Cells.Count(), 3);
  EXPECT_EQ(Cell(299'999, 2)->GetValueText(), u"2");
  EXPECT_EQ(Cell(299'999, 2)->GetFormula(), u"=1+1");
  LoadParts(kCases[1].parts);
  ASSERT_EQ(Book->WorkSheets[0]->Rows.Count(), 10'000);
  EXPECT_EQ(Cell(9'999, 99)->GetValueText().size(), 100'000u);
}

// Damaged packages: an invalid file, no sheet.
TEST_F(ODSReaderTest, DamagedPackagesFailAsAnInvalidFile) {
  const std::map<std::string, std::string> cases[] = {{{"styles.xml", "<x/>"}}};
  for (const auto& parts : cases) {
    ExpectInvalid([&] { LoadParts(parts); });
    EXPECT_EQ(Book->WorkSheets.Count(), 0);
  }
  ExpectInvalid([&] {
    TMemoryStream noZip(std::vector<std::uint8_t>{'n', 'o', ' ', 'z', 'i', 'p'});
    LoadStream(noZip);
  });
  // An entity (never expanded) and malformed XML fail with the XML error.
  const std::map<std::string, std::string> xmlCases[] = {
      {{"content.xml", "<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY e \"expanded\">]>" +
                           std::string(kRoot) +
                           Table("S",
                                 "<table:table-row><table:table-cell>"
                                 "<text:p>&e;</text:p></table:table-cell>"
                                 "</table:table-row>") +
                           kContentEnd}},
      {{"content.xml", kContentStart + "<table:table>"}},
  };
  for (const auto& parts : xmlCases) {
    EXPECT_THROW(LoadParts(parts), EWorkbookException);
    EXPECT_EQ(Book->WorkSheets.Count(), 0);
  }
}

}  // namespace
}  // namespace workbook
