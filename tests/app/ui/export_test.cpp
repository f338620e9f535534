// The two XML exports and the three saves after an import, compared with the statement's
// golden documents; the refusals before an import and after a failed one; the question before
// rows with errors are written and before a file is replaced.
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <fstream>

#include "app/statement/control_statement_xml.h"
#include "app/statement/data.h"
#include "app/statement/ec_sales_list_xml.h"
#include "app_fixture.h"
#include "platform/text_codec.h"

namespace app::test {
namespace {

// The declaration date is today's: the text without it.
std::string WithoutDeclarationDate(std::string document) {
  const std::size_t begin = document.find("<datumVyhlasenia>");
  const std::size_t end = document.find("</datumVyhlasenia>");
  EXPECT_LT(begin, end);
  if (begin < end && end != std::string::npos) document.erase(begin, end - begin);
  return document;
}

// The question before an export writes rows with errors, and the closing message after it.
std::string ErrorsQuestion(int rows) {
  return "[Warning] Upozornenie: Načítaný vstupný súbor obsahuje chyby uvedené v časti Chybové "
         "hlásenia (počet chybných riadkov: " +
         std::to_string(rows) +
         ").\r\nSúbor XML s chybami neprejde kontrolou finančnej správy.\r\n\r\nChcete ho napriek "
         "tomu uložiť?";
}
std::string SavedWithErrors(const std::string& path, int rows) {
  return "[Warning] Výsledok exportu XML: Súbor XML s chybami bol uložený do " + path +
         "\r\n\r\nPočet chybných riadkov: " + std::to_string(rows) +
         ". Pred podaním výkazu chyby opravte.";
}

class ExportTest : public AppTest {
 protected:
  // The format choice has to be made before the import.
  void ImportGolden(QRadioButton* TMainApp::*format, QRadioButton* TMainApp::*layout = nullptr) {
    Data = TData();
    KVDPH = TKVDPH();
    std::filesystem::current_path(dir_);
    Start(GoldenSettings());
    for (auto radio : {format, layout})
      if (radio) (main_.get()->*radio)->click();
    Import("book.xlsx", GoldenWorkbook());
    TakeBoxes();
  }
  // One A1 row without an error.
  void ImportClean() {
    Start(PlainSettings());
    Import("clean.xlsx", {TFakeSheet{"A1", {{"h"}, {"", "F", "2021-03-01", "100", "20", "20"}}}});
    ASSERT_TRUE(Lines(main_->LogBox).empty());
    TakeBoxes();
  }
};

// Each file holds the document of the chosen format or layout built from the imported records
// (the builders' tests compare that with the goldens).
TEST_F(ExportTest, BothReportsInTheChosenFormats) {
  struct Case {
    QRadioButton* TMainApp::*KVRadio;
    TKVFormat Format;
    QRadioButton* TMainApp::*SVRadio;
    TSVLayout Layout;
  } cases[] = {{&TMainApp::RadioButton5, TKVFormat::Format2014, &TMainApp::RadioButton8,
                TSVLayout::Layout2014},
               {&TMainApp::RadioButton6, TKVFormat::Format2016, nullptr, TSVLayout::Layout2020},
               {&TMainApp::RadioButton7, TKVFormat::Format2017, nullptr, TSVLayout::Layout2020},
               {&TMainApp::RadioButton9, TKVFormat::Format2021, nullptr, TSVLayout::Layout2020}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Format));
    ImportGolden(c.KVRadio, c.SVRadio);
    std::filesystem::remove_all(dir_ / "out");
    std::filesystem::create_directory(dir_ / "out");
    Choose(main_->Export1Btn, Path("out/kv"));
    EXPECT_EQ(ReadFileBytes(Path("out/kv.xml")),
              LinesToUtf8(BuildControlStatement(c.Format, Data)));
    // The golden rows hold two C1 and C2 rows with errors and one SV1 row.
    EXPECT_EQ(TakeBoxes(), ErrorsQuestion(2) + "\n" + SavedWithErrors(Path("out/kv.xml"), 2));
    EXPECT_EQ(dialogs_.Calls.back().Filter, u"XML súbor (*.xml)|*.xml");
    // Back in the start-up directory, where settings.ini is.
    EXPECT_EQ(std::filesystem::current_path(), dir_);

    Choose(main_->Export2Btn, Path("out/sv"));
    EXPECT_EQ(WithoutDeclarationDate(ReadFileBytes(Path("out/sv.xml"))),
              WithoutDeclarationDate(LinesToUtf8(BuildEcSalesList(c.Layout, Data, {}))));
    EXPECT_EQ(TakeBoxes(), ErrorsQuestion(1) + "\n" + SavedWithErrors(Path("out/sv.xml"), 1));
    // This export leaves the current directory where its dialog left it.
    EXPECT_EQ(std::filesystem::current_path(), dir_ / "out");
  }
}

