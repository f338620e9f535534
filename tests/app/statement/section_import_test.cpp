#include "app/statement/section_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "statement_fixture.h"

using namespace app;
using namespace app::test;

namespace {

// A row's field texts from "Name=text|Name=text".
std::vector<std::string> Row(TSection section, const std::string& cells) {
  std::vector<std::pair<std::string, std::string>> pairs;
  std::istringstream in(cells);
  for (std::string cell; std::getline(in, cell, '|');)
    pairs.emplace_back(cell.substr(0, cell.find('=')), cell.substr(cell.find('=') + 1));
  return FieldTexts(section, pairs);
}

// Expected messages as blank-separated fields: errors are "Neplatný údaj FIELD"; a warning
// "?FIELD" is "Prázdny údaj FIELD", "-FIELD" is "Záporná hodnota FIELD", "skip" the skipped row.
struct RowCase {
  TSection section;
  std::string cells;
  const char* errors;
  const char* warnings;
};

const std::string kF33 = std::string(33, 'f');

const RowCase kRowCases[] = {
    // A1: a rate other than 10 or 20, or no F, skips the row; no customer ID only warns.
    {TSection::A1, "F=1|S=19", "", "skip"},
    {TSection::A1, "S=20|Z=1", "", "skip"},
    {TSection::A1, "F=F1|S=20|Den=2021-02-28|Z=100|D=20", "", "?Odb"},
    // Every error, in check order; negative amounts warn.
    {TSection::A1, "Odb=at1|F=" + kF33 + "|Den=2021-02-30|Z=abc|S=10|Kopr=3", "Odb F Den Z D KOpr",
     ""},
    {TSection::A1, "Odb=AT12345678|F=F1|S=20|Den=2021-02-28|Z=-10|D=-2|Kopr=1", "", "-Z -D"},
    // A2 takes only Slovak customer IDs; its goods checks; a quantity of three decimals.
    {TSection::A2, "Odb=CZ12345678|F=F|Den=2021-02-28|Z=5|TK=0401|TD=IO|Mn=2|MJ=kg", "Odb", ""},
    {TSection::A2, "F=F", "Odb Den Z", "?TK ?TD ?Mn ?MJ"},
    {TSection::A2, "Odb=SK1234567890|F=F|Den=2021-02-28|Z=-5|TK=401|TD=io|Mn=2.505|MJ=KG|Kopr=2",
     "TK TD MJ", "?Mn -Z"},
    // B1: an empty supplier warns, a missing O is an error; a bad foreign supplier.
    {TSection::B1, "F=F|S=10|Den=2021-02-28|Z=-1|D=-0.1", "O", "?Dod -Z -D"},
    {TSection::B1, "Dod=1A|F=F|S=10|Den=2021-02-28|Z=1|D=1|O=-3|Kopr=x", "Dod KOpr", "-O"},
    // B2: an empty supplier is an error; a rate with a blank skips the row.
    {TSection::B2, "F=F|S=20|Den=2021-02-28|Z=1|D=1|O=1", "Dod", ""},
    {TSection::B2, "F=F|S=20 ", "", "skip"},
    {TSection::B31, "Z=abc", "Z D O", ""},
    {TSection::B31, "Z=-1|D=-2|O=-3|Kopr=1", "", "-Z -D -O"},
    // B32 checks its supplier after the sums, as a Slovak ID (a foreign one was once taken).
    {TSection::B32, "Z=1|O=1|Kopr=0", "D Dod KOpr", ""},
    {TSection::B32, "Dod=CZ12345678|Z=1|D=1|O=1|Kopr=1", "Dod", ""},
    {TSection::B32, "Dod=SK1234567890|D=1", "", "skip"},
    // C1 needs FO and FP; bad values give no negative warnings.
    {TSection::C1, "FO=1", "", "skip"},
    {TSection::C1, "FO=1|FP=2", "ZR", "?Odb ?DR ?S ?TK ?TD ?Mn ?MJ"},
    {TSection::C1,
     "Odb=de1|FO=" + kF33 + "|FP=" + kF33 +
         "|ZR=-1|DR=-1|S=19|TK=1234|TD=MT|Mn=2,5|MJ=t|Kopr=5|ONP=y",
     "Odb FO FP S KOpr ONP", ""},
    {TSection::C2, "FO=1|FP=2|ONP=X", "ZR DR S OR", "?Dod"},
    {TSection::C2, "Dod=HU12345678|FO=1|FP=2|ZR=-10|DR=-2|S=20|OR=-1|Kopr=1|ONP=x", "", ""},
    {TSection::D1, "SumaObratov=abc", "SumaObratov Z D ZZn DZn", ""},
    // D2: empty ZZn and DZn only warn, an empty D is an error.
    {TSection::D2, "Z=100|D=20|Kopr=1", "", "?ZZn ?DZn"},
    {TSection::D2, "Z=1|ZZn=1|DZn=1", "D", ""},
    {TSection::SV1, "Z=5|Kod=3", "Odb Kod", ""},
    {TSection::SV1, "Odb=AT1", "", "skip"},
    {TSection::SV2, "Odb=AT1|Vr=X", "", ""},
    {TSection::SV2, "Odb=at1", "Odb", ""},
    {TSection::SV2, "OdbP=AT1|Vr=x", "", "skip"},
    // Characters XML cannot carry (SUB stands for those the code page lacks) fail the field's
    // check, once, also where the text would pass or the field has no check of its own; TAB, LF
    // and CR are fit.
    {TSection::A1, "Odb=AT1|F=F\x01|S=20|Den=2021-02-28|Z=1|D=1", "F", ""},
    {TSection::A1, "Odb=AT1\x1A|F=F1|S=20|Den=2021-02-28|Z=1|D=1", "Odb", ""},
    {TSection::A1, "Odb=AT1|F=F1|S=20|Den=2021-02-28|Z=1\x1F|D=1", "Z", ""},
    {TSection::A1, "Odb=AT1|F=F\t1\r\n|S=20|Den=2021-02-28|Z=1|D=1", "", ""},
    {TSection::C1, "Odb=AT1|FO=1|FP=2|ZR=1|DR=1|S=20|TK=0401|TD=IO|Mn=1|MJ=kg|Kopr=1\x02|ONP=x\x02",
     "KOpr ONP", ""},
    {TSection::SV2, "Odb=AT1|OdbP=DE\x1A", "OdbP", ""},
};

// The list lines of row 12 the blank-separated expectations stand for.
std::vector<std::string> Messages(const char* expected, bool errors, TSection section) {
  std::vector<std::string> lines;
  std::istringstream in(expected);
  for (std::string token; in >> token;) {
    std::string text = "Neplatný údaj " + token + " v riadku č.";
    if (token == "skip") text = "Vynechaný riadok č.";
    if (!errors && token[0] == '?') text = "Prázdny údaj " + token.substr(1) + " v riadku č.";
    if (!errors && token[0] == '-') text = "Záporná hodnota " + token.substr(1) + " v riadku č.";
    lines.push_back(Cp(text.c_str()) + "12" + SectionSuffix(section));
  }
  return lines;
}

}  // namespace

