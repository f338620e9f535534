#pragma once
// The wait window shown while a long command runs. The command keeps pumping events meanwhile,
// so while the window is up the program's other windows take no input.
#include <QWidget>

#include "platform/qt/disabled_windows.h"

namespace app {

class TMessageForm : public QWidget {
 public:
  explicit TMessageForm(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  platform::TDisabledWindows otherWindows_;
};

extern TMessageForm* MessageForm;

}  // namespace app
