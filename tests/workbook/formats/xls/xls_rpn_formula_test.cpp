// BIFF8 formulas: golden token bytes derived by hand from the ptg layout, our tokens decompiled
// by xlrd, token arrays xlwt compiles read back, damaged and unsupported token arrays, and the
// FORMULA record the cell writers emit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <sstream>

#include "biff_builder.h"
#include "workbook/formats/cell_write_context.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/python_peer.h"
#include "workbook/formats/xls/xls_formula_tokens.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/formula/formula_fixture.h"
#include "xls_test_support.h"

namespace workbook::test {
namespace {

using xls_test::Bytes;
using xls_test::FromHex;
using xls_test::kPeers;
using xls_test::ToHex;

// What xlrd cannot name: the attribute tokens we put before each argument, the "sum" attribute
// for SUM of one argument, mixed absolute areas, a one-cell name as a value and a wider one as a
// reference. Each is read back too.
TEST_F(FormulaTest, WritesTheHandComputedTokensAndReadsThemBack) {
  names_.Ranges[u"One"] = TRPNRange{0, 1, 1, 1};   // position 1
  names_.Ranges[u"Pair"] = TRPNRange{0, 0, 1, 2};  // position 2
  const std::tuple<const char16_t*, const char*, const char16_t*> cases[] = {
      // attribute, A1 (row 0, column word 0xC000: both relative), attribute, 2.0, ROUND (27)
      {u"=ROUND(A1,2)", "19010000 44000000c0 19010000 1f0000000000000040 411b00", u"ROUND(A1,2)"},
      {u"=SUM(A1)", "19010000 44000000c0 19100000", u"SUM(A1)"},
      // rows 0 and 1, column A absolute (no flags), column B relative (bit 14)
      {u"=$A$1:B$2", "25 0000 0100 0000 0140", u"$A$1:B$2"},
      {u"=One+Pair", "43 0100 0000 23 0200 0000 03", u"One+Pair"},
      // an undefined name is written with position 0; read, a name no list holds drops the formula
      {u"=Nowhere", "4300000000", u""}};
  for (const auto& [text, hex, readBack] : cases) {
    TRPNFormula formula(At(u"Z100", TCellClass::Number));
    formula.Parse(text);
    EXPECT_EQ(formula.GetXLSTokens(), FromHex(hex)) << hex;
    TRPNFormula read(At(u"Z100", TCellClass::Number));
    read.ReadXLSTokens(FromHex(hex));
    EXPECT_EQ(read.GetFormulaText(), readBack);
  }
}

// The relative forms (ptgRefN, ptgAreaN) count their relative parts from a base cell, here C5:
// one row down and one column left is B6; offsets wrap within the sheet. A cell's own formula
// counts from the cell.
TEST_F(FormulaTest, RelativeFormsCountFromTheBaseCell) {
  const TRPNBaseCell base{2, 4};
  const std::pair<const char16_t*, const char*> cases[] = {
      {u"B6", "4c 0100 ffc0"}, {u"$A$1", "4c 0000 0000"}, {u"A1:$D4", "2d fcff ffff fec0 0380"}};
  for (const auto& [text, hex] : cases) {
    TRPNFormula formula(At(u"Z100", TCellClass::Number));
    formula.Parse(std::u16string(u"=") + text);
    EXPECT_EQ(ToHex(formula.GetXLSTokens(&base)), ToHex(FromHex(hex))) << hex;
    TRPNFormula read(At(u"Z100", TCellClass::Number));
    read.ReadXLSTokens(FromHex(hex), base);
    EXPECT_EQ(read.GetFormulaText(), text) << hex;
  }
  TRPNFormula wrapped(At(u"Z100", TCellClass::Number));
  wrapped.ReadXLSTokens(FromHex("4c faff 00c0"), base);
  EXPECT_EQ(wrapped.GetFormulaText(), u"C65535");
  TExportCell* cell = At(u"C5", TCellClass::Number);
  RPNReadXLSFormula(*cell, FromHex("4c 0100 ffc0"));
  EXPECT_EQ(cell->GetFormula(), u"=B6");
}

// Our token bytes as xlrd decompiles them.
TEST_F(FormulaTest, XlrdDecompilesOurTokens) {
  const std::pair<const char16_t*, const char*> cases[] = {
      {u"=ROUND(A1,2)", "ROUND(A1,2.0)"},
      {u"=SUM(A1:B2,C3)", "SUM(A1:B2,C3)"},
      {u"=(1+2)*3", "(1.0+2.0)*3.0"},
      {u"=-A1^2", "-A1^2.0"},
      {u"=AVERAGE(B1,MAX(1,2,3))/4", "AVERAGE(B1,MAX(1.0,2.0,3.0))/4.0"},
      {u"=-A1%", "-(A1%)"},
      {u"=A1<>B1", "A1<>B1"},
      {u"=2^3>=8", "2.0^3.0>=8.0"},
      {u"=PI()", "PI()"},
      {u"=$A$1*B$2+$C3", "$A$1*B$2+$C3"},
      {u"=SUM($B$2:A1)", "SUM(A1:$B$2)"},
      {u"=TRUNC(2.5)+TRUNC(2.5,1)", "TRUNC(2.5)+TRUNC(2.5,1.0)"},
      {u"=DATE(2024,2,29)-TODAY()", "DATE(2024.0,2.0,29.0)-TODAY()"},
      {u"=IV65536", "IV65536"},
      {u"=1.5E-5%", "1.5e-05%"}};
  std::vector<std::string> tokens;
  std::string expected;
  for (const auto& [text, decompiled] : cases) {
    TRPNFormula formula;
    formula.Parse(text);
    tokens.push_back(ToHex(formula.GetXLSTokens()));
    expected += std::string(decompiled) + "\n";
  }
  EXPECT_EQ(test_support::RunPeer(kPeers + "rpn_xlrd.py", tokens), expected);
}

// Formulas as xlwt compiles them (";" separates its arguments), read and rendered by us.
TEST_F(FormulaTest, ReadsTokenArraysXlwtWrites) {
  std::istringstream list(
      "1+2*3 ROUND(A1;2) SUM(A1:B2) SUM(A1;5) (A1) 10% PI() -2^2 "
      "$A$1+B2*2 MIN(A1:A3;-1) AND(A1>0;B1<=2) TRUNC(A1*2;1) DATE(2023;3;15) SQRT(ABS(-16)) A1<>B1 "
      "MAX(A1)");
  const std::vector<std::string> formulas{std::istream_iterator<std::string>(list), {}};
  const std::vector<std::string> tokens =
      test_support::SplitLines(test_support::RunPeer(kPeers + "rpn_xlwt.py", formulas));
  ASSERT_EQ(tokens.size(), formulas.size());
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    TRPNFormula formula(At(u"Z100", TCellClass::Number));
    formula.ReadXLSTokens(FromHex(tokens[i]));
    std::u16string expected(formulas[i].begin(), formulas[i].end());
    std::replace(expected.begin(), expected.end(), u';', u',');
    EXPECT_EQ(formula.GetFormulaText(), expected) << tokens[i];
  }
}

TEST_F(FormulaTest, ReadsOtherTokenFormsAndDropsUnsupportedOnes) {
  const std::pair<const char*, const char16_t*> cases[] = {
      // reference classes 0x24 and 0x64 read like 0x44; area corners given in reverse
      {"24000000c0 64000001c0 03", u"A1+B1"},
      {"25 0100 0000 01c0 00c0", u"A1:B2"},
      // $B$2:A1: the "$" flags follow their corners
      {"25 0100 0000 0100 00c0", u"A1:$B$2"},
      // other attributes (here "space") are kept and render nothing
      {"19400100 1e0100", u"1"},
      // unsupported: concatenation, a string, IF (function 1), an unknown variable-argument
      // function, the error ptg
      {"1e0100 1e0200 08", u""},
      {"170161", u""},
      {"1e0100 410100", u""},
      {"1e0100 4201ff00", u""},
      {"1c07", u""}};
  for (const auto& [hex, text] : cases) {
    TRPNFormula formula;
    formula.ReadXLSTokens(FromHex(hex));
    EXPECT_EQ(formula.GetFormulaText(), text) << hex;
  }
}

TEST_F(FormulaTest, TruncatedTokenArraysAreFileErrors) {
  const char* truncated[] = {"440000", "1f00000000", "25000001000000", "41",
                             "4203",   "1901",       "430100"};
  for (const char* hex : truncated) {
    TRPNFormula formula;
    formula.ReadXLSTokens(FromHex("1e0100"));
    EXPECT_THROW(formula.ReadXLSTokens(FromHex(hex)), EWorkbookFileException) << hex;
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
  TMemoryStream stream(FromHex("0400 1e0500 14 ff"));  // length 4, then 5%, then a stray byte
  TRPNFormula formula;
  formula.ReadXLS(stream, 0);
  EXPECT_EQ(formula.GetFormulaText(), u"5%");
  EXPECT_EQ(stream.Position(), 6);
  // A length beyond the stream's end is damage, not a read past it.
  stream.Seek(0, TSeekOrigin::Beginning);
  EXPECT_THROW(formula.ReadXLS(stream, 100), EWorkbookFileException);
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
  EXPECT_EQ(stream.Data(), FromHex("0600 2900 0200 0100 1000 0000000000000840 0200 00000000 1300 "
                                   "1f000000000000f03f 1f0000000000000040 03"));
  TMemoryStream error;
  formula.WriteXLS(error, 0, 0, 5, TRPNValue::Fail(TRPNError::DivZero));
  // an error result: type 2, the code (0x07 #DIV/0!), 0xFFFF in the last word
  EXPECT_EQ(ToHex(error.Data()).substr(8, 28), "000000001500020007000000ffff");
}

TEST_F(FormulaRecordTest, CellsWriteFormulaRecordsWithTheirResult) {
  // A value read from a file is written as the cached result, not recomputed (a computed one is
  // XLSRoundTripTest's: xlrd reads it).
  Number(u"A1", 4);
  auto* read = Formula(u"C1", u"");
  read->ReadValue(99);
  read->ReadFormula(u"=A1*2");
  const Bytes kept = Written(read);
  ASSERT_EQ(RecordId(read), "0600");
  double cached;
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

// A file xlwt writes with formulas: the XLS reader gives each cell its formula text and keeps
// the cached result instead of recomputing it.
TEST_F(FormulaTest, XlsReaderGivesCellsTheirFormulaText) {
  test_support::TScratchDir dir;
  const std::string path = dir.File("formulas.xls");
  test_support::RunPeer(kPeers + "formulas_xlwt.py", {path});
  StartWorkbookLibrary();
  TWorkbook book;
  book.ShowProgress = false;
  book.LoadFromFile(std::u16string(path.begin(), path.end()));
  TExportWorkSheet* sheet = book.WorkSheets.GetItem(0);
  // xlwt caches an empty text as every formula's result; the cell keeps it (a text cell).
  TExportCell* sum = sheet->Rows[0]->Cells[1];
  EXPECT_EQ(sum->CellClass(), TCellClass::String);
  EXPECT_EQ(sum->GetValueText(), u"");
  EXPECT_EQ(sum->GetFormula(), u"=SUM(A1:A2)*2");
  EXPECT_EQ(sheet->Rows[1]->Cells[1]->GetFormula(), u"=ROUND(A1/3,2)");
  EXPECT_EQ(sheet->Rows[2]->Cells[1]->GetFormula(), u"");  // no formula this engine knows
  // A recalculation asked for explicitly sees the file's values.
  TRPNFormula formula(sum);
  formula.Parse(sum->GetFormula());
  EXPECT_DOUBLE_EQ(formula.Calculate(), 10);
}

}  // namespace
}  // namespace workbook::test
