#include "workbook/core/formula_text.h"

#include <gtest/gtest.h>

#include <tuple>

#include <string>

namespace workbook {
namespace {

std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

TEST(FormulaTextTest, ToXLSX) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"=SUM(A1;B2)", u"SUM(A1,B2)"},
      {u"==A1", u"=A1"},
      {u"", u""},
      {u"=CONCAT(\"a;b\";A1)", u"CONCAT(\"a;b\",A1)"},
      {u"=IF(A1=\"\"\";\"\"\";1;2)", u"IF(A1=\"\"\";\"\"\",1,2)"},
      {u"='a;b'!A1", u"'a;b'!A1"},
      {u"=\"open;", u"\"open;"}};
  for (const auto& [in, out] : cases) EXPECT_EQ(FormulaToXLSX(in), out) << Narrow(in);
}

TEST(FormulaTextTest, ToODS) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"=SUM(A1:B2,C3)", u"of:=SUM([.A1:.B2];[.C3])"},
      {u"A1+1", u"of:=[.A1]+1"},
      {u"=$A$1*B$2", u"of:=[.$A$1]*[.B$2]"},
      {u"=LOG10(A1)", u"of:=LOG10([.A1])"},
      {u"=1E5+A1", u"of:=1E5+[.A1]"},
      {u"=\"say \"\"A1\"\"\"&B1", u"of:=\"say \"\"A1\"\"\"&[.B1]"},
      {u"=Data!A1+'My Sheet'!B2:C3", u"of:=[Data.A1]+['My Sheet'.B2:.C3]"},
      {u"='It''s'!A1", u"of:=['It''s'.A1]"},
      {u"=Sheet.1!A1", u"of:=['Sheet.1'.A1]"},
      {u"=XFE1+a1+TRUE", u"of:=XFE1+a1+TRUE"}};
  for (const auto& [in, out] : cases) EXPECT_EQ(FormulaToODS(in, true), out) << Narrow(in);
  EXPECT_EQ(FormulaToODS(u"=SUM(A1,B1)", false), u"SUM([.A1];[.B1])");
  EXPECT_EQ(FormulaToODS(u"", true), u"of:=");
  EXPECT_EQ(CellRefToODS(u"$A$1:B2"), u"[.$A$1:.B2]");
  EXPECT_EQ(FormulaToODSExcel(u"A1+1"), u"msoxl:=A1+1");
}

TEST(FormulaTextTest, FromODS) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"of:=SUM([.A1:.B2];[.C3])", u"=SUM(A1:B2,C3)"},
      {u"of:=[$Sheet2.A1]+[Sheet2.B1:.B3]", u"=Sheet2!A1+Sheet2!B1:B3"},
      {u"of:=SUM([$'My Sheet'.A1:.B2])", u"=SUM('My Sheet'!A1:B2)"},
      {u"of:=['It''s'.A1]", u"='It''s'!A1"},
      {u"of:=['a]b'.A1]", u"='a]b'!A1"},
      {u"of:=[$S1.A1:$S3.B2]", u"=S1:S3!A1:B2"},
      {u"of:=[My-Sheet.A1]", u"='My-Sheet'!A1"},
      {u"of:=[$'S 1'.A1:$S3.B2]", u"='S 1:S3'!A1:B2"},
      {u"of:=CONCAT(\"[.A1];x\";[.A1])", u"=CONCAT(\"[.A1];x\",A1)"},
      {u"of:=[.A:.C]", u"=A:C"},
      {u"of:=[#REF!]", u"=#REF!"},
      {u"of:=[.A1", u"=A1"},
      {u"=1;2", u"=1,2"}};
  for (const auto& [in, out] : cases) EXPECT_EQ(ODSFormulaToFormula(in), out) << Narrow(in);
}

// Plain references are offset against openpyxl in the corpus peer test; these are the edges.
TEST(FormulaTextTest, OffsetFormulaRefs) {
  const std::tuple<std::u16string, int, int, std::u16string> cases[] = {
      {u"A1+1", 0, 1, u"A2+1"},
      {u"$A$1+$A1+A$1", 2, 3, u"$A$1+$A4+C$1"},
      {u"AA10+XFC1", 1, 0, u"AB10+XFD1"},
      {u"A1&\"B2\"", 1, 1, u"B2&\"B2\""},
      {u"'Q1 A1'!A1", 0, 1, u"'Q1 A1'!A2"},
      {u"Table1[[#This Row],[A1]]", 0, 1, u"Table1[[#This Row],[A1]]"},
      {u"A2-A1", 0, -1, u"A1-#REF!"},
      {u"XFD1", 1, 0, u"#REF!"},
      {u"A1048576", 0, 1, u"#REF!"},
      {u"B1", -1, 0, u"A1"},
      {u"a1+SUM(1)", 1, 1, u"a1+SUM(1)"}};
  for (const auto& [in, colOffset, rowOffset, out] : cases)
    EXPECT_EQ(OffsetFormulaRefs(in, colOffset, rowOffset), out) << Narrow(in);
}

}  // namespace
}  // namespace workbook
