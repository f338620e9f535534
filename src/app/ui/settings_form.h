#pragma once
// The settings window: shows the in-memory settings, checks the user's edits and writes
// settings.ini on OK. The main window reads the file back when this window closes.
#include <QDialog>
#include <string>

#include "app/statement/settings_file.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace app {

class TSettingsForm : public QDialog {
 public:
  explicit TSettingsForm(QWidget* parent = nullptr);

  QGroupBox* GroupBox1;
  QGroupBox* GroupBox2;
  QGroupBox* GroupBox3;
  QRadioButton* TPR;
  QRadioButton* TPO;
  QRadioButton* TPD;
  QLineEdit* Year;
  QComboBox* Month;
  QCheckBox* SkipLastRow;
  QTableWidget* SubjectParameters;
  QTableWidget* SheetList;
  QTableWidget* OffsetList;
  QTableWidget* OrderList;
  QPushButton* Button3;  // OK
  QPushButton* Button2;  // "Použiť"
  QPushButton* Button1;  // "Storno"

  // Copies Data's settings objects into the controls.
  void LoadSettings();
  // The problems of the controls' values joined by CR LF (Windows-1250), empty when valid.
  void ValidateParameters(std::string& msg) const;
  // Writes settings.ini of the start-up folder from the controls.
  void SaveSettings() const;
  void Button3Click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  TSettingsValues ControlValues() const;
};

extern TSettingsForm* SettingsForm;

}  // namespace app
