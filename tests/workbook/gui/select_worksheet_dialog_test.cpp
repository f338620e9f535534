#include "workbook/gui/select_worksheet_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "workbook/model/workbook.h"

namespace workbook {
namespace {

QDialog* OpenDialog() {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->objectName() == QLatin1String("FormExporterSelectWorksheet") && window->isVisible())
      return qobject_cast<QDialog*>(window);
  return nullptr;
}

class SelectWorksheetTest : public ::testing::Test {
 protected:
  // Runs Act on the dialog once it is up (or closes it after a while when it never gets there).
  bool Select(const std::function<void(QDialog&)>& act) {
    dialogSeen_ = false;
    QTimer::singleShot(0, [&] {
      QDialog* dialog = OpenDialog();
      if (!dialog) return;
      dialogSeen_ = true;
      act(*dialog);
    });
    return SelectWorksheetDialog(book_);
  }
  void AddSheets(std::initializer_list<const char16_t*> names) {
    for (const char16_t* name : names) book_.AddWorkSheet(name);
  }
  TWorkbook book_;
  bool dialogSeen_ = false;
};

TEST_F(SelectWorksheetTest, FewerThanTwoSheetsNeedNoDialog) {
  EXPECT_TRUE(SelectWorksheetDialog(book_));
  EXPECT_EQ(book_.WorkSheets.Count(), 0);
  AddSheets({u"Only"});
  EXPECT_TRUE(SelectWorksheetDialog(book_));
  EXPECT_EQ(book_.GetActiveWorkSheet()->Name, u"Only");
}

TEST_F(SelectWorksheetTest, ShowsCaptionPromptAndSheetsAndEnterTakesTheFirst) {
  AddSheets({u"A1", u"B2", u"C3"});
  const bool result = Select([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select worksheet"));
    EXPECT_EQ(dialog.size(), QSize(300, 180));
    auto* label = dialog.findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("The document contains more than one worksheet.\n"
                                            "Please select which worksheet you want to export:"));
    EXPECT_EQ(label->geometry(), QRect(20, 20, 260, 40));
    auto* combo = dialog.findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("A1"));
    EXPECT_EQ(combo->itemText(2), QStringLiteral("C3"));
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_FALSE(combo->isEditable());
    EXPECT_EQ(combo->geometry().topLeft(), QPoint(20, 70));
    auto* button = dialog.findChild<QPushButton*>();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("Export"));
    EXPECT_EQ(button->geometry(), QRect(300 - 20 - 75, 180 - 20 - 25, 75, 25));
    EXPECT_TRUE(button->isDefault());
    QTest::keyClick(&dialog, Qt::Key_Return);
  });
  EXPECT_TRUE(dialogSeen_);
  EXPECT_TRUE(result);
  EXPECT_EQ(book_.GetActiveWorkSheet()->Name, u"A1");
  EXPECT_EQ(OpenDialog(), nullptr);
}

TEST_F(SelectWorksheetTest, ChosenSheetBecomesActive) {
  AddSheets({u"A1", u"B2", u"C3"});
  const bool result = Select([](QDialog& dialog) {
    dialog.findChild<QComboBox*>()->setCurrentIndex(1);
    QTest::mouseClick(dialog.findChild<QPushButton*>(), Qt::LeftButton);
  });
  EXPECT_TRUE(result);
  EXPECT_EQ(book_.GetActiveWorkSheet()->Name, u"B2");
}

TEST_F(SelectWorksheetTest, ClosedOtherwiseKeepsTheActiveSheet) {
  AddSheets({u"A1", u"B2", u"C3"});
  const bool result = Select([](QDialog& dialog) { dialog.reject(); });
  EXPECT_TRUE(dialogSeen_);
  EXPECT_FALSE(result);
  EXPECT_EQ(book_.GetActiveWorkSheet()->Name, u"C3");
}

TEST_F(SelectWorksheetTest, SheetsRemovedWhileOpenDoNotCrash) {
  AddSheets({u"A1", u"B2", u"C3"});
  const bool result = Select([this](QDialog& dialog) {
    dialog.findChild<QComboBox*>()->setCurrentIndex(2);
    book_.WorkSheets.Clear();
    dialog.accept();
  });
  EXPECT_FALSE(result);
}

}  // namespace
}  // namespace workbook