TEST(SectionImport, RowRulesMessagesAndStates) {
  for (const RowCase& c : kRowCases) {
    SCOPED_TRACE(std::string(SectionName(c.section)) + " " + c.cells);
    TData data;
    TImportLog log;
    TSectionImport section(data, c.section);
    section.ProcessRow(12, Row(c.section, c.cells), log);
    EXPECT_EQ(log.Errors, Messages(c.errors, true, c.section));
    EXPECT_EQ(log.Warnings, Messages(c.warnings, false, c.section));
    const bool skipped = std::string(c.warnings) == "skip";
    const bool failed = *c.errors != '\0';
    EXPECT_EQ(section.Skipped(), skipped ? 1 : 0);
    EXPECT_EQ(section.Errors(), failed ? 1 : 0);
    EXPECT_EQ(section.Loaded(), skipped || failed ? 0 : 1);
  }
}

TEST(SectionImport, RecordsHoldNormalisedFields) {
  TData data;
  data.RoundingMode = kRoundDown;
  TImportLog log;
  TSectionImport a1(data, TSection::A1);
  a1.ProcessRow(2, Row(TSection::A1, "Odb=AT1|F=F1|Den=2021-1-5|Z=12,349|D=1.50|S=20|Kopr=1"), log);
  a1.ProcessRow(3, Row(TSection::A1, "F=F2|S=10|Den=5.1.2021|Z=x"), log);
  ASSERT_EQ(data.RowsA1.size(), 2u);
  const tDataA1& first = *data.RowsA1[0];
  EXPECT_EQ(first.Odb + " " + first.Den + " " + first.Z + " " + first.D + " " + first.S + " " +
                first.Kopr,
            "AT1 2021-01-05 12.34 1.5 20 1");
  const tDataA1& second = *data.RowsA1[1];  // kept despite its errors
  EXPECT_EQ(second.F + "|" + second.Den + "|" + second.Z, "F2||");

  TSectionImport c1(data, TSection::C1);
  c1.ProcessRow(4, Row(TSection::C1, "FO=1|FP=2|Mn=2,5|Kopr=2|ONP=x"), log);
  ASSERT_EQ(data.RowsC1.size(), 1u);
  EXPECT_EQ(data.RowsC1[0]->Mn + " " + data.RowsC1[0]->Kopr + " " + data.RowsC1[0]->ONP, "2.5 2 x");

  TSectionImport d2(data, TSection::D2);
  d2.ProcessRow(6, Row(TSection::D2, "Z=100|DZn=abc"), log);
  ASSERT_EQ(data.RowsD2.size(), 1u);
  const tDataD2& d = *data.RowsD2[0];
  EXPECT_EQ(d.Z + " " + d.D + " " + d.ZZn + " " + d.DZn, "100 0 0 0");

  TSectionImport sv2(data, TSection::SV2);
  for (const char* flag : {"x", "X", "1", ""})
    sv2.ProcessRow(
        7, Row(TSection::SV2, std::string("Odb=AT1|OdbP=DE2|Vr=") + flag + "|Kopr=" + flag), log);
  ASSERT_EQ(data.RowsSV2.size(), 4u);
  EXPECT_EQ(data.RowsSV2[0]->OdbP, "DE2");
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(data.RowsSV2[i]->Vr + data.RowsSV2[i]->Kopr, i == 0 ? "11" : "00") << i;
}

