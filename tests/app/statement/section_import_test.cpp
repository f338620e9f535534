#include "app/statement/section_import.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/text_codec.h"

using namespace app;

namespace {

std::string Cp(const std::string& utf8) { return platform::Utf8ToCp1250(utf8); }

std::vector<std::string> Cp(const std::vector<std::string>& utf8) {
  std::vector<std::string> out;
  for (const auto& line : utf8) out.push_back(Cp(line));
  return out;
}

// The section's field names in record field order, taken from the column keys.
std::vector<std::string> FieldNames(TSection section) {
  std::vector<std::string> names(FieldCount(section));
  const std::string prefix = std::string(SectionName(section)) + "-";
  for (std::string_view key : kColumnKeys) {
    const int field = ColumnSlot(key) - FirstSlot(section);
    if (key.substr(0, prefix.size()) == prefix) names.at(field) = key.substr(prefix.size());
  }
  return names;
}

// A row's field texts from field name → text; fields not named are empty.
std::vector<std::string> Row(TSection section, const std::map<std::string, std::string>& cells) {
  const std::vector<std::string> names = FieldNames(section);
  std::vector<std::string> texts(names.size());
  for (const auto& [name, text] : cells) {
    bool found = false;
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (names[i] == name) {
        texts[i] = text;
        found = true;
      }
    }
    EXPECT_TRUE(found) << "no field " << name << " in " << SectionName(section);
  }
  return texts;
}

enum class State { Skipped, Loaded, Error };

struct RowCase {
  const char* title;
  TSection section;
  std::map<std::string, std::string> cells;
  State state;
  std::vector<std::string> errors;    // UTF-8, without the row number and suffix
  std::vector<std::string> warnings;  // likewise
};

const char* const kOk = "2021-02-28";

