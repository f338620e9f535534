// BIFF8 forms: golden token bytes derived by hand from the ptg layout, token arrays written by
// xlwt read back, our bytes decompiled by xlrd, damaged and unsupported token arrays, and the
// FORMULA record the cell writers emit.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "workbook/formats/library_start.h"
#include "workbook/formats/python_peer.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_write_context.h"
#include "workbook/model/formula/formula_fixture.h"

namespace workbook::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Hex(const std::string& hex) {
  Bytes bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

std::string ToHex(const Bytes& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string hex;
  for (std::uint8_t b : bytes) {
    hex += digits[b >> 4];
    hex += digits[b & 15];
  }
  return hex;
}

struct GoldenCase {
  const char16_t* Text;
  const char* Hex;
};

class GoldenTokensTest : public FormulaTest, public ::testing::WithParamInterface<GoldenCase> {};

TEST_P(GoldenTokensTest, WritesTheHandComputedBytesAndReadsThemBack) {
  names_.Ranges[u"One"] = TRPNRange{0, 1, 1, 1};   // position 1
  names_.Ranges[u"Pair"] = TRPNRange{0, 0, 1, 2};  // position 2
  TRPNFormula formula(At(u"Z100", TCellClass::Number));
  formula.Parse(GetParam().Text);
  EXPECT_EQ(ToHex(formula.GetXLSTokens()), GetParam().Hex);

  TRPNFormula read(At(u"Z100", TCellClass::Number));
  read.ReadXLSTokens(Hex(GetParam().Hex));
  EXPECT_EQ(u"=" + read.GetFormulaText(), std::u16string(GetParam().Text));
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, GoldenTokensTest,
    ::testing::Values(
        // attribute, A1 (row 0, column word 0xC000: both relative), attribute, 2.0, ROUND (27);
        // the right parenthesis before a function writes nothing
        GoldenCase{u"=ROUND(A1,2)",
                   "19010000"
                   "440000"
                   "00c0"
                   "19010000"
                   "1f0000000000000040"
                   "411b00"},
        // SUM of one argument: the "sum" attribute instead of ptgFuncVar
        GoldenCase{u"=SUM(A1)",
                   "19010000"
                   "440000"
                   "00c0"
                   "19100000"},
        GoldenCase{u"=MAX(1,2,3)",
                   "19010000"
                   "1f000000000000f03f"
                   "19010000"
                   "1f0000000000000040"
                   "19010000"
                   "1f0000000000000840"
                   "42030700"},
        // 1.0, 2.0, add, parenthesis, 3.0, multiply
        GoldenCase{u"=(1+2)*3",
                   "1f000000000000f03f"
                   "1f0000000000000040"
                   "03"
                   "15"
                   "1f0000000000000840"
                   "05"},
        // $A$1:B$2: rows 0 and 1, column A absolute (no flags), column B relative (bit 14)
        GoldenCase{u"=$A$1:B$2",
                   "25"
                   "0000"
                   "0100"
                   "0000"
                   "0140"},
        GoldenCase{u"=$C5",
                   "44"
                   "0400"
                   "0280"},
        GoldenCase{u"=-A1%",
                   "44000000c0"
                   "14"
                   "13"},
        GoldenCase{u"=A1<>B1",
                   "44000000c0"
                   "44000001c0"
                   "0e"},
        GoldenCase{u"=2^3>=8",
                   "1f0000000000000040"
                   "1f0000000000000840"
                   "07"
                   "1f0000000000002040"
                   "0c"},
        // names: a one-cell name as a value (0x43), a wider one as a reference (0x23)
        GoldenCase{u"=One+Pair",
                   "43"
                   "0100"
                   "0000"
                   "23"
                   "0200"
                   "0000"
                   "03"},
        GoldenCase{u"=PI()",
                   "19010000"
                   "411300"}));

TEST_F(FormulaTest, UndefinedNamesAreWrittenWithPositionZero) {
  TRPNFormula formula;
  formula.Parse(u"=Nowhere");
  EXPECT_EQ(ToHex(formula.GetXLSTokens()), "4300000000");
  // and a token naming no listed name drops the formula
  formula.ReadXLSTokens(Hex("4300000000"));
  EXPECT_EQ(formula.Count(), 0);
}

struct ReadCase {
  const char* Hex;
  const char16_t* Text;
};

class ReadTokensTest : public FormulaTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadTokensTest, RendersTheFormula) {
  TRPNFormula formula;
  formula.ReadXLSTokens(Hex(GetParam().Hex));
  EXPECT_EQ(formula.GetFormulaText(), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, ReadTokensTest,
    ::testing::Values(
        // A1, the integer 2 (ptgInt), ROUND
        ReadCase{"44000000c0"
                 "1e0200"
                 "411b00",
                 u"ROUND(A1,2)"},
        // reference classes 0x24 and 0x64 read like 0x44; corners given in reverse
        ReadCase{"24000000c0"
                 "64000001c0"
                 "03",
                 u"A1+B1"},
        ReadCase{"25"
                 "0100"
                 "0000"
                 "01c0"
                 "00c0",
                 u"A1:B2"},
        // other attributes (here "space") are kept and render nothing
        ReadCase{"19400100"
                 "1e0100",
                 u"1"},
        // unsupported ptgs clear the formula: concatenation, a string, IF (function 1), an
        // unknown variable-argument function, the error ptg
        ReadCase{"1e0100"
                 "1e0200"
                 "08",
                 u""},
        ReadCase{"170161", u""},
        ReadCase{"1e0100"
                 "410100",
                 u""},
        ReadCase{"1e0100"
                 "4201ff00",
                 u""},
        ReadCase{"1c07", u""}));

TEST_F(FormulaTest, TruncatedTokenArraysAreFileErrors) {
  const char* truncated[] = {"440000", "1f00000000", "25000001000000", "41",
                             "4203",   "1901",       "430100"};
  for (const char* hex : truncated) {
    TRPNFormula formula;
    formula.ReadXLSTokens(Hex("1e0100"));
    EXPECT_THROW(formula.ReadXLSTokens(Hex(hex)), EWorkbookFileException) << hex;
    EXPECT_EQ(formula.Count(), 0) << hex;
  }
}

TEST_F(FormulaTest, TokenArraysLongerThanARecordAreFileErrors) {
  Bytes parentheses = {0x1E, 0x01, 0x00};
  parentheses.resize(8224, 0x15);
  TRPNFormula formula;
  formula.ReadXLSTokens(parentheses);
  EXPECT_EQ(formula.GetFormulaText().size(), 1u + 2 * 8221);
  parentheses.push_back(0x15);
  EXPECT_THROW(formula.ReadXLSTokens(parentheses), EWorkbookFileException);
}

TEST_F(FormulaTest, ReadsFromAStreamWithinTheDeclaredLength) {
  TMemoryStream stream;
  const Bytes bytes =
      Hex("0400"
          "1e0500"
          "14"
          "ff");  // length 4, then 5%, then a stray byte
  stream.WriteBuffer(bytes.data(), bytes.size());
  stream.Seek(0, TSeekOrigin::Beginning);
  TRPNFormula formula;
  formula.ReadXLS(stream, 0);
  EXPECT_EQ(formula.GetFormulaText(), u"5%");
  EXPECT_EQ(stream.Position(), 6);
  // A length beyond the stream's end is damage, not a read past it.
  stream.Seek(0, TSeekOrigin::Beginning);
  EXPECT_THROW(formula.ReadXLS(stream, 100), EWorkbookFileException);
}

TEST_F(FormulaTest, TokensReadFromAFileEvaluate) {
  Number(u"A1", 1.234);
  TRPNFormula formula(At(u"B1", TCellClass::Number));
  formula.ReadXLSTokens(
      Hex("44000000c0"
          "1e0200"
          "411b00"));
  EXPECT_DOUBLE_EQ(formula.Calculate(), 1.23);
}

class FormulaRecordTest : public FormulaTest {
 protected:
  class NoStrings : public ICellWriteContext {
   public:
    std::uint32_t SharedStringIndex(const TExportCellString&) override { return 0; }
  };
  Bytes Written(TExportCell* cell) {
    TMemoryStream stream;
    NoStrings context;
    cell->WriteXLS(stream, 0, context);
    return stream.Data();
  }
  std::string RecordId(TExportCell* cell) {
    const Bytes bytes = Written(cell);
    return ToHex(Bytes(bytes.begin(), bytes.begin() + 2));
  }
};

TEST_F(FormulaRecordTest, WritesTheWholeRecord) {
  TRPNFormula formula;
  formula.Parse(u"=1+2");
  TMemoryStream stream;
  formula.WriteXLS(stream, 2, 1, 0, TRPNValue::Of(3));
  // id 6, length 19 + 22, row 2, column 1, XF 0 + 16, 3.0, calculate on load, chain 0, 19 bytes
  EXPECT_EQ(ToHex(stream.Data()),
            "0600"
            "2900"
            "0200"
            "0100"
            "1000"
            "0000000000000840"
            "0200"
            "00000000"
            "1300"
            "1f000000000000f03f"
            "1f0000000000000040"
            "03");
  TMemoryStream error;
  formula.WriteXLS(error, 0, 0, 5, TRPNValue::Fail(TRPNError::DivZero));
  // an error result: type 2, the code (0x07 #DIV/0!), 0xFFFF in the last word
  EXPECT_EQ(ToHex(error.Data()).substr(8, 28),
            "0000"
            "0000"
            "1500"
            "020007000000ffff");
}

TEST_F(FormulaRecordTest, CellsWriteFormulaRecordsWithTheirResult) {
  Number(u"A1", 4);
  auto* cell = Formula(u"B1", u"=A1*2");
  const Bytes bytes = Written(cell);
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(RecordId(cell), "0600");
  double cached;
  std::memcpy(&cached, bytes.data() + 10, 8);
  EXPECT_DOUBLE_EQ(cached, 8);
  // A value read from a file is written as the cached result, not recomputed.
  auto* read = Formula(u"C1", u"");
  read->ReadValue(99);
  read->SetFormula(u"=A1*2");
  const Bytes kept = Written(read);
  std::memcpy(&cached, kept.data() + 10, 8);
  EXPECT_DOUBLE_EQ(cached, 99);
  EXPECT_DOUBLE_EQ(read->Value, 99);
  // A formula beyond the 256 columns of a BIFF8 sheet leaves the value record; one that does
  // not parse has no value, and its cell is blank rather than a made-up 0.
  auto* wide = Formula(u"D1", u"=IV1+IW1");
  EXPECT_EQ(RecordId(wide), "0302");
  auto* bad = Formula(u"E1", u"=\"x\"");
  EXPECT_EQ(RecordId(bad), "0102");
  auto* flag = static_cast<TExportCellBoolean*>(At(u"F1", TCellClass::Boolean));
  flag->SetFormula(u"=A1>3");
  EXPECT_EQ(RecordId(flag), "0600");
  EXPECT_TRUE(flag->GetBoolean());
}

// Formulas as xlwt compiles them (";" separates its arguments), read and rendered by us.
TEST_F(FormulaTest, ReadsTokenArraysXlwtWrites) {
  if (!test_support::PythonHasModules("xlwt")) GTEST_SKIP() << "python3-xlwt is not installed";
  struct Case {
    const char* Xlwt;
    const char16_t* Text;
  };
  const Case cases[] = {{"1+2*3", u"1+2*3"},
                        {"ROUND(A1;2)", u"ROUND(A1,2)"},
                        {"SUM(A1:B2)", u"SUM(A1:B2)"},
                        {"SUM(A1;5)", u"SUM(A1,5)"},
                        {"(A1)", u"(A1)"},
                        {"10%", u"10%"},
                        {"PI()", u"PI()"},
                        {"-2^2", u"-2^2"},
                        {"$A$1+B2*2", u"$A$1+B2*2"},
                        {"MIN(A1:A3;-1)", u"MIN(A1:A3,-1)"},
                        {"AND(A1>0;B1<=2)", u"AND(A1>0,B1<=2)"},
                        {"TRUNC(A1*2;1)", u"TRUNC(A1*2,1)"},
                        {"DATE(2023;3;15)", u"DATE(2023,3,15)"},
                        {"SQRT(ABS(-16))", u"SQRT(ABS(-16))"},
                        {"A1<>B1", u"A1<>B1"},
                        {"MAX(A1)", u"MAX(A1)"}};
  std::string script =
      "import sys, xlwt\nfor f in open(sys.argv[1]).read().split('\\n'):\n"
      "    print(xlwt.Formula(f).rpn()[2:].hex())\n";
  std::string input;
  for (const Case& c : cases) input += std::string(input.empty() ? "" : "\n") + c.Xlwt;
  std::istringstream lines(test_support::RunPython(script, input));
  Number(u"A1", 2);
  Number(u"B1", 1);
  for (const Case& c : cases) {
    std::string hex;
    std::getline(lines, hex);
    TRPNFormula formula(At(u"Z100", TCellClass::Number));
    formula.ReadXLSTokens(Hex(hex));
    EXPECT_EQ(formula.GetFormulaText(), c.Text) << c.Xlwt << " " << hex;
  }
}

// Our token bytes as xlrd decompiles them.
TEST_F(FormulaTest, XlrdDecompilesOurTokens) {
  if (!test_support::PythonHasModules("xlrd")) GTEST_SKIP() << "python3-xlrd is not installed";
  const std::pair<const char16_t*, const char*> cases[] = {
      {u"=ROUND(A1,2)", "ROUND(A1,2.0)"},
      {u"=SUM(A1:B2,C3)", "SUM(A1:B2,C3)"},
      {u"=SUM($A$1:A3)", "SUM($A$1:A3)"},
      {u"=(1+2)*3", "(1.0+2.0)*3.0"},
      {u"=-A1^2", "-A1^2.0"},
      {u"=AVERAGE(B1,MAX(1,2))/4", "AVERAGE(B1,MAX(1.0,2.0))/4.0"},
      {u"=NOT(A1>=B1)", "NOT(A1>=B1)"},
      {u"=5%", "5.0%"},
  };
  std::string script =
      "import sys, xlrd.book, xlrd.formula as F\n"
      "bk = xlrd.book.Book(); bk.biff_version = 80; bk.name_obj_list = []\n"
      "for h in open(sys.argv[1]).read().split():\n"
      "    d = bytes.fromhex(h)\n"
      "    print(F.decompile_formula(bk, d, len(d), F.FMLA_TYPE_CELL, browx=0, bcolx=0))\n";
  std::string input;
  for (const auto& c : cases) {
    TRPNFormula formula;
    formula.Parse(c.first);
    input += ToHex(formula.GetXLSTokens()) + "\n";
  }
  std::istringstream lines(test_support::RunPython(script, input));
  for (const auto& c : cases) {
    std::string text;
    std::getline(lines, text);
    EXPECT_EQ(text, c.second);
  }
}

TEST_F(FormulaTest, ParsedFormulasSurviveTheTokenRoundTrip) {
  const char16_t* texts[] = {u"1+2*3-4/5",
                             u"SUM(A1:C3,MAX(B2,7),-1)",
                             u"(A1+B1)*(C1-D1)",
                             u"$A$1*B$2+$C3",
                             u"NOT(AND(A1,OR(B1,0)))",
                             u"TRUNC(2.5)+TRUNC(2.5,1)",
                             u"DATE(2024,2,29)-TODAY()",
                             u"IV65536",
                             u"1.5E-5%"};
  for (const char16_t* text : texts) {
    TRPNFormula formula;
    formula.Parse(text);
    TRPNFormula read;
    read.ReadXLSTokens(formula.GetXLSTokens());
    EXPECT_EQ(read.GetFormulaText(), text);
  }
}

}  // namespace
}  // namespace workbook::test

