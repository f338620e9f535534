// The platform's message box: long texts scroll inside a box that fits the screen, and each
// button gives its own answer.
#include "platform/qt/message_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "platform/qt/qt_services.h"

namespace platform {
namespace {

std::u16string ManyLines(int count) {
  std::u16string text = u"Zoznam neplatných IČ DPH:\r\n";
  for (int i = 0; i < count; ++i) text += u"A1: SK" + std::u16string(10, u'0' + i % 10) + u"\r\n";
  return text;
}

// The VAT-ID report of 50,000 rows, through the box the program really shows.
TEST(MessageBox, FiftyThousandLinesFitTheScreenAndCloseWithTheButton) {
  bool checked = false;
  QTimer::singleShot(0, [&] {
    auto* box = dynamic_cast<TMessageDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    const QRect area = box->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(box->frameGeometry())) << box->frameGeometry().height();
    QPushButton* ok = box->Buttons->button(QDialogButtonBox::Ok);
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isVisible());
    EXPECT_TRUE(box->rect().contains(QRect(ok->mapTo(box, QPoint(0, 0)), ok->size())));
    EXPECT_TRUE(box->Text->verticalScrollBar()->isVisible());
    checked = true;
    QTest::mouseClick(ok, Qt::LeftButton);
  });
  TQtMessageBoxes boxes;
  EXPECT_EQ(
      boxes.Show(ManyLines(50000), u"Výsledok kontroly IČ DPH", TMsgButtons::OK, TMsgIcon::None),
      TMsgResult::OK);
  EXPECT_TRUE(checked);
}

struct TButtonCase {
  TMsgButtons Buttons;
  QDialogButtonBox::StandardButton Clicked;  // NoButton: Escape
  TMsgResult Result;
  bool Closes;
};

TEST(MessageBox, EachButtonGivesItsAnswer) {
  const TButtonCase cases[] = {
      {TMsgButtons::OK, QDialogButtonBox::Ok, TMsgResult::OK, true},
      {TMsgButtons::OK, QDialogButtonBox::NoButton, TMsgResult::OK, true},
      {TMsgButtons::OKCancel, QDialogButtonBox::Cancel, TMsgResult::Cancel, true},
      {TMsgButtons::OKCancel, QDialogButtonBox::NoButton, TMsgResult::Cancel, true},
      {TMsgButtons::YesNo, QDialogButtonBox::Yes, TMsgResult::Yes, true},
      {TMsgButtons::YesNo, QDialogButtonBox::No, TMsgResult::No, true},
      {TMsgButtons::YesNo, QDialogButtonBox::NoButton, TMsgResult::Cancel, false},
      {TMsgButtons::YesNoCancel, QDialogButtonBox::No, TMsgResult::No, true},
      {TMsgButtons::YesNoCancel, QDialogButtonBox::NoButton, TMsgResult::Cancel, true},
  };
  for (const TButtonCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(&c - cases));
    TMessageDialog box(u"Text", u"Caption", c.Buttons, TMsgIcon::Stop);
    box.show();
    if (c.Clicked == QDialogButtonBox::NoButton) {
      QTest::keyClick(&box, Qt::Key_Escape);
    } else {
      QTest::mouseClick(box.Buttons->button(c.Clicked), Qt::LeftButton);
    }
    EXPECT_EQ(box.isVisible(), !c.Closes);
    if (c.Closes) {
      EXPECT_EQ(box.Result(), c.Result);
    }
  }
}

// A short message makes a small box without scroll bars; the text takes no focus, so no cursor
// blinks in it and Enter presses the button.
TEST(MessageBox, ShortTextMakesASmallBoxThatEnterCloses) {
  struct Case {
    std::u16string text;
    int lines;
  } cases[] = {{u"Nie je načítaný vstupný súbor", 1},
               {u"Súbor XML bol uložený do /tmp/kv.xml\r\n\r\nPočet chybných riadkov: 2.", 3}};
  for (const Case& c : cases) {
    TMessageDialog box(c.text, u"Upozornenie", TMsgButtons::OK, TMsgIcon::None);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    const int line = QFontMetrics(box.Text->font()).lineSpacing();
    EXPECT_LE(box.Text->height(), (c.lines + 1) * line);
    EXPECT_LE(box.height(), box.Text->height() + box.Buttons->height() + 4 * line);
    EXPECT_FALSE(box.Text->verticalScrollBar()->isVisible());
    EXPECT_FALSE(box.Text->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(box.Text->hasFocus());
    EXPECT_EQ(box.Text->textInteractionFlags(), Qt::TextSelectableByMouse);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.Result(), TMsgResult::OK);
  }
}

}  // namespace
}  // namespace platform
