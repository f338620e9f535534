#include "app/ui/message_form.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "app/ui/window_font.h"

namespace app {

TMessageForm* MessageForm = nullptr;

TMessageForm::TMessageForm(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("MessageForm");
  setWindowTitle(QString::fromUtf8("Informácia"));
  setFixedSize(271, 36);
  auto* label = new QLabel(QString::fromUtf8("Prosím čakajte, program pracuje..."), this);
  label->setObjectName("Label1");
  label->setFont(WindowFont(16));
  label->setAlignment(Qt::AlignCenter);
  label->setGeometry(0, 0, 271, 36);
  CenterOnScreen(this);
}

void TMessageForm::showEvent(QShowEvent* event) {
  otherWindows_.Disable(this);
  QWidget::showEvent(event);
}

void TMessageForm::hideEvent(QHideEvent* event) {
  otherWindows_.Restore();
  QWidget::hideEvent(event);
}

}  // namespace app