const RowCase kRowCases[] = {
    {"A1 with a rate other than 10 or 20 is skipped",
     TSection::A1,
     {{"F", "1"}, {"S", "19"}},
     State::Skipped,
     {},
     {"Vynechaný riadok č."}},
    {"A1 without F is skipped",
     TSection::A1,
     {{"S", "20"}, {"Z", "1"}},
     State::Skipped,
     {},
     {"Vynechaný riadok č."}},
    {"A1 without a customer ID only warns",
     TSection::A1,
     {{"F", "F1"}, {"S", "20"}, {"Den", kOk}, {"Z", "100"}, {"D", "20"}},
     State::Loaded,
     {},
     {"Prázdny údaj Odb v riadku č."}},
    {"A1 every error in check order",
     TSection::A1,
     {{"Odb", "at1"},
      {"F", std::string(33, 'f')},
      {"Den", "2021-02-30"},
      {"Z", "abc"},
      {"S", "10"},
      {"Kopr", "3"}},
     State::Error,
     {"Neplatný údaj Odb v riadku č.", "Neplatný údaj F v riadku č.",
      "Neplatný údaj Den v riadku č.", "Neplatný údaj Z v riadku č.", "Neplatný údaj D v riadku č.",
      "Neplatný údaj KOpr v riadku č."},
     {}},
    {"A1 negative amounts warn",
     TSection::A1,
     {{"Odb", "AT12345678"},
      {"F", "F1"},
      {"S", "20"},
      {"Den", kOk},
      {"Z", "-10"},
      {"D", "-2"},
      {"Kopr", "1"}},
     State::Loaded,
     {},
     {"Záporná hodnota Z v riadku č.", "Záporná hodnota D v riadku č."}},
    {"A2 takes only Slovak customer IDs",
     TSection::A2,
     {{"Odb", "CZ12345678"},
      {"F", "F"},
      {"Den", kOk},
      {"Z", "5"},
      {"TK", "0401"},
      {"TD", "IO"},
      {"Mn", "2"},
      {"MJ", "kg"}},
     State::Error,
     {"Neplatný údaj Odb v riadku č."},
     {}},
    {"A2 with only F",
     TSection::A2,
     {{"F", "F"}},
     State::Error,
     {"Neplatný údaj Odb v riadku č.", "Neplatný údaj Den v riadku č.",
      "Neplatný údaj Z v riadku č."},
     {"Prázdny údaj TK v riadku č.", "Prázdny údaj TD v riadku č.", "Prázdny údaj Mn v riadku č.",
      "Prázdny údaj MJ v riadku č."}},
    {"A2 goods checks and a rejected quantity",
     TSection::A2,
     {{"Odb", "SK1234567890"},
      {"F", "F"},
      {"Den", kOk},
      {"Z", "-5"},
      {"TK", "401"},
      {"TD", "io"},
      {"Mn", "2.505"},
      {"MJ", "KG"},
      {"Kopr", "2"}},
     State::Error,
     {"Neplatný údaj TK v riadku č.", "Neplatný údaj TD v riadku č.",
      "Neplatný údaj MJ v riadku č."},
     {"Prázdny údaj Mn v riadku č.", "Záporná hodnota Z v riadku č."}},
    {"B1 empty supplier warns, missing O is an error",
     TSection::B1,
     {{"F", "F"}, {"S", "10"}, {"Den", kOk}, {"Z", "-1"}, {"D", "-0.1"}},
     State::Error,
     {"Neplatný údaj O v riadku č."},
     {"Prázdny údaj Dod v riadku č.", "Záporná hodnota Z v riadku č.",
      "Záporná hodnota D v riadku č."}},
    {"B1 bad foreign supplier",
     TSection::B1,
     {{"Dod", "1A"},
      {"F", "F"},
      {"S", "10"},
      {"Den", kOk},
      {"Z", "1"},
      {"D", "1"},
      {"O", "-3"},
      {"Kopr", "x"}},
     State::Error,
     {"Neplatný údaj Dod v riadku č.", "Neplatný údaj KOpr v riadku č."},
     {"Záporná hodnota O v riadku č."}},
    {"B2 empty supplier is an error",
     TSection::B2,
     {{"F", "F"}, {"S", "20"}, {"Den", kOk}, {"Z", "1"}, {"D", "1"}, {"O", "1"}},
     State::Error,
     {"Neplatný údaj Dod v riadku č."},
     {}},
    {"B2 without the rate is skipped",
     TSection::B2,
     {{"F", "F"}, {"S", "20 "}},
     State::Skipped,
     {},
     {"Vynechaný riadok č."}},
    {"B31 with Z text is accepted with an error",
     TSection::B31,
     {{"Z", "abc"}},
     State::Error,
     {"Neplatný údaj Z v riadku č.", "Neplatný údaj D v riadku č.", "Neplatný údaj O v riadku č."},
     {}},
    {"B31 negatives",
     TSection::B31,
     {{"Z", "-1"}, {"D", "-2"}, {"O", "-3"}, {"Kopr", "1"}},
     State::Loaded,
     {},
     {"Záporná hodnota Z v riadku č.", "Záporná hodnota D v riadku č.",
      "Záporná hodnota O v riadku č."}},
    {"B32 checks the supplier after the sums",
     TSection::B32,
     {{"Z", "1"}, {"O", "1"}, {"Kopr", "0"}},
     State::Error,
     {"Neplatný údaj D v riadku č.", "Neplatný údaj Dod v riadku č.",
      "Neplatný údaj KOpr v riadku č."},
     {}},
    {"B32 without Z is skipped",
     TSection::B32,
     {{"Dod", "SK1234567890"}, {"D", "1"}},
     State::Skipped,
     {},
     {"Vynechaný riadok č."}},
    {"C1 needs FO and FP",
     TSection::C1,
     {{"FO", "1"}},
     State::Skipped,
     {},
     {"Vynechaný riadok č."}},
    {"C1 with only FO and FP",
     TSection::C1,
     {{"FO", "1"}, {"FP", "2"}},
     State::Error,
     {"Neplatný údaj ZR v riadku č."},
     {"Prázdny údaj Odb v riadku č.", "Prázdny údaj DR v riadku č.", "Prázdny údaj S v riadku č.",
      "Prázdny údaj TK v riadku č.", "Prázdny údaj TD v riadku č.", "Prázdny údaj Mn v riadku č.",
      "Prázdny údaj MJ v riadku č."}},
    {"C1 bad values, no negative warnings",
     TSection::C1,
     {{"Odb", "de1"},
      {"FO", std::string(33, 'o')},
      {"FP", std::string(33, 'p')},
      {"ZR", "-1"},
      {"DR", "-1"},
      {"S", "19"},
      {"TK", "1234"},
      {"TD", "MT"},
      {"Mn", "2,5"},
      {"MJ", "t"},
      {"Kopr", "5"},
      {"ONP", "y"}},
     State::Error,
     {"Neplatný údaj Odb v riadku č.", "Neplatný údaj FO v riadku č.",
      "Neplatný údaj FP v riadku č.", "Neplatný údaj S v riadku č.",
      "Neplatný údaj KOpr v riadku č.", "Neplatný údaj ONP v riadku č."},
     {}},
    {"C2 with only FO and FP",
     TSection::C2,
     {{"FO", "1"}, {"FP", "2"}, {"ONP", "X"}},
     State::Error,
     {"Neplatný údaj ZR v riadku č.", "Neplatný údaj DR v riadku č.", "Neplatný údaj S v riadku č.",
      "Neplatný údaj OR v riadku č."},
     {"Prázdny údaj Dod v riadku č."}},
    {"C2 complete",
     TSection::C2,
     {{"Dod", "HU12345678"},
      {"FO", "1"},
      {"FP", "2"},
      {"ZR", "-10"},
      {"DR", "-2"},
      {"S", "20"},
      {"OR", "-1"},
      {"Kopr", "1"},
      {"ONP", "x"}},
     State::Loaded,
     {},
     {}},
    {"D1 with only a bad SumaObratov",
     TSection::D1,
     {{"SumaObratov", "abc"}},
     State::Error,
     {"Neplatný údaj SumaObratov v riadku č.", "Neplatný údaj Z v riadku č.",
      "Neplatný údaj D v riadku č.", "Neplatný údaj ZZn v riadku č.",
      "Neplatný údaj DZn v riadku č."},
     {}},
    {"D2 empty ZZn and DZn only warn",
     TSection::D2,
     {{"Z", "100"}, {"D", "20"}, {"Kopr", "1"}},
     State::Loaded,
     {},
     {"Prázdny údaj ZZn v riadku č.", "Prázdny údaj DZn v riadku č."}},
    {"D2 empty D is an error",
     TSection::D2,
     {{"Z", "1"}, {"ZZn", "1"}, {"DZn", "1"}},
     State::Error,
     {"Neplatný údaj D v riadku č."},
     {}},
    {"SV1 customer and code",
     TSection::SV1,
     {{"Z", "5"}, {"Kod", "3"}},
     State::Error,
     {"Neplatný údaj Odb v riadku č.", "Neplatný údaj Kod v riadku č."},
     {}},
    {"SV1 without Z is skipped",
     TSection::SV1,
     {{"Odb", "AT1"}},
     State::Skipped,
     {},
     {"Vynechaný riadok č."}},
    {"SV2 flags need no message",
     TSection::SV2,
     {{"Odb", "AT1"}, {"Vr", "X"}},
     State::Loaded,
     {},
     {}},
    {"SV2 bad customer",
     TSection::SV2,
     {{"Odb", "at1"}},
     State::Error,
     {"Neplatný údaj Odb v riadku č."},
     {}},
    {"SV2 without customer is skipped",
     TSection::SV2,
     {{"OdbP", "AT1"}, {"Vr", "x"}},
     State::Skipped,
     {},
     {"Vynechaný riadok č."}},
    // Characters XML cannot carry (SUB stands for those the code page lacks).
    {"A1 invoice number with a control character",
     TSection::A1,
     {{"Odb", "AT1"},
      {"F",
       "F\x01"
       "1"},
      {"S", "20"},
      {"Den", kOk},
      {"Z", "1"},
      {"D", "1"}},
     State::Error,
     {"Neplatný údaj F v riadku č."},
     {}},
    {"A1 customer ID that would pass but for SUB",
     TSection::A1,
     {{"Odb", "AT1\x1A"}, {"F", "F1"}, {"S", "20"}, {"Den", kOk}, {"Z", "1"}, {"D", "1"}},
     State::Error,
     {"Neplatný údaj Odb v riadku č."},
     {}},
    {"A1 amount with a control character is listed once",
     TSection::A1,
     {{"Odb", "AT1"}, {"F", "F1"}, {"S", "20"}, {"Den", kOk}, {"Z", "1\x1F"}, {"D", "1"}},
     State::Error,
     {"Neplatný údaj Z v riadku č."},
     {}},
    {"A1 TAB, LF and CR are fit",
     TSection::A1,
     {{"Odb", "AT1"}, {"F", "F\t1\r\n"}, {"S", "20"}, {"Den", kOk}, {"Z", "1"}, {"D", "1"}},
     State::Loaded,
     {},
     {}},
    {"C1 flags keep their names",
     TSection::C1,
     {{"Odb", "AT1"},
      {"FO", "1"},
      {"FP", "2"},
      {"ZR", "1"},
      {"DR", "1"},
      {"S", "20"},
      {"TK", "0401"},
      {"TD", "IO"},
      {"Mn", "1"},
      {"MJ", "kg"},
      {"Kopr", "1\x02"},
      {"ONP", "x\x02"}},
     State::Error,
     {"Neplatný údaj KOpr v riadku č.", "Neplatný údaj ONP v riadku č."},
     {}},
    {"SV2 field without a check of its own",
     TSection::SV2,
     {{"Odb", "AT1"}, {"OdbP", "DE\x1A"}},
     State::Error,
     {"Neplatný údaj OdbP v riadku č."},
     {}},
};

