#include "app/ui/main_app.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "app_fixture.h"

namespace app::test {
namespace {

TEST_F(AppTest, CaptionGridsAndAboutBox) {
  Start(PlainSettings());
  TMainApp& window = *main_;
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Dozovuvud ireze VEV v1.17"));
  EXPECT_EQ(Cell(window.StatsList, 0, 0), "Riadky/sekcia");
  EXPECT_EQ(Cell(window.StatsList, 1, 0), QString::fromUtf8("Načítané"));
  EXPECT_EQ(Cell(window.StatsList, 4, 0), "SPOLU");
  EXPECT_EQ(Cell(window.StatsList, 0, 1), "A1");
  EXPECT_EQ(Cell(window.StatsList, 0, 12), "SV2");
  ASSERT_EQ(window.SubtotalsList->rowCount(), 32);
  EXPECT_EQ(Cell(window.SubtotalsList, 0, 0), "A1-Z");
  EXPECT_EQ(Cell(window.SubtotalsList, 22, 0), "D1-SumaObratov");
  EXPECT_EQ(Cell(window.SubtotalsList, 31, 0), "SV1-Z");
  EXPECT_EQ(Cell(window.SubtotalsList, 31, 1), "0");
  EXPECT_FALSE(window.Button5->isVisibleTo(&window));
  EXPECT_TRUE(window.RadioButton1->isChecked());
  EXPECT_TRUE(window.RadioButton9->isChecked());
  EXPECT_TRUE(window.RadioButton10->isChecked());

  QTest::mouseClick(window.AboutBtn, Qt::LeftButton);
  EXPECT_TRUE(TakeBoxes().starts_with("[None] O programe: Program Dozovuvud ireze VEV\r\n\r\n"));
}

}  // namespace
}  // namespace app::test
