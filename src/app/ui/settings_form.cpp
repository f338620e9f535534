#include "app/ui/settings_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <algorithm>
#include <initializer_list>
#include <utility>

#include "app/statement/data.h"
#include "app/statement/settings_validation.h"
#include "app/ui/command_dispatcher.h"
#include "app/ui/grid_fit.h"
#include "app/ui/window_font.h"
#include "platform/services.h"
#include "platform/text_codec.h"

namespace app {

TSettingsForm* SettingsForm = nullptr;

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }
QString FromCp1250(const std::string& text) {
  std::u16string wide = platform::Cp1250ToUtf16(text);
  return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}
std::string ToCp1250(const QString& text) { return platform::Utf16ToCp1250(text.toStdU16String()); }

const char* const kSubjectRows[] = {"IČ DPH", "Názov subjektu", "Štát",    "Obec", "PSČ",
                                    "Ulica",  "Číslo",          "Telefón", "Email"};
const char* const kSubjectSamples[] = {
    "SK1234567890", "Test subjekt s.r.o.", "Slovensko",      "Bratislava", "08000", "Bratislavská",
    "99999/99",     "0900999999",          "test@example.sk"};
const char* const kMonths[] = {"Január",      "Február",     "Marec",       "Apríl",
                               "Máj",         "Jún",         "Júl",         "August",
                               "September",   "Október",     "November",    "December",
                               "1. štvrťrok", "2. štvrťrok", "3. štvrťrok", "4. štvrťrok"};

const char* const kDefaultSheets[] = {"A_1", "A_2", "B_1", "B_2", "B_31", "B_32",
                                      "C_1", "C_2", "D_1", "D_2", "SV_1", "SV_2"};

QGroupBox* AddGroup(QWidget* parent, const char* name, const char* caption, QRect where) {
  auto* group = new QGroupBox(Text(caption), parent);
  group->setObjectName(name);
  group->setGeometry(where);
  return group;
}

QLabel* AddLabel(QWidget* parent, const char* caption, QPoint where) {
  auto* label = new QLabel(Text(caption), parent);
  label->move(where);
  return label;
}

// Grids with their captions above them, left to right from the first one's place: each as wide
// as its columns and its caption, the last filling the rest of the parent.
void PlaceSideBySide(QWidget* parent,
                     std::initializer_list<std::pair<QLabel*, QTableWidget*>> grids) {
  constexpr int gap = 8;
  int x = grids.begin()->second->x();
  for (const auto& [label, grid] : grids) {
    WidenColumnsToContent(grid);
    const bool last = grid == (grids.end() - 1)->second;
    const int width = last ? parent->width() - x - 4 : WidthForColumns(grid);
    grid->setGeometry(x, grid->y(), width, grid->height());
    label->move(x, label->y());
    x += std::max(width, label->sizeHint().width()) + gap;
  }
}

// A key/value list: a title row, fixed keys, values edited in place, rows 18 pixels high.
QTableWidget* AddValueList(QWidget* parent, const char* name, QRect where, const char* keyTitle,
                           const char* valueTitle, int keyWidth, int valueWidth) {
  auto* list = new QTableWidget(0, 2, parent);
  list->setObjectName(name);
  list->setGeometry(where);
  list->setHorizontalHeaderLabels({Text(keyTitle), Text(valueTitle)});
  list->verticalHeader()->hide();
  list->verticalHeader()->setDefaultSectionSize(18);
  list->setColumnWidth(0, keyWidth);
  list->setColumnWidth(1, valueWidth);
  return list;
}

void AddRow(QTableWidget* grid, const QString& key, const QString& value) {
  const int row = grid->rowCount();
  grid->insertRow(row);
  auto* keyItem = new QTableWidgetItem(key);
  keyItem->setFlags(keyItem->flags() & ~Qt::ItemIsEditable);
  grid->setItem(row, 0, keyItem);
  grid->setItem(row, 1, new QTableWidgetItem(value));
}

// The row whose key is the text, -1 when none.
int FindKey(const QTableWidget* grid, const QString& key) {
  for (int row = 0; row < grid->rowCount(); ++row)
    if (grid->item(row, 0) && grid->item(row, 0)->text() == key) return row;
  return -1;
}

void SetValue(QTableWidget* grid, const QString& key, const QString& value) {
  const int row = FindKey(grid, key);
  if (row >= 0) grid->item(row, 1)->setText(value);
}