std::vector<std::string> WithRow(const std::vector<std::string>& texts, TSection section, int row) {
  std::vector<std::string> out;
  for (const auto& text : Cp(texts))
    out.push_back(text + std::to_string(row) + SectionSuffix(section));
  return out;
}

}  // namespace

TEST(SectionImport, RowRulesMessagesAndStates) {
  for (const RowCase& c : kRowCases) {
    SCOPED_TRACE(c.title);
    TData data;
    TImportLog log;
    TSectionImport section(data, c.section);
    section.ProcessRow(12, Row(c.section, c.cells), log);
    EXPECT_EQ(log.Errors, WithRow(c.errors, c.section, 12));
    EXPECT_EQ(log.Warnings, WithRow(c.warnings, c.section, 12));
    EXPECT_EQ(section.Skipped(), c.state == State::Skipped ? 1 : 0);
    EXPECT_EQ(section.Loaded(), c.state == State::Loaded ? 1 : 0);
    EXPECT_EQ(section.Errors(), c.state == State::Error ? 1 : 0);
  }
}

TEST(SectionImport, MessageBytesAndSuffix) {
  TData data;
  TImportLog log;
  TSectionImport section(data, TSection::A1);
  section.ProcessRow(12,
                     Row(TSection::A1, {{"F", std::string(40, 'f')},
                                        {"S", "20"},
                                        {"Den", kOk},
                                        {"Z", "1"},
                                        {"D", "1"},
                                        {"Odb", "AT1"}}),
                     log);
  ASSERT_EQ(log.Errors.size(), 1u);
  EXPECT_EQ(log.Errors[0], "Neplatn\xFD \xFA\x64\x61j F v riadku \xE8.12 v sekci\xED A1");
}

