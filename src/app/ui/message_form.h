#pragma once
// The wait window shown while a long command runs.
#include <QWidget>

namespace app {

class TMessageForm : public QWidget {
 public:
  explicit TMessageForm(QWidget* parent = nullptr);
};

extern TMessageForm* MessageForm;

}  // namespace app
