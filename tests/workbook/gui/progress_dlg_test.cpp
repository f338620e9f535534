#include "workbook/gui/progress_dlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

namespace workbook {
namespace {

class ProgressDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    other_.resize(200, 100);
    other_.show();
    QApplication::processEvents();
  }
  void TearDown() override { FreeProgressDlgProperties(); }
  QWidget other_;
};

TEST_F(ProgressDlgTest, OneBarWindowGeometry) {
  auto window = CreateProgressDlg(u"Import", 1);
  EXPECT_EQ(window->size(), QSize(238, 83));
  ASSERT_EQ(window->GetBarCount(), 1);
  EXPECT_EQ(window->GetBar(0)->geometry(), QRect(10, 48, 217, ProgressBarHeight()));
  EXPECT_EQ(window->CaptionLabel->geometry(), QRect(0, 0, 238, 40));
}

TEST_F(ProgressDlgTest, BarsGrowAndShrinkTheWindow) {
  const int h = ProgressBarHeight();
  auto window = CreateProgressDlg(u"x", 3, 5);
  EXPECT_EQ(window->height(), 83 + 2 * (h + 10));
  EXPECT_EQ(window->GetBar(2)->y(), 48 + 2 * (h + 10));
  window->DeleteProgressBar();
  window->DeleteProgressBar();
  EXPECT_EQ(window->height(), 83);
  window->DeleteProgressBar();  // the last bar leaves the height alone
  EXPECT_EQ(window->height(), 83);
  EXPECT_THROW(window->DeleteProgressBar(), std::out_of_range);
}

// Other windows are disabled while the window shows and enabled after, by hiding or by closing;
// a window disabled before stays disabled.
TEST_F(ProgressDlgTest, OtherWindowsAreDisabledWhileShown) {
  QWidget locked;
  locked.show();
  locked.setEnabled(false);
  {
    auto window = CreateProgressDlg(u"Import", 1);
    EXPECT_FALSE(other_.isEnabled());
    window->hide();
    EXPECT_TRUE(other_.isEnabled());
  }
  {
    auto window = CreateProgressDlg(u"Import", 1);
    EXPECT_FALSE(other_.isEnabled());
  }
  EXPECT_TRUE(other_.isEnabled());
  EXPECT_FALSE(locked.isEnabled());
}

TEST_F(ProgressDlgTest, SwitchedOffWindowIsNeverShown) {
  ProgressDlgProperties().SetEnabled(false);
  auto window = CreateProgressDlg(u"Import", 1);
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(window->GetCaption().empty());
  EXPECT_TRUE(other_.isEnabled());
  window->SetBarProgress(0, 5, 10);
  EXPECT_EQ(window->GetPosition(0), 5);
}

TEST_F(ProgressDlgTest, EmptyCaptionAndZeroMaxDisableNothing) {
  auto window = CreateProgressDlg(u"", 0);
  EXPECT_TRUE(other_.isEnabled());
}

TEST_F(ProgressDlgTest, BarProgressSetsMaximumFirstAndScalesHugeRanges) {
  auto window = CreateProgressDlg(u"x", 1);
  window->SetBarProgress(0, 150, 200);
  EXPECT_EQ(window->GetMax(0), 200);
  EXPECT_EQ(window->GetPosition(0), 150);
  window->SetBarProgress(0, 3'000'000'000LL, 6'000'000'000LL);
  EXPECT_GT(window->GetMax(0), 0);
  EXPECT_NEAR(double(window->GetPosition(0)) / window->GetMax(0), 0.5, 1e-6);
  window->SetBarProgress(0, 7, -1);
  EXPECT_EQ(window->GetPosition(0), 0);
}

struct TCentreCase {
  QRect area, full;
  QPoint expected;
};

TEST(CenteredOnAreaTest, CentresOnWorkAreaOrFullBounds) {
  const TCentreCase cases[] = {
      {QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 768), QPoint(393, 342)},
      {QRect(0, 0, 1024, 728), QRect(0, 0, 1024, 768), QPoint(393, 322)},
      {QRect(), QRect(0, 0, 1024, 768), QPoint(393, 342)},
      {QRect(-1025, 0, 1025, 768), QRect(), QPoint(-631, 342)},  // truncated toward zero
  };
  for (const TCentreCase& c : cases)
    EXPECT_EQ(CenteredOnArea(c.area, c.full, QSize(238, 83)), c.expected);
}

}  // namespace
}  // namespace workbook
