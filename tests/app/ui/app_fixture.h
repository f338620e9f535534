#pragma once
// The program's windows on scripted services, in a temporary current directory, over workbooks
// built in memory.
#include <gtest/gtest.h>

#include <QString>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/statement/import_workbook.h"
#include "app/statement/settings_file.h"
#include "app/statement/statement_fixture.h"
#include "app/ui/main_app.h"
#include "app/ui/message_form.h"
#include "app/ui/settings_form.h"
#include "support/scripted_services.h"

class QAbstractButton;
class QListWidget;
class QTableWidget;

namespace app::test {

// A worksheet: its name and its rows of cell value texts (UTF-8).
struct TFakeSheet {
  std::string Name;
  std::vector<std::vector<std::string>> Rows;
};

// The workbook the next load gives, by file name; a name without an entry raises the library's
// "no handler" failure.
struct TFakeFiles {
  std::map<std::string, std::vector<TFakeSheet>> Books;
  std::vector<std::string> Loaded;  // names asked for, in order
};

class TFakeWorkbook : public IImportWorkbook {
 public:
  explicit TFakeWorkbook(TFakeFiles& files) : files_(files) {}
  void LoadFromFile(const std::u16string& fileName) override;
  int SheetCount() const override { return static_cast<int>(sheets_.size()); }
  std::u16string SheetName(int sheet) const override;
  std::int64_t RowCount(int sheet) const override;
  std::int64_t CellCount(int sheet, std::int64_t row) const override;
  std::u16string CellText(int sheet, std::int64_t row, std::int64_t cell) const override;

 private:
  TFakeFiles& files_;
  std::vector<TFakeSheet> sheets_;
};

// Settings whose sheet of section S is named after S ("A1" ...), one heading row, the last row
// read, and the fields of every section in columns 1, 2, ... in record field order.
TSettingsValues PlainSettings();

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The three windows, created as the program does (after writing settings.ini).
  void Start();
  void Start(const TSettingsValues& values);
  void WriteSettings(const TSettingsValues& values);
  // Queues the file for the import's dialog and clicks the import.
  void Import(const std::string& name, const std::vector<TFakeSheet>& sheets);
  // Queues the answer of the file dialog the button opens (nullopt: cancelled) and clicks it.
  void Choose(QAbstractButton* button, std::optional<std::string> path);
  // The message boxes shown since the last call, each "[icon] caption: text" (UTF-8), joined by
  // new lines; empty when none was shown.
  std::string TakeBoxes();

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::filesystem::path dir_;

  platform::TScriptedDialogs dialogs_;
  platform::TRecordingMessageBoxes boxes_;
  platform::TRecordingShell shell_;
  platform::TScriptedConsole console_;
  std::unique_ptr<platform::TScriptedOsVersion> os_;
  platform::TCountingEventPump pump_;
  std::unique_ptr<platform::ISchemaValidator> validator_;
  std::unique_ptr<platform::TServicesScope> scope_;
  TFakeFiles files_;

  std::unique_ptr<TMainApp> main_;
  std::unique_ptr<TSettingsForm> settings_;
  std::unique_ptr<TMessageForm> wait_;

 private:
  std::filesystem::path savedDir_;
};

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }
std::vector<QString> Lines(const QListWidget* list);
QString Cell(const QTableWidget* grid, int row, int col);
// The sums list's value of a key.
QString Sum(const QTableWidget* grid, const char* key);
std::string Utf8(const std::u16string& text);

}  // namespace app::test

namespace app::test {

// One sheet per section, named after it, a heading row and then the rows of FullStatementRows
// (the statement behind the report goldens), every cell in record field order.
std::vector<TFakeSheet> GoldenWorkbook();
// PlainSettings with the goldens' taxpayer.
TSettingsValues GoldenSettings();

}  // namespace app::test

// Readable QString values in test failures.
void PrintTo(const QString& text, std::ostream* out);
