#include "app/ui/main_app.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <chrono>
#include <ctime>
#include <filesystem>

#include "app/statement/data.h"
#include "app/statement/import_sections.h"
#include "app/statement/list_files.h"
#include "app/statement/number_text.h"
#include "app/statement/report_errors.h"
#include "app/statement/report_texts.h"
#include "app/statement/sections.h"
#include "app/statement/settings_file.h"
#include "app/statement/sum_texts.h"
#include "app/statement/vat_check.h"
#include "app/statement/xsd_check.h"
#include "app/ui/command_dispatcher.h"
#include "app/ui/grid_fit.h"
#include "app/ui/library_workbook.h"
#include "app/ui/message_form.h"
#include "app/ui/right_aligned_delegate.h"
#include "app/ui/settings_form.h"
#include "app/ui/window_font.h"
#include "platform/format_settings.h"
#include "platform/services.h"
#include "platform/text_codec.h"
#include "workbook/model/workbook.h"

namespace app {

TMainApp* MainApp = nullptr;

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }
QString Latin(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A message box with an OK button; the caption in Windows-1250.
void Message(const std::u16string& text, const std::string& caption,
             platform::TMsgIcon icon = platform::TMsgIcon::None) {
  platform::Services().MessageBoxes->Show(text, platform::Cp1250ToUtf16(caption),
                                          platform::TMsgButtons::OK, icon);
}

bool AnswersYes(const std::u16string& question) {
  return platform::Services().MessageBoxes->Show(
             question, platform::Cp1250ToUtf16(WarningCaption()), platform::TMsgButtons::YesNo,
             platform::TMsgIcon::Warning) == platform::TMsgResult::Yes;
}

// The exports and the VAT-ID check need an imported input; false after the refusal.
bool InputLoadedOrRefuse() {
  if (KVDPH.InputLoaded) return true;
  Message(platform::Cp1250ToUtf16(KVDPH.ImportFailed ? ImportFailedText() : NoInputLoadedText()),
          WarningCaption());
  return false;
}

// Rows the import listed errors for go out as they were read; the user decides whether a
// document the authority will refuse is still worth writing.
bool WriteDespite(const TReportErrors& errors) {
  return !errors.Any() ||
         AnswersYes(platform::Cp1250ToUtf16(ReportErrorsQuestion(errors.ErrorRows)));
}

std::optional<std::string> OpenFile(const std::string& filter) {
  return platform::Services().Dialogs->OpenFile(platform::Cp1250ToUtf16(filter));
}
// The name a save writes: the dialog's with the extension, once; an existing file is replaced
// only when the user says so, else the dialog comes back.
std::optional<std::string> ChooseSaveName(const std::string& filter, std::string_view extension) {
  for (;;) {
    auto chosen = platform::Services().Dialogs->SaveFile(platform::Cp1250ToUtf16(filter));
    if (!chosen) return std::nullopt;
    std::string name = FileNameWithExtension(*chosen, extension);
    if (!std::filesystem::exists(name) ||
        AnswersYes(OverwriteQuestion(platform::Utf8ToUtf16(name))))
      return name;
  }
}

// Today's local date, the EC sales list's declaration date.
std::chrono::year_month_day Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return std::chrono::year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday;
}

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

