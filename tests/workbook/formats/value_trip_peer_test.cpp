// A workbook as openpyxl and most generators write it (General numbers, formulas without cached
// values, a zero result, a defined name, a function our engine lacks, a conditional format
// comparing each cell with its right neighbour) read by our XLSX reader and written by every
// writer; each writer's file is read by the independent peers: openpyxl with and without
// data_only, xlrd, and LibreOffice, which converts our file to .xlsx for openpyxl.
#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <memory>
#include <string>

#include "../model/model_fixture.h"
#include "book_file.h"
#include "platform/text_codec.h"
#include "python_peer.h"
#include "workbook/formats/library_start.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/row.h"
#include "workbook/model/worksheet.h"

namespace workbook {
namespace {

using test_support::RunPeer;
using test_support::TScratchDir;

const std::string kPeer = "workbook/formats/peers/value_trip.py";

class ValueTripTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    if (!test_support::PythonHasModules("openpyxl, xlrd"))
      GTEST_SKIP() << "/usr/bin/python3 with openpyxl and xlrd is not installed";
    StartWorkbookLibrary();
    RunPeer(kPeer, {"make", dir_.File("source.xlsx")});
    book_ = std::make_unique<TWorkbook>();
    book_->ShowProgress = false;
    book_->LoadFromFile(platform::Utf8ToUtf16(dir_.File("source.xlsx")));
    // A program's own formula cell with a truth value for its result.
    book_->WorkSheets[0]->FindCreateCell(1, 4, TCellClass::Boolean, true)->SetFormula(u"=A3>1");
  }

  // Book written to name in the scratch folder; the file's path.
  std::string Write(const std::string& name) {
    return test::WriteBookFile(*book_, dir_.File(name));
  }

  // What the peer reads of file, "xlsx" or "xls" as its mode says.
  static std::string Read(const std::string& mode, const std::string& file) {
    return RunPeer(kPeer, {mode, file});
  }

  std::string ThroughLibreOffice(const std::string& file) {
    return Read("xlsx", test_support::ConvertWithLibreOffice(dir_, file, "xlsx"));
  }

  TScratchDir dir_;
  std::unique_ptr<TWorkbook> book_;
};

// Columns D and E hold the numbers 1 to 5 and 5 to 1 in every writer's file.
std::string Neighbours(const std::string& xlsFormat) {
  std::string lines;
  for (int r = 1; r <= 5; ++r)
    for (char col : {'D', 'E'}) {
      const int value = col == 'D' ? r : 6 - r;
      lines += std::string(1, col) + std::to_string(r) + '\t';
      lines += xlsFormat.empty() ? "-\t" + std::to_string(value) + "\tGeneral\n"
                                 : "number\t" + std::to_string(value) + ".0\tGeneral\n";
    }
  return lines;
}

// The cells of column A to C in file order of each peer's listing, row by row.
std::string WithNeighbours(const std::map<int, std::string>& rows, const std::string& xlsFormat) {
  const std::string neighbours = Neighbours(xlsFormat);
  std::string result;
  for (int r = 1; r <= 5; ++r) {
    auto row = rows.find(r);
    if (row != rows.end()) result += row->second;
    const std::string mark = "D" + std::to_string(r) + '\t';
    const std::size_t begin = neighbours.find(mark);
    const std::size_t end = neighbours.find("D" + std::to_string(r + 1) + '\t');
    result += neighbours.substr(begin, end == std::string::npos ? end : end - begin);
  }
  return result;
}

// Every formula with its value (0 included), General staying General: openpyxl reads the
// formulas, and with data_only the values a program that does not calculate shows.
const std::map<int, std::string> kXLSXCells = {
    {1,
     "A1\t-\t3.14159\tGeneral\n"
     "B1\t=A1*2\t6.28318\tGeneral\n"
     "C1\t=DAVERAGE(A1:A3,1,A1:A1)\t2.5\tGeneral\n"},
    {2,
     "A2\t-\t0.000125\tGeneral\n"
     "B2\t=SUM(A1:A3)\t5.141715\tGeneral\n"},
    {3,
     "A3\t-\t2\tGeneral\n"
     "B3\t=A3-2\t0\tGeneral\n"},
    {4, "B4\t=Rate*10\t20\tGeneral\n"},
    {5, "B5\t=A3>1\tTrue\tGeneral\n"},
};

