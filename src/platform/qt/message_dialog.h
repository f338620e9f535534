#pragma once
// The message box of the platform layer. The text sits in a scrolling area, so a box of tens of
// thousands of lines still fits the screen and keeps its buttons in reach.
#include <QDialog>
#include <string>

#include "platform/services.h"

class QDialogButtonBox;
class QLabel;
class QScrollArea;

namespace platform {

class TMessageDialog : public QDialog {
 public:
  TMessageDialog(const std::u16string& text, const std::u16string& caption, TMsgButtons buttons,
                 TMsgIcon icon, QWidget* parent = nullptr);

  // The button that closed the box; Escape and the close box count as Cancel where the box has
  // one, else as OK for a box with only OK.
  TMsgResult Result() const { return result_; }

  QLabel* Text = nullptr;
  QScrollArea* TextArea = nullptr;
  QDialogButtonBox* Buttons = nullptr;

 protected:
  void reject() override;

 private:
  void FitToScreen();
  TMsgButtons buttons_;
  TMsgResult result_ = TMsgResult::Cancel;
};

}  // namespace platform
