#pragma once
// The main window: every command of the program starts here.
#include <QWidget>
#include <memory>
#include <string>

#include "app/statement/control_statement_xml.h"
#include "app/statement/ec_sales_list_xml.h"
#include "app/statement/import_workbook.h"

class QGroupBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace app {

struct TImportOutcome;

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

  // The workbook the import loads (Data.Workbook); made at creation, freed at destruction.
  std::unique_ptr<IImportWorkbook> Workbook;

  void LoadBtnClick();
  void Export1BtnClick();
  void Export2BtnClick();
  void VATcheckBtnClick();
  void Button4Click();
  void Button5Click();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void SettingsBtnClick();
  void AboutBtnClick();
  void EndBtnClick();
  void RadioButton9Click();
  // Reads settings.ini of the start-up folder into Data.
  void LoadSettings();

  // The formats the radio buttons choose.
  TKVFormat ControlStatementFormat() const;
  TSVLayout EcSalesListLayout() const;

 private:
  void CreateControls();
  void FormCreate();
  void FormDestroy();
  // Zero counts and sums on screen for every section.
  void ClearImportFigures();
  void ShowImportOutcome(const TImportOutcome& outcome);
  // The counts' and sums' columns as the window opens, widened for texts that need more room.
  void FitImportColumns();
  void SaveList(const QListWidget* list);
  QPushButton* AddButton(QWidget* parent, const char* name, const char* caption, QRect where,
                         void (TMainApp::*handler)());
  QRadioButton* AddRadio(QGroupBox* group, const char* name, const char* caption, int top);
};

extern TMainApp* MainApp;

}  // namespace app
