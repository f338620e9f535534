#include "workbook/gui/progress_dlg.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QWindow>
#include <algorithm>
#include <climits>

namespace workbook {

namespace {

constexpr int kBarLeft = 10;
constexpr int kBarTop = 48;
constexpr int kBarGap = 10;
constexpr int kBarWidth = 217;

std::unique_ptr<TProgressDlgProperties>& Properties() {
  static std::unique_ptr<TProgressDlgProperties> properties;
  return properties;
}

}  // namespace

TProgressDlgProperties& ProgressDlgProperties() {
  if (!Properties()) {
    Properties() = std::make_unique<TProgressDlgProperties>();
    Properties()->DialogClass = [] { return std::make_unique<TBasicProgressDlg>(); };
  }
  return *Properties();
}

void FreeProgressDlgProperties() { Properties().reset(); }

int ProgressBarHeight() { return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent); }

QPoint CenteredOnArea(const QRect& area, const QRect& full, const QSize& size) {
  // Edges as the platform counts them: right and bottom are exclusive.
  const QRect& r = area.width() > 0 ? area : full;
  const int right = r.left() + r.width();
  const int bottom = r.top() + r.height();
  return {(r.left() + right - size.width()) / 2, (r.top() + bottom - size.height()) / 2};
}

void ProcessProgressEvents() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

TCustomProgressDlg::TCustomProgressDlg() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
  CenterOnMonitor();
  resize(238, 83);
  QPalette colors = palette();
  colors.setColor(QPalette::WindowText, ProgressDlgProperties().FontColor);
  setPalette(colors);
  CaptionLabel = new QLabel(this);
  CaptionLabel->setGeometry(0, 0, width(), 40);
  CaptionLabel->setAlignment(Qt::AlignCenter);
  CaptionLabel->setAttribute(Qt::WA_TranslucentBackground);
}

TCustomProgressDlg::~TCustomProgressDlg() { RestoreOtherWindows(); }

void TCustomProgressDlg::SetCaption(const std::u16string& text) {
  caption_ = text;
  QString shown = QString::fromStdU16String(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  CaptionLabel->setText(shown);
}

void TCustomProgressDlg::SetBarProgress(int index, long long position, long long max) {
  // A bar counts in int: larger ranges are scaled down, keeping the proportion.
  max = std::max(max, 0LL);
  position = std::clamp(position, 0LL, max);
  if (max > INT_MAX) {
    const long long divisor = max / INT_MAX + 1;
    max /= divisor;
    position /= divisor;
  }
  QProgressBar* bar = GetBar(index);
  bar->setUpdatesEnabled(false);
  SetMax(index, static_cast<int>(max));
  SetPosition(index, static_cast<int>(position));
  bar->setUpdatesEnabled(true);
  bar->update();
  // A window that was never shown has disabled nothing, so it must not pump events either.
  if (isVisible()) ProcessProgressEvents();
}

void TCustomProgressDlg::PrepareBars(const std::u16string& caption, int max) {
  DisableOtherWindows();
  SetCaption(caption);
  for (int i = 0; i < GetBarCount(); ++i) {
    SetMax(i, max);
    SetPosition(i, 0);
  }
  // Kept above the active window, as a dialog of it, without becoming its child.
  if (QWidget* active = QApplication::activeWindow(); active && active != this) {
    winId();
    if (active->windowHandle()) windowHandle()->setTransientParent(active->windowHandle());
  }
}

void TCustomProgressDlg::CenterOnMonitor() {
  QScreen* screen = QGuiApplication::screenAt(frameGeometry().center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  move(CenteredOnArea(screen->availableGeometry(), screen->geometry(), size()));
}

void TCustomProgressDlg::DisableOtherWindows() { disabledWindows_.Disable(this); }

void TCustomProgressDlg::RestoreOtherWindows() {
  disabledWindows_.Restore();
  if (prevActiveWindow_) prevActiveWindow_->activateWindow();
  prevActiveWindow_ = nullptr;
}

void TCustomProgressDlg::showEvent(QShowEvent* event) {
  CenterOnMonitor();
  QWidget::showEvent(event);
  QWidget* active = QApplication::activeWindow();
  prevActiveWindow_ = active != this ? active : nullptr;
  raise();
}

void TCustomProgressDlg::hideEvent(QHideEvent* event) {
  RestoreOtherWindows();
  QWidget::hideEvent(event);
}

void TCustomProgressDlg::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect r = rect();
  QLinearGradient gradient(r.topLeft(), r.bottomLeft());
  gradient.setColorAt(0, QColor(238, 238, 238));
  gradient.setColorAt(1, QColor(187, 187, 187));
  painter.fillRect(r, gradient);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QColor(128, 128, 128));
  painter.drawRect(r.adjusted(0, 0, -1, -1));
  painter.setPen(QColor(204, 204, 204));
  painter.drawRect(r.adjusted(1, 1, -2, -2));
}

void TBasicProgressDlg::SetMax(int index, int value) { GetBar(index)->setMaximum(value); }

void TBasicProgressDlg::AddProgressBar() {
  auto* bar = new QProgressBar(this);
  ProgressBars.push_back(bar);
  const int h = ProgressBarHeight();
  const int count = GetBarCount();
  bar->setGeometry(kBarLeft, kBarTop + (h + kBarGap) * (count - 1), kBarWidth, h);
  bar->setTextVisible(false);
  if (count > 1) resize(width(), height() + h + kBarGap);
}

void TBasicProgressDlg::DeleteProgressBar() {
  QProgressBar* bar = GetBar(GetBarCount() - 1);
  if (GetBarCount() > 1) resize(width(), height() - bar->height() - kBarGap);
  ProgressBars.pop_back();
  delete bar;
}

std::unique_ptr<TCustomProgressDlg> CreateProgressDlg(
    const TProgressDlgProperties::TDialogClass& dialogClass, const std::u16string& caption,
    int barCount, int max) {
  std::unique_ptr<TCustomProgressDlg> window = dialogClass();
  for (int i = 0; i < barCount; ++i) window->AddProgressBar();
  ShowProgressDlg(*window, caption, max);
  return window;
}

std::unique_ptr<TCustomProgressDlg> CreateProgressDlg(const std::u16string& caption, int barCount,
                                                      int max) {
  return CreateProgressDlg(ProgressDlgProperties().DialogClass, caption, barCount, max);
}

std::unique_ptr<TCustomProgressDlg> CreateProgressDlg(const std::u16string& caption, int max) {
  return CreateProgressDlg(caption, 1, max);
}

void ShowProgressDlg(TCustomProgressDlg& window, const std::u16string& caption, int max) {
  if (!ProgressDlgProperties().Enabled) return;
  if (!caption.empty() || max != 0) window.PrepareBars(caption, max);
  window.show();
  window.raise();
  ProcessProgressEvents();
  window.update();
  for (QWidget* child : window.findChildren<QWidget*>()) child->update();
  ProcessProgressEvents();
}

}  // namespace workbook