// The two rules over D1:D5 reach every cell, each comparing it with its own right neighbour
// (a relative cell) and with the mean of the two (a relative range).
const std::string kRules = [] {
  std::string lines;
  for (const std::string r : {"1", "2", "3", "4", "5"})
    lines += "rule\tD" + r + "\tgreaterThan\tE" + r + "\nrule\tD" + r + "\tequal\tSUM(D" + r +
             ":E" + r + ")/2\n";
  return lines;
}();

TEST_F(ValueTripTest, XLSXKeepsFormulasValuesAndGeneral) {
  const std::string file = Write("out.xlsx");
  EXPECT_EQ(Read("xlsx", file), WithNeighbours(kXLSXCells, "") + kRules);
}

TEST_F(ValueTripTest, XLSKeepsValuesForXlrd) {
  // The function BIFF8 tokens cannot name keeps its cached value as a plain number.
  const std::map<int, std::string> cells = {
      {1,
       "A1\tnumber\t3.14159\tGeneral\n"
       "B1\tnumber\t6.28318\tGeneral\n"
       "C1\tnumber\t2.5\tGeneral\n"},
      {2,
       "A2\tnumber\t0.000125\tGeneral\n"
       "B2\tnumber\t5.141715\tGeneral\n"},
      {3,
       "A3\tnumber\t2.0\tGeneral\n"
       "B3\tnumber\t0.0\tGeneral\n"},
      {4, "B4\tnumber\t20.0\tGeneral\n"},
      {5, "B5\tbool\t1\tGeneral\n"},
  };
  EXPECT_EQ(Read("xls", Write("out.xls")), WithNeighbours(cells, "xls"));
}

// LibreOffice marks a truth value by the number format it gives it, which an .xls file has no
// room for.
TEST_F(ValueTripTest, XLSKeepsFormulasForLibreOffice) {
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  std::map<int, std::string> cells = kXLSXCells;
  cells[1] =
      "A1\t-\t3.14159\tGeneral\n"
      "B1\t=A1*2\t6.28318\tGeneral\n"
      "C1\t-\t2.5\tGeneral\n";
  cells[5] = "B5\t=A3>1\t1\tGeneral\n";
  EXPECT_EQ(ThroughLibreOffice(Write("out.xls")), WithNeighbours(cells, "") + kRules);
}

// A rule whose formula BIFF8 tokens cannot hold (a sheet-qualified reference) is left out of the
// .xls, the others stay: written without its formula LibreOffice reads it as "= 0".
TEST_F(ValueTripTest, XLSLeavesOutRulesItCannotEncode) {
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  TExportCell* d2 = book_->WorkSheets[0]->Rows[1]->Cells[3];
  TExportConditionalFormattingRule::AddRule(d2->GetConditionalFormatting().Rules, cfoEqual, u"S!A1",
                                            u"")
      ->FillColor = 0x0000FF;
  std::string rules;
  for (const std::string& line : test_support::SplitLines(ThroughLibreOffice(Write("out.xls"))))
    if (line.starts_with("rule\t")) rules += line + "\n";
  EXPECT_EQ(rules, kRules);
}

// LibreOffice writes the rules' references in their relative forms, counted from D1; each cell
// of the range gets them, pointing from itself. Its file's results (a function our engine lacks
// included) are the cells' values; the formulas our engine knows come with them.
TEST_F(ValueTripTest, XLSReaderTakesWhatLibreOfficeWrites) {
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  book_->LoadFromFile(platform::Utf8ToUtf16(
      test_support::ConvertWithLibreOffice(dir_, dir_.File("source.xlsx"), "xls:MS Excel 97")));
  std::map<int, std::string> cells = kXLSXCells;
  cells[1] =
      "A1\t-\t3.14159\tGeneral\n"
      "B1\t=A1*2\t6.28318\tGeneral\n"
      "C1\t-\t2.5\tGeneral\n";
  cells.erase(5);
  EXPECT_EQ(Read("xlsx", Write("back.xlsx")), WithNeighbours(cells, "") + kRules);
}

