#include "workbook/core/formula_text.h"

#include <gtest/gtest.h>

#include <string>

namespace workbook {
namespace {

struct ConvertCase {
  std::u16string in;
  std::u16string out;
};

void PrintTo(const ConvertCase& c, std::ostream* os) {
  *os << std::string(c.in.begin(), c.in.end());
}

class FormulaToXLSXTest : public testing::TestWithParam<ConvertCase> {};

TEST_P(FormulaToXLSXTest, Converts) { EXPECT_EQ(FormulaToXLSX(GetParam().in), GetParam().out); }

INSTANTIATE_TEST_SUITE_P(
    Table, FormulaToXLSXTest,
    testing::Values(ConvertCase{u"=SUM(A1;B2)", u"SUM(A1,B2)"},
                    ConvertCase{u"SUM(A1,B2)", u"SUM(A1,B2)"}, ConvertCase{u"==A1", u"=A1"},
                    ConvertCase{u"", u""},
                    ConvertCase{u"=CONCAT(\"a;b\";A1)", u"CONCAT(\"a;b\",A1)"},
                    ConvertCase{u"=IF(A1=\"\"\";\"\"\";1;2)", u"IF(A1=\"\"\";\"\"\",1,2)"},
                    ConvertCase{u"='a;b'!A1", u"'a;b'!A1"}, ConvertCase{u"=\"open;", u"\"open;"}));

class FormulaToODSTest : public testing::TestWithParam<ConvertCase> {};

TEST_P(FormulaToODSTest, ConvertsWithPrefix) {
  EXPECT_EQ(FormulaToODS(GetParam().in, true), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormulaToODSTest,
    testing::Values(ConvertCase{u"=SUM(A1:B2,C3)", u"of:=SUM([.A1:.B2];[.C3])"},
                    ConvertCase{u"A1+1", u"of:=[.A1]+1"},
                    ConvertCase{u"=$A$1*B$2", u"of:=[.$A$1]*[.B$2]"},
                    ConvertCase{u"=SUM($A$1:$B$9)", u"of:=SUM([.$A$1:.$B$9])"},
                    ConvertCase{u"=LOG10(A1)", u"of:=LOG10([.A1])"},
                    ConvertCase{u"=ATAN2(1,2)", u"of:=ATAN2(1;2)"},
                    ConvertCase{u"=1E5+A1", u"of:=1E5+[.A1]"},
                    ConvertCase{u"=IF(A1>0,\"A1, B2\",\"\")", u"of:=IF([.A1]>0;\"A1, B2\";\"\")"},
                    ConvertCase{u"=\"say \"\"A1\"\"\"&B1", u"of:=\"say \"\"A1\"\"\"&[.B1]"},
                    ConvertCase{u"=Data!A1+'My Sheet'!B2:C3", u"of:=[Data.A1]+['My Sheet'.B2:.C3]"},
                    ConvertCase{u"='Q1 A1'!A1", u"of:=['Q1 A1'.A1]"},
                    ConvertCase{u"='It''s'!A1", u"of:=['It''s'.A1]"},
                    ConvertCase{u"=Sheet.1!A1", u"of:=['Sheet.1'.A1]"},
                    ConvertCase{u"=XFE1+a1+TRUE", u"of:=XFE1+a1+TRUE"}));

TEST(FormulaToODSTest, WithoutPrefixDropsTheEquals) {
  EXPECT_EQ(FormulaToODS(u"=SUM(A1,B1)", false), u"SUM([.A1];[.B1])");
  EXPECT_EQ(FormulaToODS(u"A1", false), u"[.A1]");
  EXPECT_EQ(FormulaToODS(u"", true), u"of:=");
}

TEST(CellRefToODSTest, BracketsAndDots) {
  EXPECT_EQ(CellRefToODS(u"A1"), u"[.A1]");
  EXPECT_EQ(CellRefToODS(u"$A$1:B2"), u"[.$A$1:.B2]");
}

TEST(FormulaToODSExcelTest, KeepsOrAddsTheEquals) {
  EXPECT_EQ(FormulaToODSExcel(u"=A1+1"), u"msoxl:=A1+1");
  EXPECT_EQ(FormulaToODSExcel(u"A1+1"), u"msoxl:=A1+1");
}

class ODSFormulaToFormulaTest : public testing::TestWithParam<ConvertCase> {};

TEST_P(ODSFormulaToFormulaTest, Converts) {
  EXPECT_EQ(ODSFormulaToFormula(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ODSFormulaToFormulaTest,
    testing::Values(ConvertCase{u"of:=SUM([.A1:.B2];[.C3])", u"=SUM(A1:B2,C3)"},
                    ConvertCase{u"of:=[.$A$1]*2", u"=$A$1*2"},
                    ConvertCase{u"of:=[$Sheet2.A1]+[Sheet2.B1:.B3]", u"=Sheet2!A1+Sheet2!B1:B3"},
                    ConvertCase{u"of:=SUM([$'My Sheet'.A1:.B2])", u"=SUM('My Sheet'!A1:B2)"},
                    ConvertCase{u"of:=['It''s'.A1]", u"='It''s'!A1"},
                    ConvertCase{u"of:=['a]b'.A1]", u"='a]b'!A1"},
                    ConvertCase{u"of:=[$S1.A1:$S3.B2]", u"=S1:S3!A1:B2"},
                    ConvertCase{u"of:=[My-Sheet.A1]", u"='My-Sheet'!A1"},
                    ConvertCase{u"of:=[$'S 1'.A1:$S3.B2]", u"='S 1:S3'!A1:B2"},
                    ConvertCase{u"of:=CONCAT(\"[.A1];x\";[.A1])", u"=CONCAT(\"[.A1];x\",A1)"},
                    ConvertCase{u"of:=[.A:.C]", u"=A:C"}, ConvertCase{u"of:=[#REF!]", u"=#REF!"},
                    ConvertCase{u"of:=[.A1", u"=A1"}, ConvertCase{u"=1;2", u"=1,2"}));

TEST(FormulaRoundTripTest, ModelToODSAndBack) {
  for (std::u16string f : {u"=SUM(A1:B2,C3)", u"=IF($A$1>0,\"x, y\",B2)",
                           u"='My Sheet'!A1+Data!B2:C3", u"=LOG10(A1)*2"})
    EXPECT_EQ(ODSFormulaToFormula(FormulaToODS(f, true)), f);
}

struct OffsetCase {
  std::u16string in;
  int colOffset;
  int rowOffset;
  std::u16string out;
};

void PrintTo(const OffsetCase& c, std::ostream* os) {
  *os << std::string(c.in.begin(), c.in.end());
}

class OffsetFormulaRefsTest : public testing::TestWithParam<OffsetCase> {};

TEST_P(OffsetFormulaRefsTest, Shifts) {
  const OffsetCase& c = GetParam();
  EXPECT_EQ(OffsetFormulaRefs(c.in, c.colOffset, c.rowOffset), c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OffsetFormulaRefsTest,
    testing::Values(
        OffsetCase{u"A1+1", 0, 1, u"A2+1"}, OffsetCase{u"SUM(A1:B2)*C3", 1, 2, u"SUM(B3:C4)*D5"},
        OffsetCase{u"$A$1+$A1+A$1", 2, 3, u"$A$1+$A4+C$1"},
        OffsetCase{u"AA10+XFC1", 1, 0, u"AB10+XFD1"}, OffsetCase{u"LOG10(A1)", 0, 1, u"LOG10(A2)"},
        OffsetCase{u"A1&\"B2\"", 1, 1, u"B2&\"B2\""},
        OffsetCase{u"'Q1 A1'!A1", 0, 1, u"'Q1 A1'!A2"}, OffsetCase{u"Data!B2", 0, 1, u"Data!B3"},
        OffsetCase{u"Table1[[#This Row],[A1]]", 0, 1, u"Table1[[#This Row],[A1]]"},
        OffsetCase{u"A1+1E5", 0, 1, u"A2+1E5"}, OffsetCase{u"A2-A1", 0, -1, u"A1-#REF!"},
        OffsetCase{u"XFD1", 1, 0, u"#REF!"}, OffsetCase{u"A1048576", 0, 1, u"#REF!"},
        OffsetCase{u"B1", -1, 0, u"A1"}, OffsetCase{u"a1+SUM(1)", 1, 1, u"a1+SUM(1)"}));

}  // namespace
}  // namespace workbook
