#include "platform/qt/disabled_windows.h"

#include <QApplication>

namespace platform {

void TDisabledWindows::Disable(const QWidget* keep) {
  if (active_) return;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window == keep || !window->isVisible() || !window->isEnabled()) continue;
    window->setEnabled(false);
    windows_.emplace_back(window);
  }
  active_ = true;
}

void TDisabledWindows::Restore() {
  if (!active_) return;
  for (const QPointer<QWidget>& window : windows_)
    if (window) window->setEnabled(true);
  windows_.clear();
  active_ = false;
}

}  // namespace platform