TEST(SectionImport, RecordsHoldNormalisedFields) {
  TData data;
  data.RoundingMode = kRoundDown;
  TImportLog log;
  TSectionImport a1(data, TSection::A1);
  a1.ProcessRow(2,
                Row(TSection::A1, {{"Odb", "AT1"},
                                   {"F", "F1"},
                                   {"Den", "2021-1-5"},
                                   {"Z", "12,349"},
                                   {"D", "1.50"},
                                   {"S", "20"},
                                   {"Kopr", "1"}}),
                log);
  a1.ProcessRow(3, Row(TSection::A1, {{"F", "F2"}, {"S", "10"}, {"Den", "5.1.2021"}, {"Z", "x"}}),
                log);
  ASSERT_EQ(data.RowsA1.size(), 2u);
  const tDataA1& first = *data.RowsA1[0];
  EXPECT_EQ(first.Odb, "AT1");
  EXPECT_EQ(first.Den, "2021-1-5");
  EXPECT_EQ(first.Z, "12.34");
  EXPECT_EQ(first.D, "1.5");
  EXPECT_EQ(first.S, "20");
  EXPECT_EQ(first.Kopr, "1");
  const tDataA1& second = *data.RowsA1[1];  // kept despite its errors
  EXPECT_EQ(second.F, "F2");
  EXPECT_EQ(second.Den, "");
  EXPECT_EQ(second.Z, "");

  TSectionImport c1(data, TSection::C1);
  c1.ProcessRow(
      4, Row(TSection::C1, {{"FO", "1"}, {"FP", "2"}, {"Mn", "2.5"}, {"Kopr", "2"}, {"ONP", "x"}}),
      log);
  c1.ProcessRow(5, Row(TSection::C1, {{"FO", "1"}, {"FP", "2"}, {"Mn", "2,5"}}), log);
  ASSERT_EQ(data.RowsC1.size(), 2u);
  EXPECT_EQ(data.RowsC1[0]->Mn, "2.5");
  EXPECT_EQ(data.RowsC1[0]->Kopr, "2");
  EXPECT_EQ(data.RowsC1[0]->ONP, "x");
  EXPECT_EQ(data.RowsC1[1]->Mn, "2.5");

  TSectionImport d2(data, TSection::D2);
  d2.ProcessRow(6, Row(TSection::D2, {{"Z", "100"}, {"DZn", "abc"}}), log);
  ASSERT_EQ(data.RowsD2.size(), 1u);
  EXPECT_EQ(data.RowsD2[0]->Z, "100");
  EXPECT_EQ(data.RowsD2[0]->D, "0");
  EXPECT_EQ(data.RowsD2[0]->ZZn, "0");
  EXPECT_EQ(data.RowsD2[0]->DZn, "0");

  TSectionImport sv2(data, TSection::SV2);
  for (const char* vr : {"x", "X", "1", ""})
    sv2.ProcessRow(
        7, Row(TSection::SV2, {{"Odb", "AT1"}, {"OdbP", "DE2"}, {"Vr", vr}, {"Kopr", vr}}), log);
  ASSERT_EQ(data.RowsSV2.size(), 4u);
  EXPECT_EQ(data.RowsSV2[0]->Vr, "1");
  EXPECT_EQ(data.RowsSV2[0]->Kopr, "1");
  EXPECT_EQ(data.RowsSV2[0]->OdbP, "DE2");
  for (int i = 1; i < 4; ++i) {
    EXPECT_EQ(data.RowsSV2[i]->Vr, "0");
    EXPECT_EQ(data.RowsSV2[i]->Kopr, "0");
  }

  TSectionImport sv1(data, TSection::SV1);
  sv1.ProcessRow(8, Row(TSection::SV1, {{"Odb", "AT1"}, {"Z", "7.1"}, {"Kod", "2"}}), log);
  ASSERT_EQ(data.RowsSV1.size(), 1u);
  EXPECT_EQ(data.RowsSV1[0]->Odb, "AT1");
  EXPECT_EQ(data.RowsSV1[0]->Z, "7.1");
  EXPECT_EQ(data.RowsSV1[0]->Kod, "2");
}