QPushButton* TMainApp::AddButton(QWidget* parent, const char* name, const char* caption,
                                 QRect where, void (TMainApp::*handler)()) {
  auto* button = new QPushButton(Text(caption), parent);
  button->setObjectName(name);
  button->setGeometry(where);
  if (handler)
    connect(button, &QPushButton::clicked, this,
            [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
  return button;
}

QRadioButton* TMainApp::AddRadio(QGroupBox* group, const char* name, const char* caption, int top) {
  auto* radio = new QRadioButton(Text(caption), group);
  radio->setObjectName(name);
  radio->setGeometry(8, top + 4, group->width() - 12, 18);
  return radio;
}

void TMainApp::CreateControls() {
  // Left: the load result, the errors and the warnings.
  // Room below the rows for a scroll bar: counts of many digits widen their columns.
  auto* stats = AddGroup(this, "Výsledok načítania vstupného súboru", {6, 4, 561, 128});
  StatsList = new QTableWidget(5, 13, stats);
  StatsList->setObjectName("StatsList");
  StatsList->setGeometry(8, 17, 545, 110);
  StatsList->horizontalHeader()->hide();
  StatsList->verticalHeader()->hide();
  StatsList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (int r = 0; r < 5; ++r) StatsList->setRowHeight(r, 18);

  auto* errors = AddGroup(this, "Chybové hlásenia", {6, 134, 561, 220});
  LogBox = new QListWidget(errors);
  LogBox->setObjectName("LogBox");
  LogBox->setGeometry(8, 18, 545, 166);
  Button1 =
      AddButton(errors, "Button1", "Uložiť do súboru", {8, 188, 120, 25}, &TMainApp::Button1Click);

  auto* warnings = AddGroup(this, "Upozornenia", {6, 358, 561, 220});
  LogBox2 = new QListWidget(warnings);
  LogBox2->setObjectName("LogBox2");
  LogBox2->setGeometry(8, 18, 545, 166);
  Button2 = AddButton(warnings, "Button2", "Uložiť do súboru", {8, 188, 120, 25},
                      &TMainApp::Button2Click);

  // Middle: the column sums.
  auto* sums = AddGroup(this, "Kontrola - medzisúčty stĺpcov", {573, 4, 252, 690});
  SubtotalsList = new QTableWidget(0, 2, sums);
  SubtotalsList->setObjectName("SubtotalsList");
  SubtotalsList->setGeometry(6, 18, 240, 632);
  SubtotalsList->setHorizontalHeaderLabels({Text("Stĺpec"), Text("Celkom")});
  SubtotalsList->verticalHeader()->hide();
  SubtotalsList->verticalHeader()->setDefaultSectionSize(18);
  SubtotalsList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SubtotalsList->setItemDelegateForColumn(1, new TRightAlignedDelegate(SubtotalsList));
  for (std::string_view key : kTotalsKeys) {
    if (key.empty()) continue;  // the unused slot has no row
    int row = SubtotalsList->rowCount();
    SubtotalsList->insertRow(row);
    SubtotalsList->setItem(row, 0,
                           new QTableWidgetItem(QString::fromLatin1(key.data(), key.size())));
    SubtotalsList->setItem(row, 1, new QTableWidgetItem(QStringLiteral("0")));
  }
  Button3 =
      AddButton(sums, "Button3", "Uložiť do súboru", {6, 656, 120, 25}, &TMainApp::Button3Click);

  // Right: the commands and the choices.
  const int x = 835, w = 211;
  LoadBtn = AddButton(this, "LoadBtn", "Import XLS, XLSX", {x, 8, w, 27}, &TMainApp::LoadBtnClick);
  Export1Btn = AddButton(this, "Export1Btn", "Export XML dozovuvud ireze VEV", {x, 40, w, 27},
                         &TMainApp::Export1BtnClick);
  Export2Btn = AddButton(this, "Export2Btn", "Export XML súhrnný výkaz DPH", {x, 72, w, 27},
                         &TMainApp::Export2BtnClick);
  VATcheckBtn = AddButton(this, "VATcheckBtn", "Kontrola SK IČ DPH", {x, 104, w, 27},
                          &TMainApp::VATcheckBtnClick);
  Button4 = AddButton(this, "Button4", "Stiahnuť zoznam platiteľov DPH", {x, 136, w, 27},
                      &TMainApp::Button4Click);
  Button5 =
      AddButton(this, "Button5", "Kontrola XML - KV DPH", {x, 168, w, 27}, &TMainApp::Button5Click);
  Button5->setVisible(false);

  auto* rounding = AddGroup(this, "Parametre zaokrúhľovania číselných hodnôt", {6, 582, 260, 112});
  RadioButton1 = AddRadio(rounding, "RadioButton1", "Nezaokrúhľovať", 18);
  RadioButton2 = AddRadio(rounding, "RadioButton2", "Aritmeticky", 38);
  RadioButton3 = AddRadio(rounding, "RadioButton3", "Nadol", 58);
  RadioButton4 = AddRadio(rounding, "RadioButton4", "Nahor", 78);
  RadioButton1->setChecked(true);

  auto* format = AddGroup(this, "Formát exportu XML pre kontrolný výkaz", {272, 582, 295, 112});
  RadioButton5 = AddRadio(format, "RadioButton5", "Formát XML od 1.1.2014 do 31.3.2016", 18);
  RadioButton6 = AddRadio(format, "RadioButton6", "Formát XML od 1.4.2016 do 31.12.2016", 38);
  RadioButton7 = AddRadio(format, "RadioButton7", "Formát XML od 1.1.2017 do 31.12.2020", 58);
  RadioButton9 = AddRadio(format, "RadioButton9", "Formát XML od 1.1.2021", 78);
  RadioButton9->setChecked(true);
  connect(RadioButton9, &QRadioButton::clicked, this,
          [this] { RunCommand([this] { RadioButton9Click(); }); });

  auto* sales = AddGroup(this, "Formát exportu XML pre súhrnný výkaz", {x - 4, 204, w + 8, 66});
  RadioButton8 = AddRadio(sales, "RadioButton8", "XML od 1.1.2014 do 31.12.2019", 18);
  RadioButton10 = AddRadio(sales, "RadioButton10", "XML od 1.1.2020", 38);
  RadioButton10->setChecked(true);

  SettingsBtn =
      AddButton(this, "SettingsBtn", "Nastavenia", {x, 600, w, 27}, &TMainApp::SettingsBtnClick);
  AboutBtn = AddButton(this, "AboutBtn", "O programe", {x, 632, w, 27}, &TMainApp::AboutBtnClick);
  EndBtn = AddButton(this, "EndBtn", "Koniec", {x, 664, w, 27}, &TMainApp::EndBtnClick);
}

void TMainApp::FormCreate() {
  KVDPH.InputLoaded = false;
  KVDPH.VersionText = std::string(kVersionText);
  setWindowTitle(Text("Dozovuvud ireze VEV v") + Latin(KVDPH.VersionText));

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

  KVDPH.StartupDir = std::filesystem::current_path().string();

  StatsList->setItem(0, 0, new QTableWidgetItem(Text("Riadky/sekcia")));
  const char* const rows[] = {"Načítané", "Vynechané", "Chybné", "SPOLU"};
  for (int r = 0; r < 4; ++r) StatsList->setItem(r + 1, 0, new QTableWidgetItem(Text(rows[r])));
  for (TSection section : kSections)
    StatsList->setItem(0, SectionIndex(section) + 1,
                       new QTableWidgetItem(Latin(SectionName(section))));
  FitImportColumns();

  // The workbook refuses to be made while these are empty.
  workbook::WorkbookDateFormat = u"%sysdate%";
  workbook::WorkbookTimeFormat = u"%systime%";

  Data.Subject = {};
  Workbook = WorkbookFactory() ? WorkbookFactory()() : std::make_unique<TLibraryWorkbook>();
  Data.Order = {};
  Data.Sheets = {};
  Data.Offsets = {};
  Data.Header = {};
  Data.Totals = {};

  LoadSettings();
  RadioButton9Click();
}

void TMainApp::FormDestroy() {
  Workbook.reset();
  Data.ClearRows();
  KVDPH.VATList.clear();
}

void TMainApp::LoadSettings() { app::LoadSettings(Data); }

void TMainApp::RadioButton9Click() {
  if (!RadioButton9->isChecked()) return;
  if (StrToInt(Data.Header.Rok) < 2021)
    Message(u"Pozor, obdobie výkazu je neplatné pre zvolený formát KV DPH od r. 2021 (rok " +
                platform::Cp1250ToUtf16(Data.Header.Rok) + u").",
            platform::Utf8ToCp1250("Upozornenie"));
}

TKVFormat TMainApp::ControlStatementFormat() const {
  if (RadioButton5->isChecked()) return TKVFormat::Format2014;
  if (RadioButton6->isChecked()) return TKVFormat::Format2016;
  if (RadioButton7->isChecked()) return TKVFormat::Format2017;
  return TKVFormat::Format2021;
}

TSVLayout TMainApp::EcSalesListLayout() const {
  return RadioButton8->isChecked() ? TSVLayout::Layout2014 : TSVLayout::Layout2020;
}

void TMainApp::LoadBtnClick() {
  // Nothing is cleared before a file is chosen: a cancelled dialog keeps the last import.
  auto file = OpenFile(platform::Utf8ToCp1250("Excel súbory (*.xls, *.xlsx)|*.xls*"));
  if (!file) return;

  // Every section starts from nothing, so one whose sheet is missing shows no figures of an
  // earlier file that the exports would not hold either.
  LogBox->clear();
  LogBox2->clear();
  ClearImportFigures();
  QRadioButton* const rounding[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4};
  for (int mode = 0; mode < 4; ++mode)
    if (rounding[mode]->isChecked()) Data.RoundingMode = mode;
  Data.ClearRows();
  Data.Totals = {};
  Data.SheetIndex.fill(kNoSheet);
  // Until the import ends, what was loaded before is gone and nothing new is there.
  KVDPH.InputLoaded = false;
  KVDPH.ImportFailed = true;

  Workbook->LoadFromFile(platform::Utf8ToUtf16(*file));
  ShowImportOutcome(ImportSections(*Workbook, Data));

  for (QRadioButton* radio :
       {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5, RadioButton6,
        RadioButton7, RadioButton8, RadioButton9, RadioButton10})
    radio->setEnabled(false);
  KVDPH.ImportFailed = false;
  KVDPH.InputLoaded = true;
}

void TMainApp::ClearImportFigures() {
  for (TSection section : kSections)
    for (int row = 1; row <= 4; ++row)
      StatsList->setItem(row, SectionIndex(section) + 1, new QTableWidgetItem(QStringLiteral("0")));
  for (int row = 0; row < SubtotalsList->rowCount(); ++row)
    SubtotalsList->item(row, 1)->setText(QStringLiteral("0"));
}

void TMainApp::ShowImportOutcome(const TImportOutcome& outcome) {
  for (const std::string& line : outcome.Log.Errors)
    LogBox->addItem(QString::fromStdU16String(platform::Cp1250ToUtf16(line)));
  for (const std::string& line : outcome.Log.Warnings)
    LogBox2->addItem(QString::fromStdU16String(platform::Cp1250ToUtf16(line)));

  for (TSection section : kSections) {
    const auto& result = outcome.Sections[SectionIndex(section)];
    if (!result) continue;  // no sheet: its zeros stay
    const int column = SectionIndex(section) + 1;
    auto setCount = [&](int row, const QString& text) {
      StatsList->setItem(row, column, new QTableWidgetItem(text));
    };
    if (!result->HasRows) {
      for (int row = 1; row <= 4; ++row) setCount(row, QStringLiteral("-"));
      continue;
    }
    setCount(1, QString::number(result->Loaded));
    setCount(2, QString::number(result->Skipped));
    setCount(3, QString::number(result->Errors));
    setCount(4, QString::number(result->Total));
    for (const TColumnSum& sum : result->Sums) {
      for (int row = 0; row < SubtotalsList->rowCount(); ++row)
        if (SubtotalsList->item(row, 0)->text() == Latin(sum.Key))
          SubtotalsList->item(row, 1)->setText(
              QString::fromStdU16String(SumText(sum.Key, sum.Value)));
    }
  }
  FitImportColumns();
}

void TMainApp::FitImportColumns() {
  StatsList->setColumnWidth(0, 75);
  for (int c = 1; c < 13; ++c) StatsList->setColumnWidth(c, 39);
  WidenColumnsToContent(StatsList);
  SubtotalsList->setColumnWidth(0, 100);
  SubtotalsList->setColumnWidth(1, 136);
  WidenColumnsToContent(SubtotalsList);
}

void TMainApp::Export1BtnClick() {
  if (!InputLoadedOrRefuse()) return;
  const TReportErrors errors = ControlStatementErrors(Data);
  if (!WriteDespite(errors)) return;
  auto file = ChooseSaveName(XmlFileFilter(), ".xml");
  if (!file) return;
  const std::string written = ExportControlStatement(ControlStatementFormat(), Data, *file);
  std::filesystem::current_path(KVDPH.StartupDir);
  if (errors.Any())
    Message(XmlSavedWithErrorsText(platform::Utf8ToUtf16(written), errors.ErrorRows),
            XmlSavedCaption(), platform::TMsgIcon::Warning);
  else
    Message(XmlSavedText(platform::Utf8ToUtf16(written)), XmlSavedCaption());
}

void TMainApp::Export2BtnClick() {
  if (!InputLoadedOrRefuse()) return;
  const TReportErrors errors = EcSalesListErrors(Data);
  if (!WriteDespite(errors)) return;
  auto file = ChooseSaveName(XmlFileFilter(), ".xml");
  if (!file) return;
  const std::string written = ExportEcSalesList(EcSalesListLayout(), Data, Today(), *file);
  // A clean list is saved without a word; one with errors must not pass for a good one.
  if (errors.Any())
    Message(XmlSavedWithErrorsText(platform::Utf8ToUtf16(written), errors.ErrorRows),
            XmlSavedCaption(), platform::TMsgIcon::Warning);
}

void TMainApp::VATcheckBtnClick() {
  if (!InputLoadedOrRefuse()) return;
  auto file = OpenFile(VATListFileFilter());
  if (!file) return;
  TVATCheckProgress progress;
  progress.Started = [] {
    if (MessageForm) MessageForm->show();
  };
  progress.RecordDone = [] { platform::Services().EventPump->ProcessMessages(); };
  progress.Finished = [] {
    if (MessageForm) MessageForm->close();
  };
  if (auto result = VATCheckFile(*file, Data, KVDPH.VATList, progress))
    Message(platform::Cp1250ToUtf16(result->Report), VATCheckCaption());
}

void TMainApp::Button4Click() {
  if (!platform::Services().Shell->Open(kVATListDownloadURL))
    Message(platform::Cp1250ToUtf16(BrowserFailedText(kVATListDownloadURL)), WarningCaption());
}

void TMainApp::Button5Click() {
  auto file = OpenFile(platform::Utf8ToCp1250("XML súbory (*.xml)|*.xml"));
  if (!file) return;
  CheckStatementFile(ControlStatementFormat(), *file, KVDPH.StartupDir);
}

void TMainApp::SaveList(const QListWidget* list) {
  TTextLines lines;
  for (int i = 0; i < list->count(); ++i)
    lines.push_back(platform::Utf16ToCp1250(list->item(i)->text().toStdU16String()));
  auto file = ChooseSaveName(TxtFileFilter(), ".txt");
  if (file) SaveMessageList(lines, *file);
}

void TMainApp::Button1Click() { SaveList(LogBox); }
void TMainApp::Button2Click() { SaveList(LogBox2); }

void TMainApp::Button3Click() {
  auto file = ChooseSaveName(SumsFileFilter(), ".csv");
  if (file) SaveSumsFile(Data.Totals, *file);
}

void TMainApp::SettingsBtnClick() {
  if (SettingsForm) {
    SettingsForm->LoadSettings();
    SettingsForm->exec();
  }
  // Whatever closed the window, the file is what it left behind.
  LoadSettings();
}

void TMainApp::AboutBtnClick() {
  platform::Services().MessageBoxes->Show(
      u"Program Dozovuvud ireze VEV\r\n\r\nVytvorené pre slovenských platiteľov DPH.",
      u"O programe", platform::TMsgButtons::OK, platform::TMsgIcon::None);
}

void TMainApp::EndBtnClick() { close(); }

}  // namespace app