TEST(SectionImport, SumsAndCountersOfASection) {
  TData data;
  data.Totals.Sum[22] = 5;  // slot 23 is never written
  data.Totals.Sum[0] = 99;
  TImportLog log;
  TSectionImport a1(data, TSection::A1);
  a1.ProcessRow(2, Row(TSection::A1, "Odb=AT1|F=F|S=20|Den=2021-02-28|Z=10.5|D=2.1"), log);
  // An error row still adds its amounts.
  a1.ProcessRow(
      3, Row(TSection::A1, "Odb=AT1|F=" + std::string(33, 'f') + "|S=20|Den=2021-02-28|Z=-2|D=0.2"),
      log);
  a1.ProcessRow(4, Row(TSection::A1, "Z=1000"), log);  // skipped
  a1.ProcessRow(5, Row(TSection::A1, "F=F|S=10|Den=2021-02-28|Z=abc|D=0.1"), log);
  EXPECT_EQ(a1.Loaded(), 1);
  EXPECT_EQ(a1.Errors(), 2);
  EXPECT_EQ(a1.Skipped(), 1);
  EXPECT_EQ(a1.Accepted(), 3);
  EXPECT_EQ(data.Totals.Sum[0], 99) << "totals change only when the section finishes";
  a1.Finish(log);
  EXPECT_EQ(data.Totals.Sum[0], 8.5);
  EXPECT_DOUBLE_EQ(data.Totals.Sum[1], 2.4);
  EXPECT_EQ(data.Totals.Sum[2], 0);
  EXPECT_EQ(data.Totals.Sum[22], 5);
  EXPECT_EQ(log.Errors.size(), 2u) << "A1 has no limit of rows";
}

