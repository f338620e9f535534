#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <vector>

#include "../progress_reports.h"
#include "../python_peer.h"
#include "../xls/compound_file_builder.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/cell_style.h"
#include "workbook/model/rich_text.h"
#include "xlsx_test_support.h"

namespace workbook {
namespace {

const std::string kStyles =
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"yyyy-mm-dd hh:mm:ss\"/></numFmts>"
    "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
    "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
    "<borders count=\"1\"><border/></borders>"
    "<cellXfs count=\"5\"><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"164\"/>"
    "<xf numFmtId=\"21\"/><xf numFmtId=\"10\"/></cellXfs></styleSheet>";

TXLSXParts WithStyles(const std::string& sheetData, const std::string& sharedStrings = "") {
  TXLSXParts parts = TXLSXParts::Standard(sheetData, sharedStrings);
  parts.Parts["xl/styles.xml"] = kStyles;
  std::string& rels = parts.Parts["xl/_rels/workbook.xml.rels"];
  rels.insert(rels.rfind("</Relationships>"),
              "<Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
              "2006/relationships/styles\" Target=\"styles.xml\"/>");
  return parts;
}

struct TCellCase {
  const char* name;
  std::string cell;  // the c element of A1
  std::u16string text;
};

const TCellCase kCells[] = {
    {"Shared", R"(<c t="s"><v>2</v></c>)", u"two"},
    {"SharedOutOfRange", R"(<c t="s"><v>5</v></c>)", u""},
    {"SharedNotANumber", R"(<c t="s"><v>x</v></c>)", u""},
    {"FormulaString", "<c t=\"str\"><f>A2</f><v>a&#13;\nb&#13;c</v></c>", u"a\nb\nc"},
    {"Inline", R"(<c t="inlineStr"><is><t>in line</t></is></c>)", u"in line"},
    {"InlineRuns", R"(<c t="inlineStr"><is><r><t>a</t></r><r><rPr><b/></rPr><t>b</t></r></is></c>)",
     u"ab"},
    {"InlineWithValueOnly", R"(<c t="inlineStr"><v>v text</v></c>)", u"v text"},
    {"BooleanTrue", R"(<c t="b"><v>1</v></c>)", u"1"},
    {"Error", R"(<c t="e"><f>1/0</f><v>#DIV/0!</v></c>)", u""},
    {"Number", R"(<c><v>1.5</v></c>)", u"1.5"},
    {"NumberTypeN", R"(<c t="n"><v>-2E3</v></c>)", u"-2000"},
    {"NotANumber", R"(<c><v>abc</v></c>)", u""},
    {"NoValue", R"(<c s="1"/>)", u""},
    {"Date", R"(<c s="1"><v>44197</v></c>)", u"2021-01-01"},
    {"DateTime", R"(<c s="2"><v>44197.5</v></c>)", u"2021-01-01 12:00:00"},
    {"Time", R"(<c s="3"><v>0.75</v></c>)", u"18:00:00"},
    {"IsoDate", R"(<c s="1" t="d"><v>2021-03-04</v></c>)", u"2021-03-04"},
    {"IsoTime", R"(<c s="3" t="d"><v>10:10:10</v></c>)", u"10:10:10"},
    // The type says date even where the style does not: no serial number.
    {"IsoDateUnstyled", R"(<c t="d"><v>2021-03-04</v></c>)", u"2021-03-04 00:00:00"},
    {"IsoDateTimeAsPercent", R"(<c s="4" t="d"><v>2021-03-04T05:06:07</v></c>)",
     u"2021-03-04 05:06:07"},
    {"IsoFractionRoundsUp", R"(<c s="2" t="d"><v>2021-03-04T05:06:07.5</v></c>)",
     u"2021-03-04 05:06:08"},
    {"IsoFractionRoundsDown", R"(<c s="3" t="d"><v>10:10:10.499</v></c>)", u"10:10:10"},
    {"IsoFractionAtMidnight", R"(<c s="2" t="d"><v>2021-03-04T23:59:59.9</v></c>)",
     u"2021-03-05 00:00:00"},
    {"IsoDuration", R"(<c t="d"><v>PT1H30M15S</v></c>)", u"01:30:15"},
    {"IsoDurationDays", R"(<c t="d"><v>P1DT6H</v></c>)", u"1.25"},
    {"IsoDurationMonthsUnknown", R"(<c t="d"><v>P1M</v></c>)", u""},
    {"IsoDurationNoUnit", R"(<c t="d"><v>PT5</v></c>)", u""},
    {"FormulaStringEscapedCr", "<c t=\"str\"><f>A2</f><v>a_x000D_\nb</v></c>", u"a\nb"},
    {"EscapedUnderscoreKeepsLiteralEscape",
     R"(<c t="inlineStr"><is><t>_x005F_x000D_ and _x005f_</t></is></c>)", u"_x000D_ and _"},
    {"EscapedControlCharacter", R"(<c t="inlineStr"><is><t>a_x0001_b</t></is></c>)", u"a\u0001b"},
    {"BrokenEscapeStaysText", R"(<c t="inlineStr"><is><t>_x00G1_ _x12_</t></is></c>)",
     u"_x00G1_ _x12_"},
    {"StyleOutOfRange", R"(<c s="99"><v>7</v></c>)", u"7"},
    {"CachedFormulaNumber", R"(<c><f>1+2</f><v>3</v></c>)", u"3"},
    // Attribute and value forms the quick paths of the sheet scan must hand on as they mean.
    {"SingleQuotes", R"(<c r='A1' t='s' s='0'><v>2</v></c>)", u"two"},
    {"TypeByReference", R"(<c t="&#115;"><v>1</v></c>)", u"one"},
    {"SharedIndexWithBlanks", R"(<c t="s"><v> 2 </v></c>)", u"two"},
    {"NumberWithBlanks", "<c><v> 1.5\t</v></c>", u"1.5"},
    {"NegativeDecimal", "<c><v>-12.50</v></c>", u"-12.5"},
    {"MoreDigitsThanADouble", "<c><v>0.1234567890123456789</v></c>", u"0.123456789012346"},
    {"NumberFromReferences", "<c><v>&#49;.&#x35;</v></c>", u"1.5"},
    {"DecimalPointAlone", "<c><v>1.</v></c>", u"1"},
};

class XLSXCellValueTest : public XLSXReaderTest, public ::testing::WithParamInterface<TCellCase> {};

TEST_P(XLSXCellValueTest, ReadsTheValueText) {
  Load(WithStyles("<row r=\"1\">" + GetParam().cell + "</row>",
                  "<si><t>zero</t></si><si><t>one</t></si><si><t>two</t></si>"));
  EXPECT_EQ(Text(0, 0, 0), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, XLSXCellValueTest, ::testing::ValuesIn(kCells),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(XLSXReaderTest, NotAZipPackageIsAnInvalidFile) {
  TMemoryStream junk(std::vector<std::uint8_t>(100, 'x'));
  try {
    LoadStream(junk);
    FAIL() << "no exception";
  } catch (const EWorkbookFileException& error) {
    EXPECT_EQ(error.Message(), u"The file is not a valid XLSX (Excel 2007) file.");
  }
}

// A reference leaves empty cells before its cell; cells without one follow each other and rows
// without a number append.
TEST_F(XLSXReaderTest, CellsFindTheirPlaces) {
  Load(TXLSXParts::Standard(R"(<row r="2"><c r="D2"><v>4</v></c></row>)"
                            R"(<row><c><v>1</v></c><c><v>2</v></c></row><row><c r="B"/></row>)"));
  TExportRow* row = Book->WorkSheets.GetItem(0)->Rows.GetItem(1);
  ASSERT_EQ(row->Cells.Count(), 4);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(row->Cells.GetItem(c)->CellClass(), TCellClass::Empty);
  EXPECT_EQ(Text(0, 1, 3), u"4");
  EXPECT_EQ(Text(0, 2, 1), u"2");
  EXPECT_EQ(Book->WorkSheets.GetItem(0)->Rows[3]->Cells.Count(), 2);
}

// A cell keeps the look its xf gives it, and only an xf that looks otherwise than xf 0 costs the
// cell a style of its own; a default-looking one leaves the file's alignment (general), not the
// class's, even in a row of another style.
TEST_F(XLSXReaderTest, CellsOfTheDefaultLookKeepNoStyleOfTheirOwn) {
  TXLSXParts parts = WithStyles(R"(<row r="1"><c r="A1"><v>1</v></c><c r="B1" s="1"><v>2</v></c>)"
                                R"(<c r="C1" s="5"><v>3</v></c></row>)"
                                R"(<row r="2" s="5" customFormat="1"><c r="A2" s="1"><v>4</v></c>)"
                                R"(</row>)");
  std::string& styles = parts.Parts["xl/styles.xml"];
  styles.insert(styles.find("</cellXfs>"),
                "<xf numFmtId=\"0\" applyAlignment=\"1\"><alignment horizontal=\"center\"/></xf>");
  Load(parts);
  TExportWorkSheet& sheet = *Book->WorkSheets.GetItem(0);
  const struct {
    int row, col;
    TCellClass cellClass;
    bool ownStyle;
    std::uint8_t alignment;
  } cases[] = {
      {0, 0, TCellClass::Number, false, TExportCellStyle::haGeneral},    // xf 0
      {0, 1, TCellClass::DateTime, false, TExportCellStyle::haGeneral},  // xf 1: a date format
      {0, 2, TCellClass::Number, true, TExportCellStyle::haCenter},      // xf 5: centred
      {1, 0, TCellClass::DateTime, false, TExportCellStyle::haGeneral},  // in a centred row
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << c.row << ", column " << c.col);
    TExportCell* cell = sheet.Rows.GetItem(c.row)->Cells.GetItem(c.col);
    EXPECT_EQ(cell->CellClass(), c.cellClass);
    EXPECT_EQ(cell->HasStyle(), c.ownStyle);
    EXPECT_EQ(cell->GetStyle().GetAlignment(), c.alignment);
  }
  EXPECT_EQ(sheet.Rows.GetItem(1)->GetStyle().GetAlignment(), TExportCellStyle::haCenter);
}

// Damaged packages: a worksheet beyond the sheet or of malformed XML, a broken or missing part.
TEST_F(XLSXReaderTest, DamagedPackagesFailAsAnInvalidFile) {
  const std::string sheet = "xl/worksheets/sheet1.xml";
  const std::string head = "<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a \"lol\">";
  const std::string cell = "<row r=\"1\"><c t=\"inlineStr\"><is><t>";
  const auto undeclared = [](const std::string& xml) { return xml.substr(xml.find("<worksheet")); };
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {sheet, SheetXml(R"(<row r="1048577"><c r="A1048577"><v>1</v></c></row>)")},
      {sheet, SheetXml(R"(<row r="99999999999999999999"><c><v>1</v></c></row>)")},
      {sheet, SheetXml(R"(<row r="1"><c r="XFE1"><v>1</v></c></row>)")},
      {sheet, SheetXml(R"(<row r="1"><c r="AAAA1"><v>1</v></c></row>)")},
      // Entities, internal (a billion laughs starts so) or external, are refused, not expanded.
      {sheet, head + "<!ENTITY b \"&a;&a;&a;\">]>" +
                  undeclared(SheetXml(cell + "&b;</t></is></c></row>"))},
      {sheet, head + "<!ENTITY e SYSTEM \"file:///etc/passwd\">]>" +
                  undeclared(SheetXml(cell + "&e;</t></is></c></row>"))},
      // Malformed XML.
      {sheet, SheetXml("<!DOCTYPE x><row r=\"1\"/>")},
      {sheet, SheetXml(cell + "&lol;</t></is></c></row>")},
      {sheet, SheetXml(R"(<row r="1"><c r="A1"><v>1</v></c>)")},
      {sheet, SheetXml(R"(<row r="1"><c r="A1" r="B1"><v>1</v></c></row>)")},
      {"_rels/.rels", "<broken><"},
      {"xl/_rels/workbook.xml.rels", "<broken><"},
      {"xl/workbook.xml", "<broken><"},
      {"xl/workbook.xml", std::nullopt},
      {"xl/sharedStrings.xml", "<broken><"},
      {"xl/styles.xml", "<broken><"},
      {"xl/theme/theme1.xml", "<broken><"},
  };
  for (const auto& [part, content] : cases) {
    TXLSXParts parts = TXLSXParts::Standard("", "<si><t>a</t></si>");
    if (content)
      parts.Parts[part] = *content;
    else
      parts.Parts.erase(part);
    try {
      Load(parts);
      ADD_FAILURE() << part << ": " << content.value_or("(missing)");
    } catch (const EWorkbookFileException& error) {
      EXPECT_EQ(error.Message().rfind(WorkbookLng_InvalidXLSX, 0), 0u) << content.value_or(part);
    }
  }
  // The workbook part is found at its usual place without the package's relationships.
  TXLSXParts parts = TXLSXParts::Standard("");
  parts.Parts.erase("_rels/.rels");
  Load(parts);
  EXPECT_EQ(Book->WorkSheets.GetItem(0)->Name, u"First");
}

// A package protected by a password to open comes in a compound file: told apart from any other
// file that is no zip, such as an .xls file under the wrong name.
TEST_F(XLSXReaderTest, AnEncryptedPackageIsToldApartFromAnInvalidFile) {
  using xls_test::TestEntry;
  const std::vector<std::uint8_t> data = xls_test::Pattern(5000, 1);
  const struct {
    std::vector<TestEntry> entries;
    const std::u16string& message;
  } cases[] = {
      {{{u"EncryptionInfo", {4, 0, 4, 0}}, {u"EncryptedPackage", data}}, WorkbookLng_EncryptedFile},
      {{{u"\x06DataSpaces", {}, 1}, {u"EncryptionInfo", {4, 0, 4, 0}}, {u"EncryptedPackage", data}},
       WorkbookLng_EncryptedFile},
      {{{u"Workbook", data}}, WorkbookLng_InvalidXLSX},
      {{{u"EncryptedPackage", data}}, WorkbookLng_InvalidXLSX},
  };
  for (const auto& c : cases) {
    TMemoryStream stream = xls_test::BuildCompoundFile(c.entries).Stream();
    try {
      LoadStream(stream);
      ADD_FAILURE() << "loaded";
    } catch (const EWorkbookFileException& error) {
      EXPECT_EQ(error.Message(), c.message);
    }
  }
}

TEST_F(XLSXReaderTest, PartsAreFoundThroughTheRelationships) {
  TXLSXParts parts;
  const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  const std::string pkg = "http://schemas.openxmlformats.org/package/2006/relationships";
  parts.Parts["_rels/.rels"] = "<Relationships xmlns=\"" + pkg +
                               "\"><Relationship Id=\"r\" Type=\"" + rel +
                               "/officeDocument\" Target=\"/Book/WB.xml\"/></Relationships>";
  parts.Parts["Book/_rels/WB.xml.rels"] =
      "<Relationships xmlns=\"" + pkg + "\">" + "<Relationship Id=\"rId10\" Type=\"" + rel +
      "/worksheet\" Target=\"Sheets\\s10.xml\"/>" + "<Relationship Id=\"rId1\" Type=\"" + rel +
      "/worksheet\" Target=\"/Book/Sheets/s2.xml\"/>" + "<Relationship Id=\"x\" Type=\"" + rel +
      "/sharedStrings\" Target=\"../Strings/./sst.xml\"/></Relationships>";
  parts.Parts["Book/WB.xml"] =
      "<x:workbook xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
      "xmlns:r=\"" +
      rel +
      "\"><x:sheets><x:sheet name=\"Ten\" sheetId=\"2\" r:id=\"rId10\"/>"
      "<x:sheet name=\"One\" sheetId=\"1\" r:id=\"rId1\"/></x:sheets></x:workbook>";
  parts.Parts["Book/Sheets/s2.xml"] = SheetXml(R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row>)");
  parts.Parts["Book/Sheets/s10.xml"] = SheetXml(R"(<row r="1"><c r="A1" t="s"><v>1</v></c></row>)");
  parts.Parts["Strings/sst.xml"] =
      "<x:sst xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
      "<x:si><x:t>first</x:t></x:si><x:si><x:t>second</x:t></x:si></x:sst>";
  Load(parts);
  ASSERT_EQ(Book->WorkSheets.Count(), 2);
  // Parts in the order of their names' digits (s2 before s10, not as text); each named by its own
  // relationship id.
  EXPECT_EQ(Book->WorkSheets.GetItem(0)->Name, u"One");
  EXPECT_EQ(Text(0, 0, 0), u"first");
  EXPECT_EQ(Book->WorkSheets.GetItem(1)->Name, u"Ten");
  EXPECT_EQ(Text(1, 0, 0), u"second");
}

TEST_F(XLSXReaderTest, Date1904ShiftsDateSerials) {
  // The attribute is an XML Schema Boolean: programs write "1" or "true".
  for (const auto& [flag, date1904, text] :
       std::vector<std::tuple<std::string, bool, std::u16string>>{
           {"1", true, u"1904-01-02"},
           {"true", true, u"1904-01-02"},
           {"0", false, u"1899-12-31"},
           {"false", false, u"1899-12-31"}}) {
    TXLSXParts parts = WithStyles(R"(<row r="1"><c r="A1" s="1"><v>1</v></c></row>)");
    std::string& wb = parts.Parts["xl/workbook.xml"];
    wb.insert(wb.find("<sheets>"), "<workbookPr date1904=\"" + flag + "\"/>");
    Load(parts);
    EXPECT_EQ(Book->Date1904, date1904) << flag;
    EXPECT_EQ(Text(0, 0, 0), text) << flag;
  }
}

TEST_F(XLSXReaderTest, SharedFormulasShiftFromTheirMaster) {
  Load(TXLSXParts::Standard(
      R"(<row r="1"><c r="B1"><f t="shared" si="0" ref="B1:B2">A1+1</f><v>2</v></c></row>)"
      R"(<row r="2"><c r="B2"><f t="shared" si="0"/><v>3</v></c><c r="C2"><f t="shared" si="7"/></c></row>)"));
  TExportCell* cell = nullptr;
  ASSERT_TRUE(Book->WorkSheets.GetItem(0)->FindCell(1, 1, cell));
  EXPECT_EQ(cell->GetFormula(), u"=A2+1");
  EXPECT_EQ(cell->GetValueText(), u"3");
  ASSERT_TRUE(Book->WorkSheets.GetItem(0)->FindCell(2, 1, cell));
  EXPECT_EQ(cell->GetFormula(), u"");
}

TEST_F(XLSXReaderTest, SharedRichTextKeepsItsRunsInTheCell) {
  Load(TXLSXParts::Standard(R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row>)",
                            "<si><r><t>plain </t></r><r><rPr><b/></rPr><t>bold</t></r></si>"));
  TExportCell* cell = nullptr;
  ASSERT_TRUE(Book->WorkSheets.GetItem(0)->FindCell(0, 0, cell));
  auto* text = static_cast<TExportCellString*>(cell);
  ASSERT_TRUE(text->HasRichText());
  ASSERT_EQ(text->GetRichTextTags().Count(), 1);
  EXPECT_EQ(text->GetRichTextTags().GetTag(0)->Position, 7);
}

TEST_F(XLSXReaderTest, SharedStringsAreFoundAtTheirUsualPlaceWithoutARelationship) {
  const std::string sheet = R"(<row r="1"><c r="A1" t="s"><v>1</v></c></row>)";
  const std::string strings = "<si><t>zero</t></si><si><t>one</t></si>";
  const std::string relationship = "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
  const struct {
    const char* name;
    std::string from;  // in the workbook relationships
    std::string to;
  } cases[] = {
      {"no relationship", relationship, "/other\" Target=\"x.xml\"/>"},
      {"relationship to a missing part", "Target=\"sharedStrings.xml\"",
       "Target=\"strings/missing.xml\""},
  };
  for (const auto& c : cases) {
    TXLSXParts parts = TXLSXParts::Standard(sheet, strings);
    std::string& rels = parts.Parts["xl/_rels/workbook.xml.rels"];
    ASSERT_NE(rels.find(c.from), std::string::npos) << c.name;
    rels.replace(rels.find(c.from), c.from.size(), c.to);
    Load(parts);
    EXPECT_EQ(Text(0, 0, 0), u"one") << c.name;
  }
}

TEST_F(XLSXReaderTest, RowsAndSharedStringsReportProgressToTheirEnd) {
  std::string rows;
  std::string strings;
  for (int i = 1; i <= 12000; ++i) {
    const std::string n = std::to_string(i);
    rows += "<row r=\"" + n + "\"><c r=\"A" + n + "\" t=\"s\"><v>" + std::to_string(i - 1) +
            "</v></c></row>";
    strings += "<si><t>text " + n + "</t></si>";
  }
  TMemoryStream stream = TXLSXParts::Standard(rows, strings).Zip();
  Book = std::make_unique<TWorkbook>();
  std::vector<TProgressReport> reports;
  RecordProgress(*Book, reports);
  TExporterXLSX exporter;
  Book->LoadFromStream(stream, exporter);
  EXPECT_EQ(Text(0, 11999, 0), u"text 12000");
  ExpectPhaseEndsFull(reports, wpsSharedStrings);
  ExpectPhaseEndsFull(reports, wpsRows);
}

// The runs of one text cell: "position:bold" each.
std::vector<std::string> Runs(TExportCell* cell) {
  std::vector<std::string> runs;
  auto* text = dynamic_cast<TExportCellString*>(cell);
  if (text == nullptr || !text->HasRichText()) return runs;
  for (int i = 0; i < text->GetRichTextTags().Count(); ++i) {
    const TStringRichTextTag* tag = text->GetRichTextTags().GetTag(i);
    runs.push_back(std::to_string(tag->Position) + ":" + std::to_string(tag->Font.GetStyle().Bold));
  }
  return runs;
}

// An inline string keeps its runs as a shared string does, each in its own line-break form.
TEST_F(XLSXReaderTest, InlineStringsKeepTheirRunsAsSharedStringsDo) {
  const struct {
    std::string runs;  // the children of is and si
    std::u16string inlineText, sharedText;
    std::vector<std::string> inlineRuns, sharedRuns;
  } cases[] = {
      {"<r><t xml:space=\"preserve\">plain </t></r><r><rPr><b/></rPr><t>bold</t></r>",
       u"plain bold",
       u"plain bold",
       {"7:1"},
       {"7:1"}},
      {"<r><rPr><b/></rPr><t>all</t></r>", u"all", u"all", {"1:1"}, {"1:1"}},
      // Positions move with the line breaks before them.
      {"<r><t>a&#13;&#10;b</t></r><r><rPr><b/></rPr><t>c</t></r><r><t>d</t></r>",
       u"a\nbcd",
       u"a\r\nbcd",
       {"4:1", "5:0"},
       {"5:1", "6:0"}},
      // A run of no text formats nothing; a phonetic run is no text.
      {"<r><t>x</t></r><r><rPr><b/></rPr><t></t></r><rPh><t>y</t></rPh>", u"x", u"x", {}, {}},
  };
  for (const auto& c : cases) {
    Load(TXLSXParts::Standard("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is>" + c.runs +
                                  "</is></c><c r=\"B1\" t=\"s\"><v>0</v></c></row>",
                              "<si>" + c.runs + "</si>"));
    EXPECT_EQ(Text(0, 0, 0), c.inlineText) << c.runs;
    EXPECT_EQ(Text(0, 0, 1), c.sharedText) << c.runs;
    TExportCell* cell = nullptr;
    Book->WorkSheets[0]->FindCell(0, 0, cell);
    EXPECT_EQ(Runs(cell), c.inlineRuns) << c.runs;
    Book->WorkSheets[0]->FindCell(1, 0, cell);
    EXPECT_EQ(Runs(cell), c.sharedRuns) << c.runs;
  }
}

// LibreOffice reads the inline string's runs as we do: saved again, they become a shared
// string with the same runs.
TEST_F(XLSXReaderTest, InlineRunsReadAsLibreOfficeReadsThem) {
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  TXLSXParts parts = TXLSXParts::Standard(
      "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><r><t xml:space=\"preserve\">Total: "
      "</t></r><r><rPr><b/><sz val=\"11\"/><rFont val=\"Arial\"/></rPr><t>12</t></r><r>"
      "<rPr><sz val=\"11\"/><rFont val=\"Arial\"/></rPr><t> EUR</t></r></is></c></row>");
  parts.Parts["[Content_Types].xml"] =
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" "
      "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
      "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/"
      "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
      "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/"
      "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/></Types>";
  test_support::TScratchDir dir;
  TMemoryStream package = parts.Zip();
  package.SaveToFile(dir.File("inline.xlsx"));
  Load(parts);
  TExportCell* cell = nullptr;
  Book->WorkSheets[0]->FindCell(0, 0, cell);
  const std::u16string text = Text(0, 0, 0);
  const std::vector<std::string> runs = Runs(cell);
  EXPECT_EQ(text, u"Total: 12 EUR");
  // The last run's properties say nothing of bold: not bold.
  EXPECT_EQ(runs, (std::vector<std::string>{"8:1", "10:2"}));

  const std::string converted =
      test_support::ConvertWithLibreOffice(dir, dir.File("inline.xlsx"), "xlsx");
  const std::vector<std::uint8_t> bytes = test_support::ReadFileBytes(converted);
  TMemoryStream stream(bytes);
  LoadStream(stream);
  Book->WorkSheets[0]->FindCell(0, 0, cell);
  EXPECT_EQ(Text(0, 0, 0), text);
  // LibreOffice gives the first piece a run of its own, not bold.
  std::vector<std::string> theirs = Runs(cell);
  if (!theirs.empty() && theirs.front() == "1:2") theirs.erase(theirs.begin());
  EXPECT_EQ(theirs, runs);
}

}  // namespace
}  // namespace workbook
