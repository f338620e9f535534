#pragma once
// The main window: every command of the program starts here.
#include <QWidget>

class QGroupBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace app {

class TMainApp : public QWidget {
 public:
  explicit TMainApp(QWidget* parent = nullptr);
  ~TMainApp() override;

  // Controls, under their form names.
  QPushButton* LoadBtn;
  QPushButton* Export1Btn;
  QPushButton* Export2Btn;
  QPushButton* VATcheckBtn;
  QPushButton* Button4;
  QPushButton* Button5;
  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button3;
  QPushButton* SettingsBtn;
  QPushButton* AboutBtn;
  QPushButton* EndBtn;
  QListWidget* LogBox;
  QListWidget* LogBox2;
  QTableWidget* SubtotalsList;
  QTableWidget* StatsList;
  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QRadioButton* RadioButton3;
  QRadioButton* RadioButton4;
  QRadioButton* RadioButton5;
  QRadioButton* RadioButton6;
  QRadioButton* RadioButton7;
  QRadioButton* RadioButton8;
  QRadioButton* RadioButton9;
  QRadioButton* RadioButton10;

  void AboutBtnClick();
  void EndBtnClick();

 private:
  void CreateControls();
  void FormCreate();
  void FormDestroy();
  QPushButton* AddButton(QWidget* parent, const char* name, const char* caption, QRect where,
                         void (TMainApp::*handler)());
  QRadioButton* AddRadio(QGroupBox* group, const char* name, const char* caption, int top);
};

}  // namespace app