TEST(SectionImport, SumsAndCountersOfASection) {
  TData data;
  data.Totals.Sum[22] = 5;  // slot 23 is never written
  data.Totals.Sum[0] = 99;
  TImportLog log;
  TSectionImport a1(data, TSection::A1);
  a1.ProcessRow(
      2,
      Row(TSection::A1,
          {{"Odb", "AT1"}, {"F", "F"}, {"S", "20"}, {"Den", kOk}, {"Z", "10.5"}, {"D", "2.1"}}),
      log);
  // An error row still adds its amounts.
  a1.ProcessRow(3,
                Row(TSection::A1, {{"Odb", "AT1"},
                                   {"F", std::string(33, 'f')},
                                   {"S", "20"},
                                   {"Den", kOk},
                                   {"Z", "-2"},
                                   {"D", "0.2"}}),
                log);
  a1.ProcessRow(4, Row(TSection::A1, {{"Z", "1000"}}), log);  // skipped
  a1.ProcessRow(
      5, Row(TSection::A1, {{"F", "F"}, {"S", "10"}, {"Den", kOk}, {"Z", "abc"}, {"D", "0.1"}}),
      log);
  EXPECT_EQ(a1.Loaded(), 1);
  EXPECT_EQ(a1.Errors(), 2);
  EXPECT_EQ(a1.Skipped(), 1);
  EXPECT_EQ(a1.Accepted(), 3);
  ASSERT_EQ(a1.Sums().size(), 2u);
  EXPECT_EQ(a1.Sums()[0].Key, "A1-Z");
  EXPECT_EQ(a1.Sums()[0].Slot, 1);
  EXPECT_EQ(a1.Sums()[1].Key, "A1-D");
  EXPECT_EQ(data.Totals.Sum[0], 99) << "totals change only when the section finishes";
  a1.Finish(log);
  EXPECT_EQ(data.Totals.Sum[0], 8.5);
  EXPECT_DOUBLE_EQ(data.Totals.Sum[1], 2.4);
  EXPECT_EQ(data.Totals.Sum[2], 0);
  EXPECT_EQ(data.Totals.Sum[22], 5);
  // No line about too many rows: A1 has no limit.
  EXPECT_EQ(log.Errors, (std::vector<std::string>{
                            Cp("Neplatný údaj F v riadku č.3") + SectionSuffix(TSection::A1),
                            Cp("Neplatný údaj Z v riadku č.5") + SectionSuffix(TSection::A1)}));
}

