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

const std::u16string kWarning2020 =
    u"Pozor, obdobie výkazu je neplatné pre zvolený formát KV DPH od r. 2021 (rok 2020).";

TEST_F(AppTest, StartWithoutSettingsShowsFileNotFoundAndOpens) {
  Start();
  ASSERT_EQ(boxes_.Shown.size(), 1u);
  EXPECT_EQ(boxes_.Shown[0].Text, u"File not found.");  // the full stop of the event loop
  EXPECT_EQ(boxes_.Shown[0].Icon, platform::TMsgIcon::Stop);
  EXPECT_EQ(main_->windowTitle(), QString::fromUtf8("Dozovuvud ireze VEV v1.17"));
  EXPECT_EQ(Data.Header.Druh, "");
  EXPECT_EQ(KVDPH.StartupDir, dir_.string());

  WriteSettings(PlainSettings());
  Start();
  EXPECT_EQ(boxes_.Shown.size(), 1u) << "a start with settings shows nothing";
  EXPECT_EQ(Data.Sheets.SV2, "SV2");
}

TEST_F(AppTest, YearBefore2021WarnsAtStartAndOnEveryClickOfThe2021Format) {
  TSettingsValues values = PlainSettings();
  values.Rok = "2020";
  WriteSettings(values);
  Start();
  ASSERT_EQ(boxes_.Shown.size(), 1u);
  EXPECT_EQ(boxes_.Shown[0].Text, kWarning2020);
  EXPECT_EQ(boxes_.Shown[0].Caption, u"Upozornenie");
  EXPECT_EQ(boxes_.Shown[0].Icon, platform::TMsgIcon::None);

  main_->RadioButton9->click();
  main_->RadioButton9->click();
  ASSERT_EQ(boxes_.Shown.size(), 3u);
  EXPECT_EQ(boxes_.Shown[2].Text, kWarning2020);

  // Another format: the year is not looked at.
  main_->RadioButton7->click();
  EXPECT_EQ(boxes_.Shown.size(), 3u);
}

TEST_F(AppTest, YearThatIsNoNumberFailsTheCheckButTheWindowOpens) {
  TSettingsValues values = PlainSettings();
  values.Rok = "20x1";
  WriteSettings(values);
  Start();
  ASSERT_EQ(boxes_.Shown.size(), 1u);
  EXPECT_EQ(boxes_.Shown[0].Text, u"'20x1' is not a valid integer value.");
  EXPECT_EQ(boxes_.Shown[0].Caption, u"KVDPH");
}

TEST_F(AppTest, StornoInTheSettingsWindowStillRereadsTheFile) {
  WriteSettings(PlainSettings());
  Start();
  TSettingsValues changed = PlainSettings();
  changed.Sheets[0] = "Changed";
  WriteSettings(changed);  // as if another run had written it
  QTimer::singleShot(0, [this] { QTest::mouseClick(settings_->Button1, Qt::LeftButton); });
  QTest::mouseClick(main_->SettingsBtn, Qt::LeftButton);
  EXPECT_EQ(Data.Sheets.A1, "Changed");
  EXPECT_TRUE(boxes_.Shown.empty());
}

TEST_F(AppTest, EndClosesTheMainWindow) {
  WriteSettings(PlainSettings());
  Start();
  main_->show();
  QTest::mouseClick(main_->EndBtn, Qt::LeftButton);
  EXPECT_FALSE(main_->isVisible());
}

// The lists' address goes to the browser; when none starts, the user is shown it.
TEST_F(AppTest, DownloadOpensTheListAddressInTheBrowser) {
  WriteSettings(PlainSettings());
  Start();
  QTest::mouseClick(main_->Button4, Qt::LeftButton);
  ASSERT_EQ(shell_.Opened.size(), 1u);
  EXPECT_TRUE(shell_.Opened[0].starts_with("http://"));
  EXPECT_TRUE(shell_.Opened[0].ends_with("/report/ds_dphs_csv.zip"));
  EXPECT_TRUE(boxes_.Shown.empty());

  shell_.Starts = false;
  QTest::mouseClick(main_->Button4, Qt::LeftButton);
  ASSERT_EQ(shell_.Opened.size(), 2u);
  ASSERT_EQ(boxes_.Shown.size(), 1u);
  EXPECT_EQ(Utf8(boxes_.Shown[0].Text),
            "Prehliadač sa nepodarilo spustiť. Zoznamy platiteľov DPH si stiahnite z adresy:"
            "\r\n\r\n" +
                shell_.Opened[0]);
  EXPECT_EQ(boxes_.Shown[0].Caption, u"Upozornenie");
}

}  // namespace
}  // namespace app::test
