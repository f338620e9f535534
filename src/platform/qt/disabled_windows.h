#pragma once
// The program's other top-level windows, disabled while a window that pumps events is up (the
// progress window, the wait window), so a click meanwhile cannot start a second command that
// frees what the running one still uses.
#include <QPointer>
#include <QWidget>
#include <vector>

namespace platform {

class TDisabledWindows {
 public:
  TDisabledWindows() = default;
  ~TDisabledWindows() { Restore(); }
  TDisabledWindows(const TDisabledWindows&) = delete;
  TDisabledWindows& operator=(const TDisabledWindows&) = delete;

  // Disables every visible, enabled top-level window except `keep`; a second call before
  // Restore changes nothing.
  void Disable(const QWidget* keep);
  // Enables again the windows Disable disabled and that still exist.
  void Restore();
  bool Active() const { return active_; }

 private:
  std::vector<QPointer<QWidget>> windows_;
  bool active_ = false;
};

}  // namespace platform
