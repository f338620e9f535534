// The two XML exports and the three saves after an import, compared with the statement's
// golden documents; the refusals before an import.
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/statement/data.h"
#include "app_fixture.h"
#include "platform/text_codec.h"

namespace app::test {
namespace {

std::string Golden(const std::string& name) {
  return ReadFile(std::string(TEST_DATA_DIR) + "/statement/" + name);
}

// The declaration date is today's; the goldens carry the day they were made.
std::string WithDeclarationDateOf(std::string document, const std::string& golden) {
  auto block = [](const std::string& text, std::size_t& begin) {
    begin = text.find("<datumVyhlasenia>");
    const std::size_t end = text.find("</datumVyhlasenia>");
    return begin == std::string::npos || end == std::string::npos ? 0 : end - begin;
  };
  std::size_t at = 0, goldenAt = 0;
  const std::size_t length = block(document, at);
  const std::size_t goldenLength = block(golden, goldenAt);
  EXPECT_GT(length, 0u);
  if (length && goldenLength) document.replace(at, length, golden.substr(goldenAt, goldenLength));
  return document;
}

class ExportTest : public AppTest {
 protected:
  // The format choice has to be made before the import.
  void ImportGolden(QRadioButton* TMainApp::*format) {
    WriteSettings(GoldenSettings());
    Start();
    if (format) (main_.get()->*format)->click();
    Import("book.xlsx", GoldenWorkbook());
    boxes_.Shown.clear();
  }
};

struct TKVCase {
  QRadioButton* TMainApp::*Format;
  const char* GoldenName;
};

TEST_F(ExportTest, ControlStatementInEveryFormatEqualsTheGolden) {
  const TKVCase cases[] = {{&TMainApp::RadioButton5, "kv_dph_2014_full.xml"},
                           {&TMainApp::RadioButton6, "kv_dph_2016_full.xml"},
                           {&TMainApp::RadioButton7, "kv_dph_2017_full.xml"},
                           {&TMainApp::RadioButton9, "kv_dph_2021_full.xml"}};
  for (const TKVCase& c : cases) {
    SCOPED_TRACE(c.GoldenName);
    WriteSettings(GoldenSettings());
    Start();
    (main_.get()->*c.Format)->click();
    boxes_.Shown.clear();
    Import("book.xlsx", GoldenWorkbook());
    std::filesystem::create_directory(dir_ / "out");
    dialogs_.Answer(Path("out/kv"));
    QTest::mouseClick(main_->Export1Btn, Qt::LeftButton);
    EXPECT_EQ(ReadFile(Path("out/kv.xml")), Golden(c.GoldenName));
    ASSERT_EQ(boxes_.Shown.size(), 1u);
    EXPECT_EQ(Utf8(boxes_.Shown[0].Text), "Súbor XML bol uložený do " + Path("out/kv.xml"));
    EXPECT_EQ(boxes_.Shown[0].Caption, u"Výsledok exportu XML");
    EXPECT_EQ(boxes_.Shown[0].Icon, platform::TMsgIcon::None);
    EXPECT_EQ(dialogs_.Calls.back().Filter, u"XML súbor (*.xml)|*.xml");
    // Back in the start-up directory, where settings.ini is.
    EXPECT_EQ(std::filesystem::current_path(), dir_);
    Data = TData();
    KVDPH = TKVDPH();
    dialogs_.Calls.clear();
  }
}

TEST_F(ExportTest, ChosenNameEndingInXmlGetsASecondOne) {
  ImportGolden(nullptr);
  dialogs_.Answer(Path("kv.xml"));
  QTest::mouseClick(main_->Export1Btn, Qt::LeftButton);
  EXPECT_TRUE(std::filesystem::exists(Path("kv.xml.xml")));
}

TEST_F(ExportTest, EcSalesListInBothLayoutsEqualsTheGolden) {
  for (bool older : {true, false}) {
    SCOPED_TRACE(older);
    ImportGolden(older ? &TMainApp::RadioButton8 : nullptr);
    std::filesystem::create_directory(dir_ / "sv");
    dialogs_.Answer(Path("sv/sv"));
    QTest::mouseClick(main_->Export2Btn, Qt::LeftButton);
    const std::string golden = Golden(older ? "sv_dph_2014_full.xml" : "sv_dph_2020_full.xml");
    EXPECT_EQ(WithDeclarationDateOf(ReadFile(Path("sv/sv.xml")), golden), golden);
    EXPECT_TRUE(boxes_.Shown.empty());
    // This export leaves the current directory where its dialog left it.
    EXPECT_EQ(std::filesystem::current_path(), dir_ / "sv");
    std::filesystem::current_path(dir_);
    Data = TData();
    KVDPH = TKVDPH();
  }
}

TEST_F(ExportTest, CommandsThatNeedAnInputRefuseBeforeTheImport) {
  WriteSettings(PlainSettings());
  Start();
  for (QPushButton* button : {main_->Export1Btn, main_->Export2Btn, main_->VATcheckBtn}) {
    boxes_.Shown.clear();
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(boxes_.Shown.size(), 1u) << button->objectName().toStdString();
    EXPECT_EQ(boxes_.Shown[0].Text, u"Nie je načítaný vstupný súbor");
    EXPECT_EQ(boxes_.Shown[0].Caption, u"Upozornenie");
    EXPECT_EQ(boxes_.Shown[0].Icon, platform::TMsgIcon::None);
  }
  EXPECT_TRUE(dialogs_.Calls.empty());
}

TEST_F(ExportTest, CancelledSaveWritesNothing) {
  ImportGolden(nullptr);
  dialogs_.Answer(std::nullopt);
  QTest::mouseClick(main_->Export1Btn, Qt::LeftButton);
  dialogs_.Answer(std::nullopt);
  QTest::mouseClick(main_->Export2Btn, Qt::LeftButton);
  EXPECT_TRUE(boxes_.Shown.empty());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);  // settings.ini
}

TEST_F(ExportTest, EcSalesListWithAFractionalAmountFailsWithoutAFile) {
  WriteSettings(PlainSettings());
  Start();
  Import("sv.xlsx", {TFakeSheet{"SV1", {{"h"}, {"CZ12345678", "10.5", ""}}}});
  dialogs_.Answer(Path("sv"));
  QTest::mouseClick(main_->Export2Btn, Qt::LeftButton);
  ASSERT_EQ(boxes_.Shown.size(), 1u);
  EXPECT_EQ(boxes_.Shown[0].Text, u"'10,5' is not a valid integer value.");
  EXPECT_FALSE(std::filesystem::exists(Path("sv.xml")));
}

TEST_F(ExportTest, InvoiceNumberXmlCannotCarryIsListedAndWritesNoFile) {
  const char* const kUnfit[] = {
      "F\x01"
      "1",
      "F\xEF\xBF\xBF"};  // U+0001, U+FFFF
  for (const char* invoice : kUnfit) {
    SCOPED_TRACE(invoice);
    WriteSettings(PlainSettings());
    Start();
    Import("a1.xlsx", {TFakeSheet{"A1", {{"h"}, {"AT1", invoice, "2021-03-01", "1", "1", "20"}}}});
    EXPECT_EQ(Lines(main_->LogBox),
              std::vector<QString>{QString::fromUtf8("Neplatný údaj F v riadku č.2 v sekcií A1")});
    boxes_.Shown.clear();
    dialogs_.Answer(Path("kv"));
    QTest::mouseClick(main_->Export1Btn, Qt::LeftButton);
    ASSERT_EQ(boxes_.Shown.size(), 1u);
    EXPECT_EQ(boxes_.Shown[0].Text,
              u"Súbor XML nebol uložený: riadok č.20 obsahuje riadiaci znak, ktorý XML "
              u"nepripúšťa.");
    EXPECT_FALSE(std::filesystem::exists(Path("kv.xml")));
  }
}

TEST_F(ExportTest, ListsAndSumsAreSavedAsUtf8) {
  ImportGolden(nullptr);
  dialogs_.Answer(Path("errors"));
  QTest::mouseClick(main_->Button1, Qt::LeftButton);
  EXPECT_EQ(ReadFile(Path("errors.txt")),
            "Neplatný údaj ONP v riadku č.2 v sekcií C1\r\n"
            "Neplatný údaj ONP v riadku č.2 v sekcií C2\r\n"
            "Neplatný údaj Kod v riadku č.4 v sekcií SV1\r\n");
  EXPECT_EQ(dialogs_.Calls.back().Filter, u"TXT súbor (*.txt)|*.txt");

  dialogs_.Answer(Path("warnings.txt"));
  QTest::mouseClick(main_->Button2, Qt::LeftButton);
  const std::string warnings = ReadFile(Path("warnings.txt.txt"));
  EXPECT_TRUE(warnings.starts_with("Prázdny údaj Odb v riadku č.3 v sekcií A1\r\n"));
  EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 12);