TEST(SectionImport, SumSlotsOfEverySection) {
  struct Case {
    TSection section;
    std::vector<int> slots;
  } cases[] = {{TSection::A1, {1, 2}},
               {TSection::A2, {3, 4}},
               {TSection::B1, {5, 6, 7}},
               {TSection::B2, {8, 9, 10}},
               {TSection::B31, {11, 12, 13}},
               {TSection::B32, {14, 15, 16}},
               {TSection::C1, {17, 18, 19}},
               {TSection::C2, {20, 21, 22}},
               {TSection::D1, {24, 25, 26, 27, 28}},
               {TSection::D2, {29, 30, 31, 32}},
               {TSection::SV1, {33}},
               {TSection::SV2, {}}};
  for (const auto& c : cases) {
    TData data;
    TSectionImport section(data, c.section);
    std::vector<int> slots;
    for (const TColumnSum& sum : section.Sums()) {
      slots.push_back(sum.Slot);
      EXPECT_EQ(sum.Key, kTotalsKeys[sum.Slot - 1]);
    }
    EXPECT_EQ(slots, c.slots) << SectionName(c.section);
  }
}

TEST(SectionImport, EachSummedFieldFeedsItsSlot) {
  // Every amount field 1, 2, 3 ... in field order: the slots show which field went where.
  struct Case {
    TSection section;
    std::map<std::string, std::string> cells;
    std::map<int, double> totals;  // slot → sum
  } cases[] = {
      {TSection::A2, {{"F", "F"}, {"Z", "1"}, {"Mn", "2.5"}}, {{3, 1}, {4, 2.5}}},
      {TSection::B1,
       {{"F", "F"}, {"S", "20"}, {"Z", "1"}, {"D", "2"}, {"O", "3"}},
       {{5, 1}, {6, 2}, {7, 3}}},
      {TSection::B2,
       {{"F", "F"}, {"S", "20"}, {"Z", "1"}, {"D", "2"}, {"O", "3"}},
       {{8, 1}, {9, 2}, {10, 3}}},
      {TSection::B31, {{"Z", "1"}, {"D", "2"}, {"O", "3"}}, {{11, 1}, {12, 2}, {13, 3}}},
      {TSection::B32, {{"Z", "1"}, {"D", "2"}, {"O", "3"}}, {{14, 1}, {15, 2}, {16, 3}}},
      {TSection::C1,
       {{"FO", "a"}, {"FP", "b"}, {"ZR", "1"}, {"DR", "2"}, {"Mn", "3"}},
       {{17, 1}, {18, 2}, {19, 3}}},
      {TSection::C2,
       {{"FO", "a"}, {"FP", "b"}, {"ZR", "1"}, {"DR", "2"}, {"OR", "3"}},
       {{20, 1}, {21, 2}, {22, 3}}},
      {TSection::D1,
       {{"SumaObratov", "1"}, {"Z", "2"}, {"D", "3"}, {"ZZn", "4"}, {"DZn", "5"}},
       {{24, 1}, {25, 2}, {26, 3}, {27, 4}, {28, 5}}},
      {TSection::D2,
       {{"Z", "1"}, {"D", "2"}, {"ZZn", "3"}, {"DZn", "4"}},
       {{29, 1}, {30, 2}, {31, 3}, {32, 4}}},
      {TSection::SV1, {{"Z", "1,25"}}, {{33, 1.25}}},
  };
  for (const auto& c : cases) {
    TData data;
    TImportLog log;
    TSectionImport section(data, c.section);
    section.ProcessRow(2, Row(c.section, c.cells), log);
    section.ProcessRow(3, Row(c.section, c.cells), log);
    section.Finish(log);
    for (int slot = 1; slot <= kTotalsCount; ++slot) {
      const auto expected = c.totals.find(slot);
      EXPECT_EQ(data.Totals.Sum[slot - 1], expected == c.totals.end() ? 0 : 2 * expected->second)
          << SectionName(c.section) << " slot " << slot;
    }
  }
}

