// The two XML exports and the three saves after an import, compared with the statement's
// golden documents; the refusals before an import.
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

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
    std::filesystem::create_directory(dir_ / "out");
    Choose(main_->Export1Btn, Path("out/kv.xml"));
    EXPECT_EQ(ReadFileBytes(Path("out/kv.xml.xml")),
              LinesToUtf8(BuildControlStatement(c.Format, Data)));
    EXPECT_EQ(TakeBoxes(),
              "[None] Výsledok exportu XML: Súbor XML bol uložený do " + Path("out/kv.xml.xml"));
    EXPECT_EQ(dialogs_.Calls.back().Filter, u"XML súbor (*.xml)|*.xml");
    // Back in the start-up directory, where settings.ini is.
    EXPECT_EQ(std::filesystem::current_path(), dir_);

    Choose(main_->Export2Btn, Path("out/sv"));
    EXPECT_EQ(WithoutDeclarationDate(ReadFileBytes(Path("out/sv.xml"))),
              WithoutDeclarationDate(LinesToUtf8(BuildEcSalesList(c.Layout, Data, {}))));
    EXPECT_EQ(TakeBoxes(), "");
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

TEST_F(ExportTest, CancelledSaveWritesNothing) {
  ImportGolden(nullptr);
  Choose(main_->Export1Btn, std::nullopt);
  Choose(main_->Export2Btn, std::nullopt);
  EXPECT_EQ(TakeBoxes(), "");
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
  EXPECT_EQ(TakeBoxes(),
            "[Stop] KVDPH: Súbor XML nebol uložený: riadok č.20 obsahuje riadiaci znak, ktorý XML "
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

  Choose(main_->Button2, Path("warnings.txt"));
  EXPECT_TRUE(ReadFileBytes(Path("warnings.txt.txt"))
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