TEST_F(ExportTest, CommandsThatNeedAnInputRefuseBeforeTheImport) {
  Start(PlainSettings());
  for (QPushButton* button : {main_->Export1Btn, main_->Export2Btn, main_->VATcheckBtn}) {
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(TakeBoxes(), "[None] Upozornenie: Nie je načítaný vstupný súbor")
        << button->objectName().toStdString();
  }
  EXPECT_TRUE(dialogs_.Calls.empty());
}

// A failed import has already emptied the records: nothing may be exported as if it were the
// statement, until an import succeeds again.
TEST_F(ExportTest, CommandsThatNeedAnInputRefuseAfterAFailedImport) {
  ImportGolden(nullptr);
  Choose(main_->LoadBtn, Path("gone.xlsx"));  // no handler takes it
  EXPECT_TRUE(TakeBoxes().starts_with("[Stop] KVDPH: "));
  const std::size_t dialogs = dialogs_.Calls.size();
  for (QPushButton* button : {main_->Export1Btn, main_->Export2Btn, main_->VATcheckBtn}) {
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(TakeBoxes(),
              "[None] Upozornenie: Nie je načítaný vstupný súbor: posledný import sa nepodaril. "
              "Načítajte vstupný súbor znova.")
        << button->objectName().toStdString();
  }
  EXPECT_EQ(dialogs_.Calls.size(), dialogs);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);  // settings.ini

  Import("clean.xlsx", {TFakeSheet{"A1", {{"h"}, {"", "F", "2021-03-01", "100", "20", "20"}}}});
  Choose(main_->Export1Btn, Path("kv"));
  EXPECT_EQ(TakeBoxes(), "[None] Výsledok exportu XML: Súbor XML bol uložený do " + Path("kv.xml"));
}

// "No" to the question writes nothing and opens no dialog.
TEST_F(ExportTest, RowsWithErrorsAreExportedOnlyWhenTheUserSaysSo) {
  ImportGolden(nullptr);
  for (auto [button, rows] : {std::pair{main_->Export1Btn, 2}, std::pair{main_->Export2Btn, 1}}) {
    boxes_.Answers = {platform::TMsgResult::No};
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(TakeBoxes(), ErrorsQuestion(rows));
    EXPECT_EQ(dialogs_.Calls.size(), 1u);  // the import's
  }
}

// More B31, D1 or D2 rows than the authority takes fail its check just as well.
TEST_F(ExportTest, TooManyD2RowsAreAskedAboutWithoutErrorRows) {
  Start(PlainSettings());
  const std::vector<std::string> row = {"548.02", "109.6", "504.42", "50.44", "1"};
  Import("d2.xlsx", {TFakeSheet{"D2", {{"h"}, row, row, row}}});
  EXPECT_EQ(Lines(main_->LogBox),
            std::vector<QString>{QString::fromUtf8("V sekcií D2 je príliš veľa riadkov")});
  TakeBoxes();
  Choose(main_->Export1Btn, Path("kv"));
  EXPECT_EQ(TakeBoxes(), ErrorsQuestion(0) + "\n" + SavedWithErrors(Path("kv.xml"), 0));
}

// Every save asks before it replaces a file; "No" brings the dialog back, so the user can pick
// another name or cancel.
TEST_F(ExportTest, ExistingFileIsReplacedOnlyWhenTheUserSaysSo) {
  ImportClean();
  struct Case {
    QPushButton* button;
    const char* extension;
    const char* written;  // the message after saving, "" when none
  } cases[] = {
      {main_->Export1Btn, ".xml", "[None] Výsledok exportu XML: Súbor XML bol uložený do "},
      {main_->Export2Btn, ".xml", ""},
      {main_->Button1, ".txt", ""},
      {main_->Button2, ".txt", ""},
      {main_->Button3, ".csv", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button->objectName().toStdString());
    std::filesystem::current_path(dir_);
    const std::string old = Path(std::string("old") + c.extension);
    std::ofstream(old) << "kept";
    const std::string question =
        "[Warning] Upozornenie: Súbor " + old + " už existuje.\r\n\r\nChcete ho prepísať?";

    boxes_.Answers = {platform::TMsgResult::No};
    dialogs_.Answer(Path("old"));
    Choose(c.button, std::nullopt);  // the dialog comes back, and is cancelled
    EXPECT_EQ(TakeBoxes(), question);
    EXPECT_EQ(ReadFileBytes(old), "kept");

    boxes_.Answers = {platform::TMsgResult::No};
    dialogs_.Answer(old);
    Choose(c.button, Path(std::string("new") + c.extension));
    EXPECT_EQ(ReadFileBytes(old), "kept");
    const std::string fresh = Path(std::string("new") + c.extension);
    EXPECT_EQ(TakeBoxes(), question + (*c.written ? "\n" + (c.written + fresh) : ""));
    EXPECT_TRUE(std::filesystem::exists(fresh));

    boxes_.Answers = {platform::TMsgResult::Yes};
    Choose(c.button, old);
    EXPECT_NE(ReadFileBytes(old), "kept");
    EXPECT_EQ(TakeBoxes(), question + (*c.written ? "\n" + (c.written + old) : ""));
    std::filesystem::remove(old);
    std::filesystem::remove(fresh);
  }
}