TEST_F(ValueTripTest, ODSKeepsFormulasValuesAndGeneralForLibreOffice) {
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  std::map<int, std::string> cells = kXLSXCells;
  cells[5] = "B5\t=A3>1\t1\t\"TRUE\";\"TRUE\";\"FALSE\"\n";
  EXPECT_EQ(ThroughLibreOffice(Write("out.ods")), WithNeighbours(cells, "") + kRules);
}

// Our ODS reader takes the formulas back with the values the file holds (the function our engine
// lacks keeps its own), and numbers stay General; it reads no styles, so no rules.
TEST_F(ValueTripTest, ODSReaderTakesBackFormulasAndValues) {
  const std::string ods = Write("out.ods");
  book_->LoadFromFile(platform::Utf8ToUtf16(ods));
  EXPECT_EQ(Read("xlsx", Write("back.xlsx")), WithNeighbours(kXLSXCells, ""));
}

// The line of a peer's listing for the cell at ref; empty when there is none.
std::string CellLine(const std::string& listing, const std::string& ref) {
  for (const std::string& line : test_support::SplitLines(listing))
    if (line.starts_with(ref + '\t')) return line;
  return std::string();
}

// A formula given to a cell read from the file (E5, read as 1) is calculated: each writer's file
// holds its result, never the value read.
TEST_F(ValueTripTest, AFormulaSetOnAReadCellIsCalculated) {
  book_->WorkSheets[0]->Rows[4]->Cells[4]->SetFormula(u"=2*3");
  EXPECT_EQ(CellLine(Read("xlsx", Write("out.xlsx")), "E5"), "E5\t=2*3\t6\tGeneral");
  EXPECT_EQ(CellLine(Read("xls", Write("out.xls")), "E5"), "E5\tnumber\t6.0\tGeneral");
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  EXPECT_EQ(CellLine(ThroughLibreOffice(Write("out.ods")), "E5"), "E5\t=2*3\t6\tGeneral");
}

// Error values and text results (an empty one too) stay what they are rather than turning into
// numbers a reader calculates.
TEST_F(ValueTripTest, ErrorsAndTextResultsKeepTheirKind) {
  book_ = std::make_unique<TWorkbook>();
  TExportRow* row = book_->AddWorkSheet(u"S")->AddRow();
  auto* divided = static_cast<TExportCellBoolean*>(row->AddCell(TCellClass::Boolean));
  divided->SetFormula(u"=5/0");
  divided->SetErrorValue(0x07);
  static_cast<TExportCellBoolean*>(row->AddCell(TCellClass::Boolean))->SetErrorValue(0x2A);
  row->AddCellString(u"")->SetFormula(u"=SUM(B7)");
  row->AddCellString(u"text")->SetFormula(u"=SUM(B8)");
  // openpyxl gives an empty text value as None.
  EXPECT_EQ(Read("xlsx", Write("errors.xlsx")),
            "A1\t=5/0\t'#DIV/0!'\tGeneral\n"
            "B1\t-\t'#N/A'\tGeneral\n"
            "C1\t=SUM(B7)\tNone\tGeneral\n"
            "D1\t=SUM(B8)\t'text'\tGeneral\n");
  const std::string xls =
      "A1\terror\t7\tGeneral\n"
      "B1\terror\t42\tGeneral\n"
      "C1\ttext\t''\tGeneral\n"
      "D1\ttext\t'text'\tGeneral\n";
  EXPECT_EQ(Read("xls", Write("errors.xls")), xls);
  // Our readers take them back as they were written, formulas with text results whole.
  for (const char* file : {"errors.xlsx", "errors.xls"}) {
    book_->LoadFromFile(platform::Utf8ToUtf16(dir_.File(file)));
    EXPECT_EQ(Read("xls", Write("again.xls")), xls) << file;
    EXPECT_EQ(book_->WorkSheets[0]->Rows[0]->Cells[3]->GetFormula(), u"=SUM(B8)") << file;
  }
}

