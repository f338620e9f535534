#include "platform/qt/message_dialog.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
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
  Text = new QLabel(shown);
  Text->setTextFormat(Qt::PlainText);
  Text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Text->setContentsMargins(2, 2, 2, 2);
  TextArea = new QScrollArea;
  TextArea->setFrameShape(QFrame::NoFrame);
  TextArea->setWidgetResizable(true);
  TextArea->setWidget(Text);

  auto* row = new QHBoxLayout;
  if (icon != TMsgIcon::None) {
    auto* picture = new QLabel;
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    picture->setPixmap(style()->standardIcon(IconPixmap(icon), nullptr, this).pixmap(side, side));
    picture->setAlignment(Qt::AlignTop);
    row->addWidget(picture);
  }
  row->addWidget(TextArea, 1);

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
  const QSize wanted = Text->sizeHint();
  const bool tall = wanted.height() > limit.height();
  const bool wide = wanted.width() > limit.width();
  TextArea->setMinimumSize(std::min(wanted.width() + (tall ? bar : 0), limit.width()),
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
