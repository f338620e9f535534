#include "app/ui/main_app.h"

#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "app/statement/sections.h"
#include "app/ui/command_dispatcher.h"
#include "app/ui/right_aligned_delegate.h"
#include "app/ui/window_font.h"
#include "platform/format_settings.h"
#include "platform/services.h"

namespace app {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QGroupBox* AddGroup(QWidget* parent, const char* caption, QRect where) {
  auto* group = new QGroupBox(Text(caption), parent);
  group->setGeometry(where);
  return group;
}

}  // namespace

TMainApp::TMainApp(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName("MainApp");
  setFont(WindowFont(11));
  setFixedSize(1052, 700);
  CreateControls();
  CenterOnScreen(this);
  RunCommand([this] { FormCreate(); });
}

TMainApp::~TMainApp() { FormDestroy(); }

QPushButton* TMainApp::AddButton(QWidget* parent, const char* name, const char* caption, QRect where,
                                 void (TMainApp::*handler)()) {
  auto* button = new QPushButton(Text(caption), parent);
  button->setObjectName(name);
  button->setGeometry(where);
  if (handler) connect(button, &QPushButton::clicked, this, [this, handler] {
      RunCommand([this, handler] { (this->*handler)(); });
    });
  return button;
}

QRadioButton* TMainApp::AddRadio(QGroupBox* group, const char* name, const char* caption, int top) {
  auto* radio = new QRadioButton(Text(caption), group);
  radio->setObjectName(name);
  radio->setGeometry(8, top, group->width() - 12, 18);
  return radio;
}

void TMainApp::CreateControls() {
  // Left: the load result, the errors and the warnings.
  auto* stats = AddGroup(this, "Výsledok načítania vstupného súboru", {8, 4, 568, 126});
  StatsList = new QTableWidget(5, 13, stats);
  StatsList->setObjectName("StatsList");
  StatsList->setGeometry(8, 18, 552, 100);
  StatsList->horizontalHeader()->hide();
  StatsList->verticalHeader()->hide();
  StatsList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StatsList->setColumnWidth(0, 75);
  for (int c = 1; c < 13; ++c) StatsList->setColumnWidth(c, 39);
  for (int r = 0; r < 5; ++r) StatsList->setRowHeight(r, 19);

  auto* errors = AddGroup(this, "Chybové hlásenia", {8, 134, 568, 276});
  LogBox = new QListWidget(errors);
  LogBox->setObjectName("LogBox");
  LogBox->setGeometry(8, 18, 552, 220);
  Button1 = AddButton(errors, "Button1", "Uložiť do súboru", {8, 244, 120, 25}, nullptr);

  auto* warnings = AddGroup(this, "Upozornenia", {8, 414, 568, 280});
  LogBox2 = new QListWidget(warnings);
  LogBox2->setObjectName("LogBox2");
  LogBox2->setGeometry(8, 18, 552, 224);
  Button2 = AddButton(warnings, "Button2", "Uložiť do súboru", {8, 248, 120, 25}, nullptr);

  // Middle: the column sums.
  auto* sums = AddGroup(this, "Kontrola - medzisúčty stĺpcov", {584, 4, 264, 690});
  SubtotalsList = new QTableWidget(0, 2, sums);
  SubtotalsList->setObjectName("SubtotalsList");
  SubtotalsList->setGeometry(8, 18, 248, 632);
  SubtotalsList->setHorizontalHeaderLabels({Text("Stĺpec"), Text("Celkom")});
  SubtotalsList->verticalHeader()->hide();
  SubtotalsList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SubtotalsList->setColumnWidth(0, 100);
  SubtotalsList->setColumnWidth(1, 136);
  SubtotalsList->setItemDelegateForColumn(1, new TRightAlignedDelegate(SubtotalsList));
  for (std::string_view key : kTotalsKeys) {
    if (key.empty()) continue;  // the unused slot has no row
    int row = SubtotalsList->rowCount();
    SubtotalsList->insertRow(row);
    SubtotalsList->setItem(row, 0, new QTableWidgetItem(QString::fromLatin1(key.data(), key.size())));
    SubtotalsList->setItem(row, 1, new QTableWidgetItem(QStringLiteral("0")));
  }
  Button3 = AddButton(sums, "Button3", "Uložiť do súboru", {8, 656, 120, 25}, nullptr);

  // Right: the commands and the choices.
  const int x = 856, w = 188;
  LoadBtn = AddButton(this, "LoadBtn", "Import XLS, XLSX", {x, 8, w, 27}, nullptr);
  Export1Btn = AddButton(this, "Export1Btn", "Export XML dozovuvud ireze VEV", {x, 40, w, 27}, nullptr);
  Export2Btn = AddButton(this, "Export2Btn", "Export XML súhrnný výkaz DPH", {x, 72, w, 27}, nullptr);
  VATcheckBtn = AddButton(this, "VATcheckBtn", "Kontrola SK IČ DPH", {x, 104, w, 27}, nullptr);
  Button4 = AddButton(this, "Button4", "Stiahnuť zoznam platiteľov DPH", {x, 136, w, 27}, nullptr);
  Button5 = AddButton(this, "Button5", "Kontrola XML - KV DPH", {x, 168, w, 27}, nullptr);
  Button5->setVisible(false);

  auto* rounding = AddGroup(this, "Parametre zaokrúhľovania číselných hodnôt", {x - 4, 200, w + 8, 102});
  RadioButton1 = AddRadio(rounding, "RadioButton1", "Nezaokrúhľovať", 18);
  RadioButton2 = AddRadio(rounding, "RadioButton2", "Aritmeticky", 38);
  RadioButton3 = AddRadio(rounding, "RadioButton3", "Nadol", 58);
  RadioButton4 = AddRadio(rounding, "RadioButton4", "Nahor", 78);
  RadioButton1->setChecked(true);

  auto* format = AddGroup(this, "Formát exportu XML pre kontrolný výkaz", {x - 4, 306, w + 8, 102});
  RadioButton5 = AddRadio(format, "RadioButton5", "Formát XML od 1.1.2014 do 31.3.2016", 18);
  RadioButton6 = AddRadio(format, "RadioButton6", "Formát XML od 1.4.2016 do 31.12.2016", 38);
  RadioButton7 = AddRadio(format, "RadioButton7", "Formát XML od 1.1.2017 do 31.12.2020", 58);
  RadioButton9 = AddRadio(format, "RadioButton9", "Formát XML od 1.1.2021", 78);
  RadioButton9->setChecked(true);

  auto* sales = AddGroup(this, "Formát exportu XML pre súhrnný výkaz", {x - 4, 412, w + 8, 62});
  RadioButton8 = AddRadio(sales, "RadioButton8", "XML od 1.1.2014 do 31.12.2019", 18);
  RadioButton10 = AddRadio(sales, "RadioButton10", "XML od 1.1.2020", 38);
  RadioButton10->setChecked(true);

  SettingsBtn = AddButton(this, "SettingsBtn", "Nastavenia", {x, 600, w, 27}, nullptr);
  AboutBtn = AddButton(this, "AboutBtn", "O programe", {x, 632, w, 27}, &TMainApp::AboutBtnClick);
  EndBtn = AddButton(this, "EndBtn", "Koniec", {x, 664, w, 27}, &TMainApp::EndBtnClick);
}