// Results of date and time formulas, cached as Excel caches them (an ISO text), are the cells'
// values: every writer's file holds them, however the formulas would calculate on the day of the
// save (TODAY()) or in our engine (a reference to another sheet), in either date system. Our ODS
// reader takes them back from the ODS file (without their styles).
TEST_F(ValueTripTest, DateFormulaResultsAreTheFilesValues) {
  // Column A of a peer's listing: per row the second field, the value and the number format.
  const auto listing = [](const std::string(&second)[4], const std::string(&values)[4],
                          const std::string(&codes)[4]) {
    std::string lines;
    for (int r = 0; r < 4; ++r)
      lines += "A" + std::to_string(r + 1) + "\t" + second[r] + "\t" + values[r] + "\t" + codes[r] +
               "\n";
    return lines;
  };
  const std::string formulas[] = {"=Other!A1", "=TODAY()", "=Other!A1+0.5", "=Other!A2"};
  const std::string values[] = {"datetime.datetime(2024, 3, 15, 0, 0)",
                                "datetime.datetime(2020, 1, 2, 0, 0)",
                                "datetime.datetime(2024, 3, 15, 12, 0)", "datetime.time(6, 0)"};
  const std::string codes[] = {"yyyy-mm-dd", "yyyy-mm-dd", "yyyy-mm-dd hh:mm", "hh:mm:ss"};
  const std::string xlsx = listing(formulas, values, codes);
  const std::string odsDate = "dd.MM.yyyy hh:mm:ss";
  const std::string fromODS = listing(formulas, values, {odsDate, odsDate, odsDate, "hh:mm:ss"});
  const std::string xldate[] = {"xldate", "xldate", "xldate", "xldate"};
  const struct {
    std::string system;
    std::string xlsSerials[4];
  } systems[] = {{"1900", {"45366.0", "43832.0", "45366.5", "0.25"}},
                 {"1904", {"43904.0", "42370.0", "43904.5", "0.25"}}};
  for (const auto& s : systems) {
    RunPeer(kPeer, {"dates", dir_.File("dates.xlsx"), s.system});
    book_->LoadFromFile(platform::Utf8ToUtf16(dir_.File("dates.xlsx")));
    EXPECT_EQ(Read("xlsx", Write("out.xlsx")), xlsx) << s.system;
    EXPECT_EQ(Read("xls", Write("out.xls")), listing(xldate, s.xlsSerials, codes)) << s.system;
    const std::string ods = Write("out.ods");
    EXPECT_EQ(RunPeer("workbook/formats/ods/peers/ods_dump.py", {ods}),
              "# file " + ods +
                  "\n# sheet 1 S\n2024-03-15 00:00:00\n2020-01-02 00:00:00\n"
                  "2024-03-15 12:00:00\n06:00:00\n# sheet 2 Other\n2024-03-15 00:00:00\n06:00:00\n")
        << s.system;
    // Read into the workbook that held the 1904 file: a load replaces its date system too.
    book_->LoadFromFile(platform::Utf8ToUtf16(ods));
    EXPECT_EQ(Read("xlsx", Write("back.xlsx")), fromODS) << s.system;
  }
}