// Each summed field holds the number of the slot it must feed (SV1's with a decimal comma).
TEST(SectionImport, EachSummedFieldFeedsItsSlot) {
  const std::pair<TSection, const char*> cases[] = {
      {TSection::A1, "F=F|S=20|Z=1|D=2"},
      {TSection::A2, "F=F|Z=3|Mn=4"},
      {TSection::B1, "F=F|S=20|Z=5|D=6|O=7"},
      {TSection::B2, "F=F|S=20|Z=8|D=9|O=10"},
      {TSection::B31, "Z=11|D=12|O=13"},
      {TSection::B32, "Z=14|D=15|O=16"},
      {TSection::C1, "FO=a|FP=b|ZR=17|DR=18|Mn=19"},
      {TSection::C2, "FO=a|FP=b|ZR=20|DR=21|OR=22"},
      {TSection::D1, "SumaObratov=24|Z=25|D=26|ZZn=27|DZn=28"},
      {TSection::D2, "Z=29|D=30|ZZn=31|DZn=32"},
      {TSection::SV1, "Z=33,0"},
      {TSection::SV2, "Odb=AT1"}};
  for (const auto& [section, cells] : cases) {
    SCOPED_TRACE(SectionName(section));
    TData data;
    TImportLog log;
    TSectionImport import(data, section);
    import.ProcessRow(2, Row(section, cells), log);
    import.ProcessRow(3, Row(section, cells), log);
    import.Finish(log);
    std::set<int> fed;  // the numbers given, but for the rate
    std::istringstream in(cells);
    for (std::string cell; std::getline(in, cell, '|');)
      if (!cell.starts_with("S=") && std::isdigit(cell[cell.find('=') + 1]))
        fed.insert(std::stoi(cell.substr(cell.find('=') + 1)));
    for (int slot = 1; slot <= kTotalsCount; ++slot)
      EXPECT_EQ(data.Totals.Sum[slot - 1], fed.count(slot) ? 2 * slot : 0) << "slot " << slot;
  }
}

TEST(SectionImport, AtMostTwoRowsInB31D1D2) {
  struct Case {
    TSection section;
    const char* cells;
    int rows;
    bool listed;
  } cases[] = {
      {TSection::B31, "Z=1", 3, true},          {TSection::B31, "Z=1", 2, false},
      {TSection::D1, "SumaObratov=1", 4, true}, {TSection::D2, "Z=x", 3, true},
      {TSection::D2, "D=1", 3, false},          {TSection::A1, "F=F|S=20", 3, false},
  };
  for (const auto& c : cases) {
    TData data;
    TImportLog log;
    TSectionImport section(data, c.section);
    for (int row = 0; row < c.rows; ++row)
      section.ProcessRow(row + 2, Row(c.section, c.cells), log);
    section.Finish(log);
    // Listed once, at the end, and the rows are all kept.
    const std::string line =
        Cp(("V sekcií " + std::string(SectionName(c.section)) + " je príliš veľa riadkov").c_str());
    EXPECT_EQ(std::count(log.Errors.begin(), log.Errors.end(), line), c.listed ? 1 : 0)
        << SectionName(c.section) << " " << c.rows;
    if (c.listed) {
      EXPECT_EQ(section.Accepted(), c.rows);
    }
  }
}

TEST(SectionImport, ReadFieldTextsFollowsTheColumnMap) {
  TData data;
  data.Order.ColumnOf("C1-Odb") = 3;
  data.Order.ColumnOf("C1-FO") = 1;
  data.Order.ColumnOf("C1-FP") = 2;
  data.Order.ColumnOf("C1-Kopr") = 4;
  data.Order.ColumnOf("C1-ONP") = 5;
  data.Order.ColumnOf("C1-ZR") = 0;    // hand-edited: no column
  data.Order.ColumnOf("C1-DR") = 200;  // beyond the row's cells
  TSectionImport section(data, TSection::C1);
  EXPECT_EQ(section.FieldColumns(),
            (std::vector<std::int32_t>{3, 1, 2, 0, 200, 0, 0, 0, 0, 0, 4, 5}));
  const std::vector<std::string> cells = {"fo", "fp", "odb", "kopr", "onp"};
  auto texts = section.ReadFieldTexts(5, [&](std::int32_t i) {
    EXPECT_LT(i, 5);
    EXPECT_GE(i, 0);
    return cells.at(i);
  });
  EXPECT_EQ(texts, (std::vector<std::string>{"odb", "fo", "fp", "", "", "", "", "", "", "", "kopr",
                                             "onp"}));
  // A key column beyond the row's cells makes the row fail its rule.
  texts = section.ReadFieldTexts(1, [&](std::int32_t i) { return cells.at(i); });
  TImportLog log;
  section.ProcessRow(9, texts, log);
  EXPECT_EQ(section.Skipped(), 1);
}
