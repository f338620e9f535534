#include "platform/qt/message_dialog.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>

namespace platform {
namespace {

QDialogButtonBox::StandardButtons StandardButtons(TMsgButtons buttons) {
  switch (buttons) {
    case TMsgButtons::OK:
      return QDialogButtonBox::Ok;
    case TMsgButtons::OKCancel:
      return QDialogButtonBox::Ok | QDialogButtonBox::Cancel;
    case TMsgButtons::YesNo:
      return QDialogButtonBox::Yes | QDialogButtonBox::No;
    case TMsgButtons::YesNoCancel:
      return QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel;
  }
  return QDialogButtonBox::Ok;
}

TMsgResult ResultOf(QDialogButtonBox::StandardButton button) {
  switch (button) {
    case QDialogButtonBox::Yes:
      return TMsgResult::Yes;
    case QDialogButtonBox::No:
      return TMsgResult::No;
    case QDialogButtonBox::Cancel:
      return TMsgResult::Cancel;
    default:
      return TMsgResult::OK;
  }
}

QStyle::StandardPixmap IconPixmap(TMsgIcon icon) {
  switch (icon) {
    case TMsgIcon::Stop:
      return QStyle::SP_MessageBoxCritical;
    case TMsgIcon::Warning:
      return QStyle::SP_MessageBoxWarning;
    case TMsgIcon::Question:
      return QStyle::SP_MessageBoxQuestion;
    default:
      return QStyle::SP_MessageBoxInformation;
  }
}

}  // namespace

TMessageDialog::TMessageDialog(const std::u16string& text, const std::u16string& caption,
                               TMsgButtons buttons, TMsgIcon icon, QWidget* parent)
    : QDialog(parent), buttons_(buttons) {
  setWindowTitle(QString::fromStdU16String(caption));

  QString shown = QString::fromStdU16String(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  // A text view lays out only the lines in sight, so even a report of many thousand lines opens
  // and scrolls at once; it also lets the user select and copy the text with the mouse. It takes
  // the focus only when clicked, so it shows no text cursor and Enter presses the button.
  Text = new QPlainTextEdit(shown);
  Text->setReadOnly(true);
  Text->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text->setFrameShape(QFrame::NoFrame);
  Text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Text->setFocusPolicy(Qt::ClickFocus);
  QPalette colors = Text->palette();
  colors.setColor(QPalette::Base, colors.color(QPalette::Window));
  Text->setPalette(colors);

  auto* row = new QHBoxLayout;
  if (icon != TMsgIcon::None) {
    auto* picture = new QLabel;
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    picture->setPixmap(style()->standardIcon(IconPixmap(icon), nullptr, this).pixmap(side, side));
    picture->setAlignment(Qt::AlignTop);
    row->addWidget(picture);
  }
  row->addWidget(Text, 1);

  Buttons = new QDialogButtonBox(StandardButtons(buttons));
  Buttons->setCenterButtons(true);
  connect(Buttons, &QDialogButtonBox::clicked, this, [this](QAbstractButton* button) {
    result_ = ResultOf(Buttons->standardButton(button));
    accept();
  });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row, 1);
  layout->addWidget(Buttons);
  FitToScreen();
}

void TMessageDialog::FitToScreen() {
  QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  // Room is kept for the window frame, the icon, the buttons and the margins.
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const int reserveHeight = Buttons->sizeHint().height() + 100;
  const QSize limit(std::max(area.width() * 9 / 10 - 100, 100),
                    std::max(area.height() * 9 / 10 - reserveHeight, 50));
  const QFontMetrics metrics(Text->font());
  int widest = 0;
  const QStringList lines = Text->toPlainText().split(u'\n');
  for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
  const int margin = 2 * static_cast<int>(Text->document()->documentMargin()) + 4;
  const QSize wanted(widest + margin,
                     static_cast<int>(lines.size()) * metrics.lineSpacing() + margin);
  const bool tall = wanted.height() > limit.height();
  const bool wide = wanted.width() > limit.width();
  // The box is as large as its text, scroll bars only when the text is larger than the screen.
  Text->setVerticalScrollBarPolicy(tall ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  Text->setHorizontalScrollBarPolicy(wide ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  Text->setFixedSize(std::min(wanted.width() + (tall ? bar : 0), limit.width()),
                     std::min(wanted.height() + (wide ? bar : 0), limit.height()));
  setMaximumSize(area.size());
  adjustSize();
}

void TMessageDialog::reject() {
  if (Buttons->button(QDialogButtonBox::Cancel)) {
    result_ = TMsgResult::Cancel;
  } else if (buttons_ == TMsgButtons::OK) {
    result_ = TMsgResult::OK;
  } else {
    return;  // Yes or No must be chosen
  }
  QDialog::reject();
}

}  // namespace platform