std::string Value(const QTableWidget* grid, const QString& key) {
  const int row = FindKey(grid, key);
  return row >= 0 && grid->item(row, 1) ? ToCp1250(grid->item(row, 1)->text()) : std::string();
}

QString SectionKey(TSection section) {
  return QString::fromLatin1(SectionName(section).data(), SectionName(section).size());
}

}  // namespace

TSettingsForm::TSettingsForm(QWidget* parent) : QDialog(parent) {
  setObjectName("SettingsForm");
  setWindowTitle(Text("Nastavenia"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFont(WindowFont(11));
  setFixedSize(671, 510);

  GroupBox1 = AddGroup(this, "GroupBox1", "Všeobecné nastavenia", {1, 0, 200, 242});
  AddLabel(GroupBox1, "Typ podania", {10, 16});
  TPR = new QRadioButton(Text("Riadne"), GroupBox1);
  TPO = new QRadioButton(Text("Opravné"), GroupBox1);
  TPD = new QRadioButton(Text("Dodatočné"), GroupBox1);
  TPR->setObjectName("TPR");
  TPO->setObjectName("TPO");
  TPD->setObjectName("TPD");
  TPR->setGeometry(84, 14, 110, 18);
  TPO->setGeometry(84, 37, 110, 18);
  TPD->setGeometry(84, 60, 110, 18);
  TPR->setChecked(true);
  AddLabel(GroupBox1, "Rok", {14, 95});
  Year = new QLineEdit(QStringLiteral("2016"), GroupBox1);
  Year->setObjectName("Year");
  Year->setGeometry(60, 92, 105, 21);
  AddLabel(GroupBox1, "Obdobie", {14, 120});
  Month = new QComboBox(GroupBox1);
  Month->setObjectName("Month");
  Month->setGeometry(60, 117, 105, 21);
  Month->setMaxVisibleItems(16);
  for (const char* month : kMonths) Month->addItem(Text(month));
  Month->setCurrentIndex(-1);
  SkipLastRow = new QCheckBox(Text("Vynechať posledný riadok"), GroupBox1);
  SkipLastRow->setObjectName("SkipLastRow");
  SkipLastRow->setGeometry(14, 144, 180, 18);

  GroupBox3 = AddGroup(this, "GroupBox3", "Údaje o daňovom subjekte", {207, 0, 259, 242});
  SubjectParameters =
      AddValueList(GroupBox3, "SubjectParameters", {15, 40, 241, 193}, "Údaj", "Hodnota", 80, 155);
  for (int i = 0; i < 9; ++i)
    AddRow(SubjectParameters, Text(kSubjectRows[i]), Text(kSubjectSamples[i]));
  WidenColumnsToContent(SubjectParameters);
  SubjectParameters->horizontalHeader()->setStretchLastSection(true);

  GroupBox2 = AddGroup(this, "GroupBox2", "Parametre vstupného súboru", {1, 248, 662, 257});
  QLabel* sheetCaption = AddLabel(GroupBox2, "Názvy hárkov ", {0, 22});
  SheetList =
      AddValueList(GroupBox2, "SheetList", {0, 40, 120, 214}, "Sekcia", "Názov hárku", 40, 57);
  QLabel* offsetCaption = AddLabel(GroupBox2, "Odsadenie - počet riadkov", {145, 22});
  OffsetList =
      AddValueList(GroupBox2, "OffsetList", {145, 40, 104, 214}, "Sekcia", "Odsadenie", 40, 41);
  for (TSection section : kSections) {
    AddRow(SheetList, SectionKey(section), Text(kDefaultSheets[SectionIndex(section)]));
    AddRow(OffsetList, SectionKey(section), QStringLiteral("1"));
  }
  QLabel* orderCaption = AddLabel(GroupBox2, "Poradia stĺpcov", {277, 22});
  OrderList = new QTableWidget(kColumnKeyCount, 3, GroupBox2);
  OrderList->setObjectName("OrderList");
  OrderList->setGeometry(277, 40, 369, 193);
  OrderList->verticalHeader()->hide();
  OrderList->verticalHeader()->setDefaultSectionSize(18);

  Button3 = new QPushButton(Text("OK"), this);
  Button3->setObjectName("Button3");
  Button3->setGeometry(580, 8, 83, 33);
  Button2 = new QPushButton(Text("Použiť"), this);
  Button2->setObjectName("Button2");
  Button2->setGeometry(581, 47, 82, 33);
  Button1 = new QPushButton(Text("Storno"), this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(581, 86, 82, 33);
  connect(Button3, &QPushButton::clicked, this, [this] { RunCommand([this] { Button3Click(); }); });
  connect(Button1, &QPushButton::clicked, this, &QDialog::reject);

  FormCreate();
  OrderList->horizontalHeader()->setStretchLastSection(true);
  PlaceSideBySide(
      GroupBox2,
      {{sheetCaption, SheetList}, {offsetCaption, OffsetList}, {orderCaption, OrderList}});
  CenterOnScreen(this);
}

void TSettingsForm::FormCreate() {
  OrderList->setColumnWidth(0, 100);
  OrderList->setColumnWidth(1, 40);
  OrderList->setColumnWidth(2, 200);
  OrderList->setHorizontalHeaderLabels({Text("Stĺpec"), Text("Poradie"), Text("Poznámka")});
  for (int row = 0; row < kColumnKeyCount; ++row) {
    auto* label =
        new QTableWidgetItem(QString::fromLatin1(kColumnKeys[row].data(), kColumnKeys[row].size()));
    label->setFlags(label->flags() & ~Qt::ItemIsEditable);
    OrderList->setItem(row, 0, label);
    OrderList->setItem(row, 1, new QTableWidgetItem);
    OrderList->setItem(row, 2, new QTableWidgetItem);
  }
}

void TSettingsForm::showEvent(QShowEvent* event) {
  RunCommand([this] { LoadSettings(); });  // FormShow
  QDialog::showEvent(event);
}

void TSettingsForm::LoadSettings() {
  const tDataHeader& header = Data.Header;
  if (header.Druh == "R") TPR->setChecked(true);
  if (header.Druh == "D") TPD->setChecked(true);
  if (header.Druh == "O") TPO->setChecked(true);
  Year->setText(FromCp1250(header.Rok));
  const int month =
      Month->findText(FromCp1250(header.Obdobie), Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (month >= 0) Month->setCurrentIndex(month);
  SkipLastRow->setChecked(!header.PoslednyRiadok);

  for (int i = 0; i < 9; ++i)
    SetValue(SubjectParameters, Text(kSubjectRows[i]), FromCp1250(SubjectField(Data.Subject, i)));
  for (TSection section : kSections) {
    SetValue(SheetList, SectionKey(section), FromCp1250(Data.Sheets[section]));
    SetValue(OffsetList, SectionKey(section), QString::number(Data.Offsets[section]));
  }
  for (int row = 0; row < kColumnKeyCount; ++row) {
    OrderList->item(row, 1)->setText(QString::number(Data.Order.ColumnOf(kColumnKeys[row])));
    OrderList->item(row, 2)->setText(FromCp1250(Data.Order.NoteOf(kColumnKeys[row])));
  }
}

TSettingsValues TSettingsForm::ControlValues() const {
  TSettingsValues values;
  if (TPR->isChecked())
    values.Druh = "R";
  else if (TPD->isChecked())
    values.Druh = "D";
  else if (TPO->isChecked())
    values.Druh = "O";
  values.Obdobie = Month->currentIndex() >= 0 ? ToCp1250(Month->currentText()) : std::string();
  values.Rok = ToCp1250(Year->text());
  values.PoslednyRiadok = !SkipLastRow->isChecked();
  for (int i = 0; i < 9; ++i) values.Subject[i] = Value(SubjectParameters, Text(kSubjectRows[i]));
  for (TSection section : kSections) {
    values.Sheets[SectionIndex(section)] = Value(SheetList, SectionKey(section));
    values.Offsets[SectionIndex(section)] = Value(OffsetList, SectionKey(section));
  }
  for (int row = 0; row < kColumnKeyCount; ++row) {
    values.Columns[row] = ToCp1250(OrderList->item(row, 1)->text());
    values.Notes[row] = ToCp1250(OrderList->item(row, 2)->text());
  }
  return values;
}

void TSettingsForm::ValidateParameters(std::string& msg) const {
  msg = ValidateSettingsValues(ControlValues());
}

void TSettingsForm::SaveSettings() const { app::SaveSettings(ControlValues()); }

void TSettingsForm::Button3Click() {
  std::string message;
  ValidateParameters(message);
  if (!message.empty()) {
    // The window stays open with the user's edits, so they can be corrected.
    platform::Services().MessageBoxes->Show(platform::Cp1250ToUtf16(message), kApplicationTitle,
                                            platform::TMsgButtons::OK, platform::TMsgIcon::None);
    return;
  }
  SaveSettings();
  accept();
}

}  // namespace app