TEST_F(ExportTest, CancelledSaveWritesNothing) {
  ImportGolden(nullptr);
  Choose(main_->Export1Btn, std::nullopt);
  Choose(main_->Export2Btn, std::nullopt);
  EXPECT_EQ(TakeBoxes(), ErrorsQuestion(2) + "\n" + ErrorsQuestion(1));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);  // settings.ini
}

TEST_F(ExportTest, EcSalesListWithAFractionalAmountFailsWithoutAFile) {
  Start(PlainSettings());
  Import("sv.xlsx", {TFakeSheet{"SV1", {{"h"}, {"CZ12345678", "10.5", ""}}}});
  Choose(main_->Export2Btn, Path("sv"));
  EXPECT_EQ(TakeBoxes(), "[Stop] KVDPH: '10,5' is not a valid integer value.");
  EXPECT_FALSE(std::filesystem::exists(Path("sv.xml")));
}

// U+FFFF reaches the checks as a character the code page lacks, not as a harmless "?".
TEST_F(ExportTest, InvoiceNumberXmlCannotCarryIsListedAndWritesNoFile) {
  Start(PlainSettings());
  Import("a1.xlsx",
         {TFakeSheet{"A1", {{"h"}, {"AT1", "F\xEF\xBF\xBF", "2021-03-01", "1", "1", "20"}}}});
  EXPECT_EQ(Lines(main_->LogBox),
            std::vector<QString>{QString::fromUtf8("Neplatný údaj F v riadku č.2 v sekcií A1")});
  TakeBoxes();
  Choose(main_->Export1Btn, Path("kv"));
  EXPECT_EQ(
      TakeBoxes(),
      ErrorsQuestion(1) +
          "\n[Stop] KVDPH: Súbor XML nebol uložený: riadok č.20 obsahuje riadiaci znak, ktorý XML "
          "nepripúšťa.");
  EXPECT_FALSE(std::filesystem::exists(Path("kv.xml")));
}

TEST_F(ExportTest, ListsAndSumsAreSavedAsUtf8) {
  ImportGolden(nullptr);
  Choose(main_->Button1, Path("errors"));
  EXPECT_EQ(ReadFileBytes(Path("errors.txt")),
            "Neplatný údaj ONP v riadku č.2 v sekcií C1\r\n"
            "Neplatný údaj ONP v riadku č.2 v sekcií C2\r\n"
            "Neplatný údaj Kod v riadku č.4 v sekcií SV1\r\n");
  EXPECT_EQ(dialogs_.Calls.back().Filter, u"TXT súbor (*.txt)|*.txt");

  Choose(main_->Button2, Path("warnings.txt"));  // typed with its extension: not doubled
  EXPECT_TRUE(ReadFileBytes(Path("warnings.txt"))
                  .starts_with("Prázdny údaj Odb v riadku č.3 v sekcií A1\r\n"));

  Choose(main_->Button3, Path("sums"));
  EXPECT_TRUE(
      ReadFileBytes(Path("sums.csv")).starts_with("Sekcia - udaj;Sucet\r\nA1-Z;1050,5\r\n"));
  EXPECT_EQ(dialogs_.Calls.back().Filter, u"CSV súbor (*.csv)|*.csv");
  EXPECT_EQ(TakeBoxes(), "");
}

TEST_F(ExportTest, SavesWorkBeforeAnyImport) {
  Start(PlainSettings());
  Choose(main_->Button1, Path("empty"));
  EXPECT_EQ(ReadFileBytes(Path("empty.txt")), "");
  Choose(main_->Button3, Path("zero"));
  EXPECT_TRUE(ReadFileBytes(Path("zero.csv")).ends_with("\r\nSV-Z;0\r\n"));
}

}  // namespace
}  // namespace app::test
