// Start-up of the main window: settings.ini read or missing, the 2021-format warning, the
// settings hand-over.
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "app/statement/data.h"
#include "app_fixture.h"

namespace app::test {
namespace {

const std::string kWarning2020 =
    "[None] Upozornenie: Pozor, obdobie výkazu je neplatné pre zvolený formát KV DPH od r. 2021 "
    "(rok 2020).";

TEST_F(AppTest, StartWithoutSettingsShowsFileNotFoundAndOpens) {
  Start();
  EXPECT_EQ(TakeBoxes(), "[Stop] KVDPH: File not found.");  // the full stop of the event loop
  EXPECT_EQ(main_->windowTitle(), QString::fromUtf8("Dozovuvud ireze VEV v1.17"));
  EXPECT_EQ(Data.Header.Druh, "");
  EXPECT_EQ(KVDPH.StartupDir, dir_.string());

  Start(PlainSettings());
  EXPECT_EQ(TakeBoxes(), "") << "a start with settings shows nothing";
  EXPECT_EQ(Data.Sheets.SV2, "SV2");
}

TEST_F(AppTest, YearBefore2021WarnsAtStartAndOnEveryClickOfThe2021Format) {
  TSettingsValues values = PlainSettings();
  values.Rok = "2020";
  Start(values);
  EXPECT_EQ(TakeBoxes(), kWarning2020);
  main_->RadioButton9->click();
  main_->RadioButton9->click();
  EXPECT_EQ(TakeBoxes(), kWarning2020 + "\n" + kWarning2020);
  // Another format: the year is not looked at.
  main_->RadioButton7->click();
  EXPECT_EQ(TakeBoxes(), "");
}

TEST_F(AppTest, YearThatIsNoNumberFailsTheCheckButTheWindowOpens) {
  TSettingsValues values = PlainSettings();
  values.Rok = "20x1";
  Start(values);
  EXPECT_EQ(TakeBoxes(), "[Stop] KVDPH: '20x1' is not a valid integer value.");
}

TEST_F(AppTest, StornoInTheSettingsWindowStillRereadsTheFile) {
  Start(PlainSettings());
  TSettingsValues changed = PlainSettings();
  changed.Sheets[0] = "Changed";
  WriteSettings(changed);  // as if another run had written it
  QTimer::singleShot(0, [this] { QTest::mouseClick(settings_->Button1, Qt::LeftButton); });
  QTest::mouseClick(main_->SettingsBtn, Qt::LeftButton);
  EXPECT_EQ(Data.Sheets.A1, "Changed");
  EXPECT_EQ(TakeBoxes(), "");
}

// The lists' address goes to the browser; when none starts, the user is shown it.
TEST_F(AppTest, DownloadOpensTheListAddressInTheBrowser) {
  Start(PlainSettings());
  QTest::mouseClick(main_->Button4, Qt::LeftButton);
  ASSERT_EQ(shell_.Opened.size(), 1u);
  EXPECT_TRUE(shell_.Opened[0].starts_with("http://"));
  EXPECT_TRUE(shell_.Opened[0].ends_with("/report/ds_dphs_csv.zip"));
  EXPECT_EQ(TakeBoxes(), "");

  shell_.Starts = false;
  QTest::mouseClick(main_->Button4, Qt::LeftButton);
  EXPECT_EQ(TakeBoxes(),
            "[None] Upozornenie: Prehliadač sa nepodarilo spustiť. Zoznamy platiteľov DPH si "
            "stiahnite z adresy:\r\n\r\n" +
                shell_.Opened.at(1));
}

}  // namespace
}  // namespace app::test
