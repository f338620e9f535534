// Small files that state far positions, long repeats or one long text used everywhere: each loads
// in proportion to what it really holds, or fails with the file exception, never running out of
// memory (checked in a child process under an address-space limit) and never reading a shared
// text once per cell (checked by counting the characters read).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "../model/model_fixture.h"
#include "bounded_load.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/ods/ods_exporter.h"
#include "workbook/formats/xls/xls_exporter.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/workbook.h"
#include "xls/xls_workbook_builder.h"
#include "xlsx/xlsx_test_support.h"

namespace workbook {
namespace {

using test::LoadBounded;
using test::OutcomeName;
using test::TLoadOutcome;

const char* const kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// An XLSX package of Sheets worksheets, each holding SheetData; with Names, that many worksheet
// relationships all name the first sheet's part.
TXLSXParts ManySheets(int sheets, const std::string& sheetData, int names = 0) {
  TXLSXParts parts = TXLSXParts::Standard(sheetData);
  std::string rels =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  std::string list;
  for (int i = 1; i <= std::max(sheets, names); ++i) {
    const std::string n = std::to_string(i), part = names ? "1" : n;
    rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + kRel +
            "/worksheet\" Target=\"worksheets/sheet" + part + ".xml\"/>";
    if (i > sheets) continue;
    list += "<sheet name=\"S" + n + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
    parts.Parts["xl/worksheets/sheet" + n + ".xml"] = SheetXml(sheetData);
  }
  parts.Parts["xl/_rels/workbook.xml.rels"] = rels + "</Relationships>";
  parts.Parts["xl/workbook.xml"] =
      "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
      "xmlns:r=\"" +
      std::string(kRel) + "\"><sheets>" + list + "</sheets></workbook>";
  return parts;
}

// A 32-bit mix of a running number: noise that does not compress away (a real package inflates
// some 5 to 40 times its size).
std::string Noise(std::uint32_t i) {
  i = (i ^ 61u ^ (i >> 16)) * 9u;
  i = (i ^ (i >> 4)) * 0x27d4eb2du;
  return std::to_string(i ^ (i >> 15));
}

// One sheet of one text cell followed by Trailer, with an external hyperlink relationship rId1 to
// Target.
TXLSXParts SheetWithTrailer(const std::string& trailer,
                            const std::string& target = "https://example.com/") {
  TXLSXParts parts =
      TXLSXParts::Standard("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>x</t></is></c></row>");
  std::string& sheet = parts.Parts["xl/worksheets/sheet1.xml"];
  sheet.insert(sheet.rfind("</worksheet>"), trailer);
  parts.Parts["xl/worksheets/_rels/sheet1.xml.rels"] =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" Type=\"" +
      std::string(kRel) + "/hyperlink\" Target=\"" + target +
      "\" TargetMode=\"External\"/></Relationships>";
  return parts;
}

TXLSXParts OdsPackage(const std::string& rows) {
  TXLSXParts parts;
  parts.Parts["mimetype"] = "application/vnd.oasis.opendocument.spreadsheet";
  parts.Parts["content.xml"] =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content "
      "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
      "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
      "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
      "xmlns:of=\"urn:oasis:names:tc:opendocument:xmlns:of:1.2\"><office:body>"
      "<office:spreadsheet><table:table table:name=\"S\">" +
      rows + "</table:table></office:spreadsheet></office:body></office:document-content>";
  return parts;
}

class LoadBlowupTest : public ModelTest {
 public:
  void Load(const TXLSXParts& parts, TCustomExporter& exporter) {
    TMemoryStream stream = parts.Zip();
    Book->LoadFromStream(stream, exporter);
  }

 protected:
  void SetUp() override {
    ModelTest::SetUp();
    Book = std::make_unique<TWorkbook>();
    Book->ShowProgress = false;
  }