  dialogs_.Answer(Path("sums"));
  QTest::mouseClick(main_->Button3, Qt::LeftButton);
  const std::string sums = ReadFile(Path("sums.csv"));
  EXPECT_TRUE(sums.starts_with("Sekcia - udaj;Sucet\r\nA1-Z;1050,5\r\nA1-D;205,05\r\n")) << sums;
  EXPECT_TRUE(sums.ends_with("D2-DZn;50,44\r\nSV-Z;1740\r\n")) << sums;
  EXPECT_EQ(std::count(sums.begin(), sums.end(), '\n'), 33);
  EXPECT_EQ(dialogs_.Calls.back().Filter, u"CSV súbor (*.csv)|*.csv");
  EXPECT_TRUE(boxes_.Shown.empty());
}

TEST_F(ExportTest, SavesWorkBeforeAnyImport) {
  WriteSettings(PlainSettings());
  Start();
  dialogs_.Answer(Path("empty"));
  QTest::mouseClick(main_->Button1, Qt::LeftButton);
  EXPECT_EQ(ReadFile(Path("empty.txt")), "");
  dialogs_.Answer(Path("zero"));
  QTest::mouseClick(main_->Button3, Qt::LeftButton);
  EXPECT_TRUE(ReadFile(Path("zero.csv")).ends_with("\r\nSV-Z;0\r\n"));
}

}  // namespace
}  // namespace app::test
