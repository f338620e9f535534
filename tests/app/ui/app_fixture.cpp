#include "app_fixture.h"

#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "app/statement/data.h"
#include "platform/schema_validator.h"
#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"

namespace app::test {

void TFakeWorkbook::LoadFromFile(const std::u16string& fileName) {
  const std::string name = platform::Utf16ToUtf8(fileName);
  files_.Loaded.push_back(name);
  auto found = files_.Books.find(name);
  if (found == files_.Books.end())
    throw workbook::EWorkbookFileNameException(u"No format handler for " + fileName);
  sheets_ = found->second;
}

std::u16string TFakeWorkbook::SheetName(int sheet) const {
  return platform::Utf8ToUtf16(sheets_.at(sheet).Name);
}

std::int64_t TFakeWorkbook::RowCount(int sheet) const {
  return static_cast<std::int64_t>(sheets_.at(sheet).Rows.size());
}

std::int64_t TFakeWorkbook::CellCount(int sheet, std::int64_t row) const {
  return static_cast<std::int64_t>(sheets_.at(sheet).Rows.at(row).size());
}

std::u16string TFakeWorkbook::CellText(int sheet, std::int64_t row, std::int64_t cell) const {
  return platform::Utf8ToUtf16(sheets_.at(sheet).Rows.at(row).at(cell));
}

TSettingsValues PlainSettings() {
  TSettingsValues values;
  values.Druh = "R";
  values.Obdobie = "Marec";
  values.Rok = "2021";
  values.PoslednyRiadok = true;
  values.Subject = {"SK2020123456", "Firma", "Slovensko", "Obec",  "97401",
                    "Ulica",        "1",     "0900",      "a@b.sk"};
  for (TSection section : kSections) {
    values.Sheets[SectionIndex(section)] = std::string(SectionName(section));
    values.Offsets[SectionIndex(section)] = "1";
  }
  for (int i = 0; i < kColumnKeyCount; ++i) {
    const std::string_view key = kColumnKeys[i];
    TSection section{};
    FindSection(key.substr(0, key.find('-')), section);
    values.Columns[i] = std::to_string(ColumnSlot(key) - FirstSlot(section) + 1);
  }
  return values;
}

void AppTest::SetUp() {
  savedDir_ = std::filesystem::current_path();
  std::string pattern = (std::filesystem::temp_directory_path() / "app_ui_XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  dir_ = pattern;
  std::filesystem::current_path(dir_);

  os_ = std::make_unique<platform::TScriptedOsVersion>(true);
  validator_ = std::make_unique<platform::TLibXmlSchemaValidator>();
  platform::TServices services;
  services.Dialogs = &dialogs_;
  services.MessageBoxes = &boxes_;
  services.Shell = &shell_;
  services.Console = &console_;
  services.OsVersion = os_.get();
  services.SchemaValidator = validator_.get();
  services.EventPump = &pump_;
  scope_ = std::make_unique<platform::TServicesScope>(services);
  WorkbookFactory() = [this] { return std::make_unique<TFakeWorkbook>(files_); };
}

void AppTest::TearDown() {
  MessageForm = nullptr;
  SettingsForm = nullptr;
  MainApp = nullptr;
  wait_.reset();
  settings_.reset();
  main_.reset();
  WorkbookFactory() = nullptr;
  Data = TData();
  KVDPH = TKVDPH();
  scope_.reset();
  std::filesystem::current_path(savedDir_);
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

void AppTest::Start() {
  // The settings window is a child of the main window: it goes first.
  wait_.reset();
  settings_.reset();
  main_.reset();
  main_ = std::make_unique<TMainApp>();
  MainApp = main_.get();
  settings_ = std::make_unique<TSettingsForm>(main_.get());
  SettingsForm = settings_.get();
  wait_ = std::make_unique<TMessageForm>();
  MessageForm = wait_.get();
}

void AppTest::WriteSettings(const TSettingsValues& values) {
  SaveSettingsFile((dir_ / "settings.ini").string(), values);
}

void AppTest::Start(const TSettingsValues& values) {
  WriteSettings(values);
  Start();
}

void AppTest::Import(const std::string& name, const std::vector<TFakeSheet>& sheets) {
  files_.Books[Path(name)] = sheets;
  Choose(main_->LoadBtn, Path(name));
}

void AppTest::Choose(QAbstractButton* button, std::optional<std::string> path) {
  dialogs_.Answer(std::move(path));
  QTest::mouseClick(button, Qt::LeftButton);
}

std::string AppTest::TakeBoxes() {
  static const char* const kIcons[] = {"None", "Stop", "Warning", "Information", "Question"};
  std::string all;
  for (const auto& box : boxes_.Shown)
    all += std::string(all.empty() ? "" : "\n") + "[" + kIcons[static_cast<int>(box.Icon)] + "] " +
           Utf8(box.Caption) + ": " + Utf8(box.Text);
  boxes_.Shown.clear();
  return all;
}

std::vector<QString> Lines(const QListWidget* list) {
  std::vector<QString> lines;
  for (int i = 0; i < list->count(); ++i) lines.push_back(list->item(i)->text());
  return lines;
}

QString Cell(const QTableWidget* grid, int row, int col) {
  auto* item = grid->item(row, col);
  return item ? item->text() : QString();
}

QString Sum(const QTableWidget* grid, const char* key) {
  for (int row = 0; row < grid->rowCount(); ++row)
    if (Cell(grid, row, 0) == key) return Cell(grid, row, 1);
  ADD_FAILURE() << "no sums row " << key;
  return {};
}

std::string Utf8(const std::u16string& text) { return platform::Utf16ToUtf8(text); }

}  // namespace app::test

void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