void TMainApp::FormCreate() {
  setWindowTitle(Text("Dozovuvud ireze VEV v") + "1.17");

  // The process-wide formats every later number and date text follows.
  platform::TFormatSettings& formats = platform::FormatSettings();
  formats.ShortDateFormat = u"dd.MM.yyyy";
  formats.LongDateFormat = u"dd.MM.yyyy";
  formats.ThousandSeparator = u' ';
  formats.DecimalSeparator = u',';
  formats.CurrencyString = u"€";
  formats.CurrencyFormat = 3;  // "1 €"
  formats.NegCurrFormat = 8;   // "-1 €"
  formats.CurrencyDecimals = 2;

  StatsList->setItem(0, 0, new QTableWidgetItem(Text("Riadky/sekcia")));
  const char* const rows[] = {"Načítané", "Vynechané", "Chybné", "SPOLU"};
  for (int r = 0; r < 4; ++r) StatsList->setItem(r + 1, 0, new QTableWidgetItem(Text(rows[r])));
  for (TSection section : kSections)
    StatsList->setItem(0, SectionIndex(section) + 1,
                       new QTableWidgetItem(QString::fromLatin1(SectionName(section).data(),
                                                                SectionName(section).size())));
}

void TMainApp::FormDestroy() {}

void TMainApp::AboutBtnClick() {
  platform::Services().MessageBoxes->Show(
      u"Program Dozovuvud ireze VEV\r\n\r\nVytvorené pre slovenských platiteľov DPH.", u"O programe",
      platform::TMsgButtons::OK, platform::TMsgIcon::None);
}

void TMainApp::EndBtnClick() { close(); }

}  // namespace app