namespace workbook::test {
namespace {

// A file xlwt writes with formulas: the XLS reader gives each cell its formula text and keeps
// the cached result instead of recomputing it.
TEST_F(FormulaTest, XlsReaderGivesCellsTheirFormulaText) {
  if (!test_support::PythonHasModules("xlwt")) GTEST_SKIP() << "python3-xlwt is not installed";
  const std::string path = "/tmp/formula_xlwt_" + std::to_string(getpid()) + ".xls";
  const std::string script =
      "import sys, xlwt\n"
      "wb = xlwt.Workbook(); ws = wb.add_sheet('S')\n"
      "ws.write(0, 0, 2); ws.write(1, 0, 3)\n"
      "ws.write(0, 1, xlwt.Formula('SUM(A1:A2)*2'))\n"
      "ws.write(1, 1, xlwt.Formula('ROUND(A1/3;2)'))\n"
      "ws.write(2, 1, xlwt.Formula('\"a\"&\"b\"'))\n"  // no formula this engine knows
      "wb.save(open(sys.argv[1]).read())\n";
  test_support::RunPython(script, path);
  StartWorkbookLibrary();
  TWorkbook book;
  book.ShowProgress = false;
  book.LoadFromFile(std::u16string(path.begin(), path.end()));
  std::remove(path.c_str());
  TExportWorkSheet* sheet = book.WorkSheets.GetItem(0);
  // xlwt caches an empty text as every formula's result; the cell keeps it (an empty cell).
  TExportCell* sum = sheet->Rows[0]->Cells[1];
  EXPECT_EQ(sum->CellClass(), TCellClass::Empty);
  EXPECT_EQ(sum->GetValueText(), u"");
  EXPECT_EQ(sum->GetFormula(), u"=SUM(A1:A2)*2");
  EXPECT_EQ(sheet->Rows[1]->Cells[1]->GetFormula(), u"=ROUND(A1/3,2)");
  EXPECT_EQ(sheet->Rows[2]->Cells[1]->GetFormula(), u"");
  // A recalculation asked for explicitly sees the file's values.
  TRPNFormula formula(sum);
  formula.Parse(sum->GetFormula());
  EXPECT_DOUBLE_EQ(formula.Calculate(), 10);
}

}  // namespace
}  // namespace workbook::test