  std::unique_ptr<TWorkbook> Book;
};

TEST_F(LoadBlowupTest, FilesLoadOrFailAsAFileUnderTheMemoryLimit) {
  const std::string text(100'000, 'x');
  // A 100 KB sheet part named by 20,000 relationships: read once per name, it took gigabytes.
  std::string rows;
  for (int r = 1; rows.size() < 100'000; ++r)
    rows += "<row r=\"" + std::to_string(r) + "\"><c><v>12345.678</v></c></row>";
  const struct {
    const char* name;
    bool ods;
    TXLSXParts parts;
    std::string outcome, message;
  } kCases[] = {
      {"100 sheets whose only cell is XFD1048576", false,
       ManySheets(100, "<row r=\"1048576\"><c r=\"XFD1048576\"><v>1</v></c></row>"), "loaded", ""},
      {"a 100,000-character text repeated across every column", true,
       OdsPackage("<table:table-row><table:table-cell office:value-type=\"string\" "
                  "table:number-columns-repeated=\"16383\"><text:p>" +
                  text + "</text:p></table:table-cell><table:table-cell/></table:table-row>"),
       "loaded", ""},
      {"a 100,000-character formula repeated over 1000 rows of every column", true,
       OdsPackage("<table:table-row table:number-rows-repeated=\"1000\"><table:table-cell "
                  "office:value-type=\"float\" office:value=\"1\" table:formula=\"of:=" +
                  std::string(100'000, '1') +
                  "\" table:number-columns-repeated=\"16383\"/><table:table-cell/>"
                  "</table:table-row>"),
       "file error", ""},
      {"one sheet part named by 20,000 relationships", false, ManySheets(1, rows, 20'000),
       "file error", "named by more than one sheet relationship"},
  };
  for (const auto& c : kCases) {
    const test::TBoundedLoad result = LoadBounded([&] {
      TExporterODS ods;
      TExporterXLSX xlsx;
      Load(c.parts, c.ods ? static_cast<TCustomExporter&>(ods) : xlsx);
    });
    EXPECT_EQ(OutcomeName(result.Outcome), c.outcome) << c.name << ": " << result.Message;
    EXPECT_NE(result.Message.find(c.message), std::string::npos) << c.name;
  }
}

// 48 MB of merges and of links after the cells: read as one tree, each took 1 GB. The parts are
// made in the child, so that they count there and not in every other case.
TEST_F(LoadBlowupTest, ListsAfterTheCellsLoadUnderTheMemoryLimit) {
  const std::function<std::string(std::uint32_t)> kLists[] = {
      [](std::uint32_t i) { return "<mergeCell ref=\"A1:B2\" n=\"" + Noise(i) + "\"/>"; },
      [](std::uint32_t i) {
        return "<hyperlink ref=\"A1\" r:id=\"rId1\" tooltip=\"" + Noise(i) + "\"/>";
      }};
  const char* const kNames[] = {"mergeCells", "hyperlinks"};
  for (int list = 0; list < 2; ++list) {
    const test::TBoundedLoad result = LoadBounded([&] {
      const std::string name = kNames[list];
      constexpr std::size_t kSize = std::size_t{48} << 20;
      std::string items;
      items.reserve(kSize + 100);
      items += "<" + name + ">";
      for (std::uint32_t i = 0; items.size() < kSize; ++i) items += kLists[list](i);
      items += "</" + name + ">";
      TExporterXLSX xlsx;
      Load(SheetWithTrailer(items), xlsx);
      const TExportCell* a1 = Book->WorkSheets[0]->Rows[0]->Cells[0];
      const bool read = list == 0 ? a1->ColSpan() == 2 && a1->RowSpan() == 2
                                  : static_cast<const TExportCellString*>(a1)->GetHyperlink() ==
                                        u"https://example.com/";
      if (!read) throw std::runtime_error("A1 lost its " + name);
    });
    EXPECT_EQ(OutcomeName(result.Outcome), "loaded") << kNames[list] << ": " << result.Message;
  }
}

// Rows and styles are held against the cell limit at what they take beside a cell; a styles part
// read whole as a tree, at what the tree takes.
TEST_F(LoadBlowupTest, RowsAndStylesCountAtWhatTheyTake) {
  using namespace xls_test;
  Bytes fonts = StandardStyles(), xfs = StandardStyles();
  for (int i = 0; i < 30'000; ++i)
    Append(fonts, ArialFont(static_cast<std::uint16_t>(400 + i % 2)));
  for (int i = 0; i < 150'000; ++i) Append(xfs, CellXF(0, 0));
  std::string styles = "<styleSheet xmlns=\"" + kMainNS + "\"><fonts>";
  for (int i = 0; i < 20'000; ++i) styles += "<font><b/></font>";
  std::string rows;
  for (int i = 0; i < 60'000; ++i) rows += "<row/>";
  const TXLSXParts manyRows = TXLSXParts::Standard(rows);
  TXLSXParts bigStyles = TXLSXParts::Standard("");
  bigStyles.Parts["xl/styles.xml"] = styles + "</fonts></styleSheet>";
  // Cells of a bold format hold a style each; cells of a format the file lacks hold none.
  std::string boldCells, unknownCells;
  for (int i = 0; i < 60; ++i) {
    boldCells += "<row>";
    unknownCells += "<row>";
    for (int c = 0; c < 1000; ++c) {
      boldCells += "<c s=\"1\"/>";
      unknownCells += "<c s=\"9\"/>";
    }
    boldCells += "</row>";
    unknownCells += "</row>";
  }
  TXLSXParts boldStyled = TXLSXParts::Standard(boldCells),
             unknownStyled = TXLSXParts::Standard(unknownCells);
  boldStyled.Parts["xl/styles.xml"] = unknownStyled.Parts["xl/styles.xml"] =
      "<styleSheet xmlns=\"" + kMainNS +
      "\"><fonts><font/><font><b/></font></fonts><cellXfs><xf/><xf fontId=\"1\"/></cellXfs>"
      "</styleSheet>";
  const std::string kCells = "The file is too large to load: it holds more than 100000 cells.";
  const struct {
    const char* name;
    std::vector<std::uint8_t> xls;
    TXLSXParts xlsx;
    std::string message;
  } kCases[] = {
      {"60,000 empty rows", {}, manyRows, kCells},
      {"20,000 fonts in a 340 KB styles part",
       {},
       bigStyles,
       "The file is too large to load: its part \"xl/styles.xml\" inflates to more than a "
       "workbook's part holds."},
      {"60,000 bold cells", {}, boldStyled, kCells},
      {"30,000 XLS fonts", XlsFile(WorkbookStream(fonts, {{u"S", {}}})), {}, kCells},
      {"150,000 XLS cell formats", XlsFile(WorkbookStream(xfs, {{u"S", {}}})), {}, kCells},
  };
  for (const auto& c : kCases) {
    Book = std::make_unique<TWorkbook>();
    Book->ShowProgress = false;
    Book->LoadLimits.MaxCells = 100'000;
    try {
      if (c.xls.empty()) {
        TExporterXLSX xlsx;
        Load(c.xlsx, xlsx);
      } else {
        TMemoryStream stream(c.xls);
        TExporterXLS xls;
        Book->LoadFromStream(stream, xls);
      }
      ADD_FAILURE() << c.name << ": loaded";
    } catch (const EWorkbookFileException& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << c.name;
    }
  }
  TExporterXLSX xlsx;
  Load(unknownStyled, xlsx);
  EXPECT_EQ(Book->WorkSheets[0]->Rows[59]->Cells.Count(), 1000);
}

// As many number formats as cell formats, each cell format its own: every cell format finds its
// format at once, and a cell gets the last one's code.
TEST_F(LoadBlowupTest, EveryCellFormatFindsItsOwnNumberFormat) {
  constexpr int kFormats = 100'000;
  const auto code = [](int i) { return "0.0&quot;" + std::to_string(i) + "&quot;"; };
  std::string formats, xfs;
  for (int i = 0; i < kFormats; ++i) {
    formats +=
        "<numFmt numFmtId=\"" + std::to_string(164 + i) + "\" formatCode=\"" + code(i) + "\"/>";
    xfs += "<xf numFmtId=\"" + std::to_string(164 + i) + "\"/>";
  }
  TXLSXParts parts =
      TXLSXParts::Standard("<row><c s=\"" + std::to_string(kFormats) + "\"><v>1.5</v></c></row>");
  parts.Parts["xl/styles.xml"] = "<styleSheet xmlns=\"" + kMainNS + "\"><numFmts>" + formats +
                                 "</numFmts><cellXfs><xf/>" + xfs + "</cellXfs></styleSheet>";
  TExporterXLSX xlsx;
  Load(parts, xlsx);
  EXPECT_EQ(Book->WorkSheets[0]->Rows[0]->Cells[0]->GetFormatCode(), u"0.0\"99999\"");
}

// A text's spaces are counted in the element that stands for them: 40,000 of them in a 1 MB file
// would make a text of 1.3 billion characters. It is refused while it grows, not once made.
TEST_F(LoadBlowupTest, SpacesBeyondTheTextBudgetAreRefusedWhileTheTextGrows) {
  std::string spaces;
  for (int i = 0; i < 40'000; ++i) spaces += "<text:s text:c=\"32767\"/>";
  const TXLSXParts parts =
      OdsPackage("<table:table-row><table:table-cell office:value-type=\"string\"><text:p>" +
                 spaces + "</text:p></table:table-cell></table:table-row>");
  Book->LoadLimits = {16'000'000, std::int64_t{64} << 20};
  const test::TBoundedLoad result = LoadBounded([&] {
    TExporterODS ods;
    Load(parts, ods);
  });
  EXPECT_EQ(OutcomeName(result.Outcome), "file error") << result.Message;
  EXPECT_EQ(result.Message, "The file is too large to load: its texts take more than 64 MB.");
}

// The limits the program sets: what would go over them is refused before it is made.
TEST_F(LoadBlowupTest, TheLoadBudgetRefusesCellsAndTextBeyondIt) {
  std::string emptyCells;
  for (int i = 0; i < 2000; ++i) emptyCells += "<c/>";
  // Texts are made when cells use them: each of the ten is used.
  std::string sharedStrings;
  std::string textCells;
  for (int i = 0; i < 10; ++i) {
    sharedStrings += "<si><t>" + std::string(100'000, static_cast<char>('a' + i)) + "</t></si>";
    textCells += "<c t=\"s\"><v>" + std::to_string(i) + "</v></c>";
  }
  // A part read whole into a tree: its declared size decides, before it is inflated.
  // One long link target named by many links: each cell holds its own copy.
  std::string links = "<hyperlinks>";
  for (int i = 1; i <= 20; ++i)
    links += "<hyperlink ref=\"A" + std::to_string(i) + "\" r:id=\"rId1\"/>";
  const TXLSXParts longLinks =
      SheetWithTrailer(links + "</hyperlinks>", "https://example.com/" + std::string(100'000, 'x'));
  TXLSXParts bigWorkbookPart = TXLSXParts::Standard("");
  std::string& workbookPart = bigWorkbookPart.Parts["xl/workbook.xml"];
  workbookPart.insert(workbookPart.rfind('<'), "<!--" + std::string(8000, ' ') + "-->");
  struct TCase {
    TXLSXParts parts;
    TWorkbookLoadLimits limits;
    std::string message;
  } cases[] = {
      {TXLSXParts::Standard("<row r=\"1\">" + emptyCells + "</row>"),
       {1000, 1 << 20},
       "The file is too large to load: it holds more than 1000 cells."},
      {TXLSXParts::Standard("<row r=\"1\">" + textCells + "</row>", sharedStrings),
       {1000, 1 << 20},
       "The file is too large to load: its texts take more than 1 MB."},
      // One cell uses one entry; the table's other entries are held all the same.
      {TXLSXParts::Standard("<row r=\"1\"><c t=\"s\"><v>0</v></c></row>", sharedStrings),
       {1000, 1 << 20},
       "The file is too large to load: its texts take more than 1 MB."},
      {longLinks,
       {100'000, 1 << 20},
       "The file is too large to load: its texts take more than 1 MB."},
      {bigWorkbookPart,
       {1000, 1 << 20, 1 << 30, 500, 4096},
       "The file is too large to load: its part \"xl/workbook.xml\" inflates to more than a "
       "workbook's part holds."},
  };
  for (const TCase& c : cases) {
    Book->LoadLimits = c.limits;
    TExporterXLSX xlsx;
    try {
      Load(c.parts, xlsx);
      ADD_FAILURE() << "loaded: " << c.message;
    } catch (const EWorkbookFileException& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
  // Within the limits the same file loads.
  Book->LoadLimits = {2100, 1 << 20};
  TExporterXLSX xlsx;
  Load(cases[0].parts, xlsx);
  EXPECT_EQ(Book->WorkSheets[0]->Rows[0]->Cells.Count(), 2000);
}

TEST_F(LoadBlowupTest, CellsSharingALongTableTextReadItOncePerEntry) {
  // 1,000,000 characters with a line break, used by 100,000 XLSX cells; 65,535 characters (the
  // most a BIFF8 string holds) with lone line feeds, used by 100,000 XLS cells.
  std::string sheetData;
  for (int r = 1; r <= 1000; ++r) {
    sheetData += "<row r=\"" + std::to_string(r) + "\">";
    for (int c = 0; c < 100; ++c) sheetData += "<c t=\"s\"><v>0</v></c>";
    sheetData += "</row>";
  }
  std::string longText(1'000'000, 'x');
  longText.replace(500'000, 1, "\n");
  std::uint64_t before = TPackedText::CharactersExamined();
  TExporterXLSX xlsx;
  Load(TXLSXParts::Standard(sheetData, "<si><t>" + longText + "</t></si>"), xlsx);
  EXPECT_LE(TPackedText::CharactersExamined() - before, 3 * longText.size());
  const auto* first = static_cast<const TExportCellString*>(Book->WorkSheets[0]->Rows[0]->Cells[0]);
  const auto* last =
      static_cast<const TExportCellString*>(Book->WorkSheets[0]->Rows[999]->Cells[99]);
  EXPECT_EQ(last->GetValueShared().Identity(), first->GetValueShared().Identity());

  using namespace xls_test;
  std::u16string biffText(65'535, u'y');
  biffText[100] = u'\n';
  // The SST: its one string cut into CONTINUE records, each beginning with the option byte.
  const Bytes chars = Chars(biffText, false);
  Bytes sst = Record(0x00FC, Join({DWord(100'000),
                                   DWord(1),
                                   Word(65'535),
                                   {0},
                                   Bytes(chars.begin(), chars.begin() + 8000)}));
  for (std::size_t at = 8000; at < chars.size(); at += 8000) {
    const std::size_t end = std::min(chars.size(), at + 8000);
    Append(sst, Continue(Join({{0}, Bytes(chars.begin() + at, chars.begin() + end)})));
  }
  Bytes cells;
  for (std::uint16_t r = 0; r < 1000; ++r)
    for (std::uint16_t c = 0; c < 100; ++c)
      Append(cells, Record(0x00FD, Join({Word(r), Word(c), Word(15), DWord(0)})));
  const std::vector<std::uint8_t> file =
      XlsFile(WorkbookStream(Join({StandardStyles(), sst}), {{u"S", cells}}));
  TMemoryStream stream(file);
  before = TPackedText::CharactersExamined();
  TExporterXLS xls;
  Book->LoadFromStream(stream, xls);
  EXPECT_LE(TPackedText::CharactersExamined() - before, 4 * biffText.size());
  const auto* cell =
      static_cast<const TExportCellString*>(Book->WorkSheets[0]->Rows[999]->Cells[99]);
  EXPECT_EQ(cell->GetValue().substr(99, 4), u"y\r\ny");
}

}  // namespace
}  // namespace workbook
