#include "workbook/gui/progress_dlg_wrapper_gui.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <stdexcept>

#include "workbook/core/stream.h"
#include "workbook/formats/exporter_registry.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/workbook.h"

namespace workbook {
namespace {

// The visible progress window, null when none is up.
TCustomProgressDlg* VisibleProgressDlg() {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* dlg = dynamic_cast<TCustomProgressDlg*>(window); dlg && dlg->isVisible()) return dlg;
  return nullptr;
}

// A handler whose import reports its start and then runs the test's check.
class TProbeExporter : public TCustomExporter {
 public:
  std::function<void(TWorkbook&)> During;
  void ImportFromStream(TStream& stream, TWorkbook& workbook) override {
    TCustomExporter::ImportFromStream(stream, workbook);
    workbook.DoProgress(0, 0, 0, u"Import");
    workbook.DoProgress(2, 0, 2, u"First");
    During(workbook);
  }
};

class ProgressWrapperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProgressDlgWrapperClass(TWorkbookProgressDlgWrapperGui::Create);
    main_.resize(300, 200);
    main_.show();
    QApplication::processEvents();
  }
  void TearDown() override {
    SetProgressDlgWrapperClass(nullptr);
    FreeProgressDlgProperties();
  }
  QWidget main_;
  TWorkbook book_;
  TMemoryStream stream_;
  TProbeExporter probe_;
};

TEST_F(ProgressWrapperTest, WindowShowsDuringALoadAndGoesAfter) {
  bool seen = false;
  probe_.During = [&](TWorkbook&) {
    TCustomProgressDlg* dlg = VisibleProgressDlg();
    ASSERT_NE(dlg, nullptr);
    seen = true;
    EXPECT_EQ(dlg->GetCaption(), u"Worksheet 1/2: First");
    EXPECT_FALSE(main_.isEnabled());
  };
  book_.LoadFromStream(stream_, probe_);
  EXPECT_TRUE(seen);
  EXPECT_EQ(VisibleProgressDlg(), nullptr);
  EXPECT_TRUE(main_.isEnabled());
}

TEST_F(ProgressWrapperTest, FailingLoadStillClosesTheWindowAndEnablesTheOthers) {
  probe_.During = [&](TWorkbook&) {
    ASSERT_NE(VisibleProgressDlg(), nullptr);
    throw std::runtime_error("damaged");
  };
  EXPECT_THROW(book_.LoadFromStream(stream_, probe_), std::runtime_error);
  EXPECT_EQ(VisibleProgressDlg(), nullptr);
  EXPECT_TRUE(main_.isEnabled());
}

TEST_F(ProgressWrapperTest, ClicksDuringALoadCannotStartAnotherCommand) {
  QPushButton button(QStringLiteral("Import"), &main_);
  button.show();
  int clicks = 0;
  QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
  probe_.During = [&](TWorkbook& book) {
    QTest::mouseClick(&button, Qt::LeftButton);
    book.DoProgress(3, 1, 10, u"1");
    EXPECT_EQ(clicks, 0);
  };
  book_.LoadFromStream(stream_, probe_);
  EXPECT_EQ(clicks, 0);
}

struct TSheetTextCase {
  std::u16string caption, sheet, expected;
};

TEST_F(ProgressWrapperTest, SheetTextReplacesTheSecondLine) {
  const TSheetTextCase cases[] = {
      {u"Loading", u"Sheet A", u"Loading\r\nSheet A"},
      {u"Loading\r\nSheet A", u"Sheet B", u"Loading\r\nSheet B"},
      {u"Loading\r\nSheet A", u"", u"Loading"},
      {u"Loading", u"", u"Loading"},
      {u"", u"S", u"\r\nS"},
  };
  TWorkbookProgressDlgWrapperGui wrapper;
  for (const TSheetTextCase& c : cases) {
    wrapper.SetCaption(c.caption);
    wrapper.SetSheetText(c.sheet);
    EXPECT_EQ(wrapper.Dialog->GetCaption(), c.expected);
  }
  EXPECT_EQ(wrapper.Dialog->CaptionLabel->text(), QStringLiteral("\nS"));
}

TEST_F(ProgressWrapperTest, ProgressGoesToTheOneBar) {
  TWorkbookProgressDlgWrapperGui wrapper;
  EXPECT_EQ(wrapper.Dialog->GetBarCount(), 1);
  wrapper.SetProgress(3, 4);
  EXPECT_EQ(wrapper.Dialog->GetMax(0), 4);
  EXPECT_EQ(wrapper.Dialog->GetPosition(0), 3);
}

}  // namespace
}  // namespace workbook