TEST(SectionImport, AtMostTwoRowsInB31D1D2) {
  struct Case {
    TSection section;
    std::map<std::string, std::string> cells;
    int rows;
    bool listed;
  } cases[] = {
      {TSection::B31, {{"Z", "1"}}, 3, true},
      {TSection::B31, {{"Z", "1"}}, 2, false},
      {TSection::D1, {{"SumaObratov", "1"}}, 4, true},
      {TSection::D2, {{"Z", "x"}}, 3, true},
      {TSection::D2, {{"D", "1"}}, 3, false},
      {TSection::A1, {{"F", "F"}, {"S", "20"}}, 3, false},
  };
  for (const auto& c : cases) {
    TData data;
    TImportLog log;
    TSectionImport section(data, c.section);
    for (int row = 0; row < c.rows; ++row)
      section.ProcessRow(row + 2, Row(c.section, c.cells), log);
    log.Errors.clear();
    section.Finish(log);
    const std::vector<std::string> expected =
        c.listed ? std::vector<std::string>{Cp("V sekcií " + std::string(SectionName(c.section)) +
                                               " je príliš veľa riadkov")}
                 : std::vector<std::string>{};
    EXPECT_EQ(log.Errors, expected) << SectionName(c.section) << " " << c.rows;
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

TEST(SectionImport, WrongFieldCountIsAProgrammingError) {
  TData data;
  TImportLog log;
  TSectionImport section(data, TSection::SV1);
  EXPECT_THROW(section.ProcessRow(1, {"a", "b"}, log), std::invalid_argument);
}
