// The import command over workbooks built in memory: lists, counts, sums, the sheet lookup, the
// row range and what a cancelled dialog leaves.
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>

#include "app/statement/data.h"
#include "app_fixture.h"

namespace app::test {
namespace {

std::vector<QString> Column(const QTableWidget* grid, int column) {
  std::vector<QString> cells;
  for (int row = 1; row <= 4; ++row) cells.push_back(Cell(grid, row, column));
  return cells;
}

using R = std::vector<std::string>;

// Settings that read only the A1 sheet (the other sections' sheets are absent).
std::vector<TFakeSheet> OnlyA1(std::vector<R> rows) { return {TFakeSheet{"A1", std::move(rows)}}; }

std::vector<QString> NotFoundWarnings(std::initializer_list<const char*> sections) {
  std::vector<QString> lines;
  for (const char* section : sections)
    lines.push_back(U("Nenájdený hárok pre sekciu ") + section + " - " + section + ".");
  return lines;
}

TEST_F(AppTest, ImportOfEverySectionFillsListsCountsAndSums) {
  Start(GoldenSettings());
  Import("book.xlsx", GoldenWorkbook());

  EXPECT_EQ(Lines(main_->LogBox), (std::vector<QString>{
                                      U("Neplatný údaj ONP v riadku č.2 v sekcií C1"),
                                      U("Neplatný údaj ONP v riadku č.2 v sekcií C2"),
                                      U("Neplatný údaj Kod v riadku č.4 v sekcií SV1"),
                                  }));
  // The warnings by section, then by row and field (the section-import tests have each rule's).
  const auto warnings = Lines(main_->LogBox2);
  ASSERT_EQ(warnings.size(), 12u);
  EXPECT_EQ(warnings[0], U("Prázdny údaj Odb v riadku č.3 v sekcií A1"));
  EXPECT_EQ(warnings[4], U("Prázdny údaj TK v riadku č.2 v sekcií C1"));
  EXPECT_EQ(warnings[11], U("Prázdny údaj TD v riadku č.3 v sekcií C1"));
  // Loaded, skipped, errors, total per section, A1 ... SV2.
  const std::vector<std::vector<QString>> counts = {
      {"2", "0", "0", "2"}, {"2", "0", "0", "2"}, {"2", "0", "0", "2"}, {"2", "0", "0", "2"},
      {"1", "0", "0", "1"}, {"1", "0", "0", "1"}, {"1", "0", "1", "2"}, {"0", "0", "1", "1"},
      {"1", "0", "0", "1"}, {"1", "0", "0", "1"}, {"2", "0", "1", "3"}, {"2", "0", "0", "2"}};
  for (int section = 0; section < 12; ++section)
    EXPECT_EQ(Column(main_->StatsList, section + 1), counts[section]) << "section " << section;

  // Grouped thousands, negatives, quantities without the euro sign.
  const std::pair<const char*, const char*> sums[] = {
      {"A1-Z", "1 050,50 €"},         {"A2-Mn", "624,67"},
      {"C1-ZR", "-150,00 €"},         {"C1-Mn", "-5,50"},
      {"D1-SumaObratov", "416,90 €"}, {"SV1-Z", "1 740,00 €"}};
  for (auto [key, text] : sums) EXPECT_EQ(Sum(main_->SubtotalsList, key), U(text)) << key;
  EXPECT_TRUE(KVDPH.InputLoaded);
  for (QRadioButton* radio : main_->findChildren<QRadioButton*>(QRegularExpression("^RadioButton")))
    EXPECT_FALSE(radio->isEnabled()) << radio->objectName().toStdString();
  EXPECT_EQ(TakeBoxes(), "");
  EXPECT_EQ(dialogs_.Calls.at(0).Filter, u"Excel súbory (*.xls, *.xlsx)|*.xls*");
}

// Sheets too short for the rows the settings skip: nothing is read, the total is 0 (never below),
// and the import goes on to the next sheet; a sheet without rows shows dashes. The next sheet's
// last row is read only when the settings say so.
TEST_F(AppTest, RowRangeBeyondTheSheet) {
  struct Case {
    const char* offset;
    bool last_row;
    std::vector<R> rows;
    std::vector<QString> counts;
  } cases[] = {
      {"1", false, {{"heading"}}, {"0", "0", "0", "0"}},
      {"1", false, {{"heading"}, {"", "F", "2021-01-01", "1", "0", "20"}}, {"0", "0", "0", "0"}},
      {"50", true, {{"heading"}, {"", "F", "2021-01-01", "1", "0", "20"}}, {"0", "0", "0", "0"}},
      {"1", true, {}, {"-", "-", "-", "-"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    TSettingsValues values = PlainSettings();
    values.Offsets[0] = c.offset;
    values.PoslednyRiadok = c.last_row;
    Start(values);
    std::vector<TFakeSheet> book = OnlyA1(c.rows);
    book.push_back({"SV1", {{"heading"}, {"CZ12345678", "100", ""}, {"CZ12345678", "1", ""}}});
    Import("far.xlsx", book);
    EXPECT_EQ(TakeBoxes(), "");
    EXPECT_EQ(Column(main_->StatsList, 1), c.counts);
    const QString sv1 = c.last_row ? "2" : "1";
    EXPECT_EQ(Column(main_->StatsList, 11), (std::vector<QString>{sv1, "0", "0", sv1}));
    EXPECT_TRUE(KVDPH.InputLoaded);
    Data = TData();
    KVDPH = TKVDPH();
  }
}

TEST_F(AppTest, LaterSheetOfTheSameNameWinsAndNamesCompareExactly) {
  TSettingsValues values = PlainSettings();
  values.Sheets[0] = "A_1";
  Start(values);
  Import("two.xlsx", {TFakeSheet{"A_1", {{"h"}, {"", "first", "2021-01-01", "1", "0", "20"}}},
                      TFakeSheet{"a_1", {{"h"}, {"", "lower", "2021-01-01", "1", "0", "20"}}},
                      TFakeSheet{"A_1", {{"h"}, {"", "second", "2021-01-01", "1", "0", "20"}}}});
  ASSERT_EQ(Data.RowsA1.size(), 1u);
  EXPECT_EQ(Data.RowsA1[0]->F, "second");
  EXPECT_EQ(Data.SheetIndex[0], 2);

  Import("lower.xlsx", {TFakeSheet{"a_1", {{"h"}}}});
  EXPECT_EQ(Lines(main_->LogBox2).at(0), U("Nenájdený hárok pre sekciu A1 - A_1."));
  EXPECT_EQ(Data.SheetIndex[0], kNoSheet);
  EXPECT_TRUE(Data.RowsA1.empty());
}

TEST_F(AppTest, SecondImportWithoutTwoSheetsShowsZerosForThem) {
  Start(GoldenSettings());
  Import("book.xlsx", GoldenWorkbook());
  ASSERT_EQ(Sum(main_->SubtotalsList, "B1-Z"), U("1 544,39 €"));
  std::vector<TFakeSheet> second = GoldenWorkbook();
  second.erase(second.begin() + 10);  // SV1
  second.erase(second.begin() + 2);   // B1
  second[0].Rows.pop_back();          // one A1 row less
  Import("book2.xlsx", second);

  const std::vector<QString> zeros = {"0", "0", "0", "0"};
  EXPECT_EQ(Column(main_->StatsList, 3), zeros);
  EXPECT_EQ(Column(main_->StatsList, 11), zeros);
  for (const char* key : {"B1-Z", "B1-D", "B1-O", "SV1-Z"})
    EXPECT_EQ(Sum(main_->SubtotalsList, key), "0") << key;
  EXPECT_TRUE(Data.RowsB1.empty());
  EXPECT_TRUE(Data.RowsSV1.empty());
  const std::vector<QString> warnings = Lines(main_->LogBox2);
  ASSERT_GE(warnings.size(), 2u);
  EXPECT_EQ(std::vector<QString>(warnings.begin(), warnings.begin() + 2),
            NotFoundWarnings({"B1", "SV1"}));
  EXPECT_EQ(Column(main_->StatsList, 1), (std::vector<QString>{"1", "0", "0", "1"}));
  EXPECT_EQ(Sum(main_->SubtotalsList, "A1-Z"), U("1 000,00 €"));
}

// Nothing is cleared before a file is chosen.
TEST_F(AppTest, CancelledDialogChangesNothing) {
  Start(GoldenSettings());
  Choose(main_->LoadBtn, std::nullopt);
  EXPECT_FALSE(KVDPH.InputLoaded);
  EXPECT_TRUE(main_->RadioButton1->isEnabled());
  EXPECT_TRUE(files_.Loaded.empty());

  Import("book.xlsx", GoldenWorkbook());
  const auto errors = Lines(main_->LogBox);
  const auto counts = Column(main_->StatsList, 1);
  Choose(main_->LoadBtn, std::nullopt);
  EXPECT_EQ(Lines(main_->LogBox), errors);
  EXPECT_EQ(Column(main_->StatsList, 1), counts);
  EXPECT_EQ(Data.RowsA1.size(), 2u);
  EXPECT_EQ(Data.RowsSV2.size(), 2u);
  EXPECT_TRUE(KVDPH.InputLoaded);
  EXPECT_EQ(TakeBoxes(), "");
}

TEST_F(AppTest, RoundingChoiceIsUsedAndFixedByTheImport) {
  Start(PlainSettings());
  main_->RadioButton3->click();  // down
  Import("round.xlsx", OnlyA1({{"h"}, {"", "F", "2021-01-01", "1.239", "-1.231", "20"}}));
  EXPECT_EQ(Data.RoundingMode, 2);
  EXPECT_EQ(Data.RowsA1.at(0)->D, "-1.24");
  EXPECT_TRUE(main_->RadioButton3->isChecked());
  EXPECT_FALSE(main_->RadioButton3->isEnabled());
}

}  // namespace
}  // namespace app::test
