// The settings window: defaults, showing the settings, the checks with their exact messages,
// saving and the main window reading the file back.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "app/statement/data.h"
#include "app_fixture.h"
#include "platform/text_codec.h"

namespace app::test {
namespace {

void SetCell(QTableWidget* grid, int row, int column, const QString& text) {
  grid->item(row, column)->setText(text);
}

class SettingsWindow : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Start(PlainSettings());
    settings_->LoadSettings();
  }
  std::string Validate() {
    std::string message;
    settings_->ValidateParameters(message);
    return platform::Cp1250ToUtf8(message);
  }
};

TEST_F(AppTest, SettingsWindowDefaultsBeforeAnyShowing) {
  Start();  // no settings.ini
  TSettingsForm& form = *settings_;
  EXPECT_EQ(form.windowTitle(), "Nastavenia");
  EXPECT_TRUE(form.TPR->isChecked());
  EXPECT_EQ(form.Year->text(), "2016");
  EXPECT_EQ(form.Month->currentIndex(), -1);
  EXPECT_EQ(form.Month->itemText(15), U("4. štvrťrok"));
  EXPECT_FALSE(form.SkipLastRow->isChecked());
  EXPECT_EQ(Cell(form.SubjectParameters, 0, 0), U("IČ DPH"));
  EXPECT_EQ(Cell(form.SubjectParameters, 0, 1), "SK1234567890");
  EXPECT_EQ(Cell(form.SheetList, 5, 0), "B32");
  EXPECT_EQ(Cell(form.SheetList, 5, 1), "B_32");
  EXPECT_EQ(Cell(form.SheetList, 11, 1), "SV_2");
  EXPECT_EQ(Cell(form.OffsetList, 11, 1), "1");
  EXPECT_EQ(form.OrderList->horizontalHeaderItem(2)->text(), U("Poznámka"));
  EXPECT_EQ(Cell(form.OrderList, 51, 0), "C1-ONP");
  EXPECT_EQ(Cell(form.OrderList, 79, 0), "SV2-Kopr");
  EXPECT_EQ(form.Button2->text(), U("Použiť"));
}

TEST_F(SettingsWindow, ShowsTheSettingsObjects) {
  Data.Header.Druh = "D";
  Data.Header.Obdobie = platform::Utf8ToCp1250("2. štvrťrok");
  Data.Header.PoslednyRiadok = false;
  Data.Subject.Obec = platform::Utf8ToCp1250("Košice");
  Data.Order.NoteOf("C1-Kopr") = "oprava";
  settings_->LoadSettings();
  EXPECT_TRUE(settings_->TPD->isChecked());
  EXPECT_EQ(settings_->Month->currentText(), U("2. štvrťrok"));
  EXPECT_TRUE(settings_->SkipLastRow->isChecked());
  EXPECT_EQ(Cell(settings_->SubjectParameters, 3, 1), U("Košice"));
  EXPECT_EQ(Cell(settings_->OrderList, 51, 1), "12");  // C1-ONP keeps its own column
  EXPECT_EQ(Cell(settings_->OrderList, 52, 1), "11");
  EXPECT_EQ(Cell(settings_->OrderList, 52, 2), "oprava");

  // A period that matches no item keeps the selection.
  Data.Header.Obdobie = "13. mesiac";
  settings_->LoadSettings();
  EXPECT_EQ(settings_->Month->currentText(), U("2. štvrťrok"));
}

// A value in the first row of the offsets (A1) or of the column numbers (A1-Odb).
TEST_F(SettingsWindow, NumberMessages) {
  struct Case {
    bool offset;
    const char* value;
    const char* message;
  } cases[] = {
      {true, "65535", ""},
      {true, "0", ""},
      {true, "65536", "Neplatný údaj (príliš vysoká hodnota) v časti Odsadenie v riadku A1."},
      {true, "-1", "Neplatný údaj (záporná hodnota) v časti Odsadenie v riadku A1."},
      {true, "abc", "Neplatný údaj v časti Odsadenie v riadku A1."},
      {true, "", "Neplatný údaj v časti Odsadenie v riadku A1."},
      {false, "200", ""},
      {false, "0",
       "Neplatný údaj (nulová alebo záporná hodnota) v časti Poradia stĺpcov v riadku A1-Odb."},
      {false, "201",
       "Neplatný údaj (príliš vysoká hodnota) v časti Poradia stĺpcov v riadku A1-Odb."},
      {false, "x", "Neplatný údaj v časti Poradia stĺpcov v riadku A1-Odb."},
  };
  for (const auto& c : cases) {
    SetCell(c.offset ? settings_->OffsetList : settings_->OrderList, 0, 1, U(c.value));
    EXPECT_EQ(Validate(), c.message) << c.value;
    SetCell(c.offset ? settings_->OffsetList : settings_->OrderList, 0, 1, "1");
  }
}

TEST_F(SettingsWindow, SheetNamesLongerThan31CharactersEachGiveALine) {
  SetCell(settings_->SheetList, 0, 1, QString(31, 'a'));
  EXPECT_EQ(Validate(), "");
  const std::string line = "Príliš dlhý názov stĺpca v časti Názvy hárkov.";
  for (int row : {0, 3, 7}) SetCell(settings_->SheetList, row, 1, QString(32, 'a'));
  SetCell(settings_->OffsetList, 2, 1, "-5");
  EXPECT_EQ(Validate(), line + "\r\n" + line + "\r\n" + line +
                            "\r\nNeplatný údaj (záporná hodnota) v časti Odsadenie v riadku B1.");
}