// Error values stay errors in an ODS file, written as LibreOffice writes them: LibreOffice shows
// each (a value without a formula as the formula of itself), and our reader takes them back as
// the values they were, from our file and from LibreOffice's: the same formulas (openpyxl) and
// errors, not texts (xlrd).
TEST_F(ValueTripTest, ODSErrorValuesStayErrors) {
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  const std::pair<std::uint8_t, std::string> errors[] = {
      {0x0F, "#VALUE!"}, {0x07, "#DIV/0!"}, {0x2A, "#N/A"},  {0x24, "#NUM!"},
      {0x17, "#REF!"},   {0x1D, "#NAME?"},  {0x00, "#NULL!"}};
  book_ = std::make_unique<TWorkbook>();
  TExportRow* row = book_->AddWorkSheet(u"S")->AddRow();
  std::string shown;
  std::string values;
  std::string kinds;
  for (const auto& [code, text] : errors) {
    const std::string ref = std::string(1, static_cast<char>('A' + row->Cells.Count())) + "1";
    static_cast<TExportCellBoolean*>(row->AddCell(TCellClass::Boolean))->SetErrorValue(code);
    shown += ref + "\t=" + text + "\t'" + text + "'\tGeneral\n";
    values += ref + "\t-\t'" + text + "'\tGeneral\n";
    kinds += ref + "\terror\t" + std::to_string(code) + "\tGeneral\n";
  }
  auto* divided = static_cast<TExportCellBoolean*>(row->AddCell(TCellClass::Boolean));
  divided->SetFormula(u"=5/0");
  divided->SetErrorValue(0x07);
  // A formula our engine finds failing.
  row->AddCellNumber(0, 0)->SetFormula(u"=1/0");
  // LibreOffice keeps the number format of the cell whose formula failed.
  EXPECT_EQ(ThroughLibreOffice(Write("ours.ods")),
            shown + "H1\t=5/0\t'#DIV/0!'\tGeneral\nI1\t=1/0\t'#DIV/0!'\t0;\\-0\n");
  const std::string theirs =
      test_support::ConvertWithLibreOffice(dir_, Write("errors.xlsx"), "ods");
  for (const std::string& file : {dir_.File("ours.ods"), theirs}) {
    book_->LoadFromFile(platform::Utf8ToUtf16(file));
    EXPECT_EQ(Read("xlsx", Write("back.xlsx")),
              values + "H1\t=5/0\t'#DIV/0!'\tGeneral\nI1\t=1/0\t'#DIV/0!'\tGeneral\n")
        << file;
    EXPECT_EQ(Read("xls", Write("back.xls")),
              kinds + "H1\terror\t7\tGeneral\nI1\terror\t7\tGeneral\n")
        << file;
  }
}

// A NaN or an infinity is no number any format holds: every writer writes #NUM!, the error a
// calculation that leaves the numbers gives, for numbers, dates and formula results alike.
TEST_F(ValueTripTest, NaNAndInfinitiesAreWrittenAsNumErrors) {
  book_ = std::make_unique<TWorkbook>();
  TExportRow* row = book_->AddWorkSheet(u"S")->AddRow();
  for (double value :
       {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity()})
    row->AddCellNumber(value, 255);
  auto* date = static_cast<TExportCellDateTime*>(row->AddCell(TCellClass::DateTime));
  date->SetFormatCode(u"yyyy-mm-dd", false);
  date->SetValue(std::numeric_limits<double>::quiet_NaN());
  TExportCellNumber* result = row->AddCellNumber(0, 255);
  result->SetFormula(u"=A1");
  result->SetValue(std::numeric_limits<double>::infinity());
  // Each peer's listing of the row: per cell the formula (for openpyxl) or the type (for xlrd),
  // the value and the number format; LibreOffice writes the value without a formula as the
  // formula of its error alone, and marks the date format's literal characters.
  const auto listing = [](const std::string& fields, const std::string& value,
                          const std::string& date, const std::string& result) {
    std::string lines;
    for (char col : std::string("ABCDE"))
      lines += std::string(1, col) + "1\t" + (col == 'E' ? result : fields) + "\t" + value + "\t" +
               (col == 'D' ? date : "General") + "\n";
    return lines;
  };
  EXPECT_EQ(Read("xlsx", Write("out.xlsx")), listing("-", "'#NUM!'", "yyyy-mm-dd", "=A1"));
  EXPECT_EQ(Read("xls", Write("out.xls")), listing("error", "36", "yyyy-mm-dd", "error"));
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  EXPECT_EQ(ThroughLibreOffice(Write("out.ods")),
            listing("=#NUM!", "'#NUM!'", "yyyy\\-mm\\-dd", "=A1"));
}

TEST_F(ValueTripTest, CSVHoldsEachValuesDisplayText) {
  const std::vector<std::uint8_t> bytes = test_support::ReadFileBytes(Write("out.csv"));
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_NE(text.find("\"3.14159\",\"6.28318\",\"2.5\",\"1\",\"5\"\r\n"
                      "\"0.000125\",\"5.141715\",\"\",\"2\",\"4\"\r\n"
                      "\"2\",\"0\",\"\",\"3\",\"3\"\r\n"
                      "\"\",\"20\",\"\",\"4\",\"2\"\r\n"
                      "\"\",\"True\",\"\",\"5\",\"1\"\r\n"),
            std::string::npos)
      << text;
}

}  // namespace
}  // namespace workbook