TEST_F(SettingsWindow, DuplicatesAreTextsWithinOneSectionAndOnlyWithoutOtherErrors) {
  // C1-Kopr = C1-Odb; C2-Dod holds the same 1, but in another section.
  SetCell(settings_->OrderList, 52, 1, "1");
  ASSERT_EQ(Cell(settings_->OrderList, 53, 1), "1");
  EXPECT_EQ(Validate(), "Duplicitné čísla v časti Poradia stĺpcov v sekcií C1");
  SetCell(settings_->OrderList, 1, 1, "01");   // A1-F against A1-Odb "1": texts differ
  SetCell(settings_->OrderList, 77, 1, " 1");  // SV2-OdbP against SV2-Odb "1"
  EXPECT_EQ(Validate(), "Duplicitné čísla v časti Poradia stĺpcov v sekcií C1");
  SetCell(settings_->OrderList, 8, 1, "1");  // A2-F = A2-Odb
  EXPECT_EQ(Validate(),
            "Duplicitné čísla v časti Poradia stĺpcov v sekcií A2\r\n"
            "Duplicitné čísla v časti Poradia stĺpcov v sekcií C1");
  SetCell(settings_->OffsetList, 0, 1, "");
  EXPECT_EQ(Validate(), "Neplatný údaj v časti Odsadenie v riadku A1.");
}

TEST_F(SettingsWindow, OkWithErrorsShowsThemAndKeepsTheWindowOpenWithTheEdits) {
  bool visibleAfter = false;
  QTimer::singleShot(0, [&] {
    SetCell(settings_->OffsetList, 0, 1, "-1");
    QTest::mouseClick(settings_->Button3, Qt::LeftButton);
    visibleAfter = settings_->isVisible();
    EXPECT_EQ(Cell(settings_->OffsetList, 0, 1), "-1");
    SetCell(settings_->OffsetList, 0, 1, "2");  // corrected
    QTest::mouseClick(settings_->Button3, Qt::LeftButton);
    if (settings_->isVisible()) settings_->reject();
  });
  QTest::mouseClick(main_->SettingsBtn, Qt::LeftButton);
  EXPECT_TRUE(visibleAfter);
  EXPECT_EQ(TakeBoxes(),
            "[None] KVDPH: Neplatný údaj (záporná hodnota) v časti Odsadenie v riadku A1.");
  EXPECT_EQ(Data.Offsets.A1, 2);
}

TEST_F(SettingsWindow, RoundTripThroughTheFile) {
  QTimer::singleShot(0, [&] {
    TSettingsForm& f = *settings_;
    f.TPO->setChecked(true);
    f.Year->setText(" 2022 ");
    f.Month->setCurrentIndex(12);
    f.SkipLastRow->setChecked(true);
    SetCell(f.SubjectParameters, 1, 1, U("  Firma Žilina  "));
    SetCell(f.SheetList, 10, 1, U(" Hárok SV "));
    SetCell(f.OffsetList, 10, 1, " 3");
    SetCell(f.OrderList, 74, 1, " 9");
    SetCell(f.OrderList, 14, 2, U(" merná jednotka "));  // A2-MJ
    QTest::mouseClick(f.Button3, Qt::LeftButton);
    if (f.isVisible()) f.reject();  // a failed check must not hang the test
  });
  QTest::mouseClick(main_->SettingsBtn, Qt::LeftButton);
  EXPECT_FALSE(settings_->isVisible());
  EXPECT_EQ(TakeBoxes(), "");

  // What the main window reads back from the written file (whose layout the settings file tests
  // check).
  EXPECT_EQ(platform::Cp1250ToUtf8(Data.Subject.NazovSubjektu), "Firma Žilina");
  EXPECT_EQ(Data.Header.Druh, "O");
  EXPECT_EQ(Data.Header.Rok, " 2022 ");
  EXPECT_EQ(platform::Cp1250ToUtf8(Data.Header.Obdobie), "1. štvrťrok");
  EXPECT_FALSE(Data.Header.PoslednyRiadok);
  EXPECT_EQ(platform::Cp1250ToUtf8(Data.Sheets.SV1), "Hárok SV");
  EXPECT_EQ(Data.Offsets.SV1, 3);
  EXPECT_EQ(Data.Order.ColumnOf("SV1-Z"), 9);
  EXPECT_EQ(platform::Cp1250ToUtf8(Data.Order.NoteOf("A2-MJ")), "merná jednotka");
}

// A file dialog makes its folder current; the settings must stay in the start-up folder.
TEST_F(SettingsWindow, OkAfterAnImportFromAnotherFolderWritesTheStartupFoldersFile) {
  std::filesystem::create_directory(dir_ / "books");
  Import("books/book.xlsx", {});
  ASSERT_EQ(std::filesystem::current_path(), dir_ / "books");
  QTimer::singleShot(0, [&] {
    settings_->Year->setText("2030");
    QTest::mouseClick(settings_->Button3, Qt::LeftButton);
    if (settings_->isVisible()) settings_->reject();
  });
  QTest::mouseClick(main_->SettingsBtn, Qt::LeftButton);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "books" / "settings.ini"));
  EXPECT_NE(ReadFileBytes(Path("settings.ini")).find("\r\nRok:2030\r\n"), std::string::npos);
  EXPECT_EQ(Data.Header.Rok, "2030");
}

}  // namespace
}  // namespace app::test
