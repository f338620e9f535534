// The import through the spreadsheet library on .xlsx, .ods and .xls workbooks that openpyxl,
// odfpy and xlwt write at test time (peers/import_books.py), and on the sample workbook of
// examples/.
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <fstream>

#include "app/statement/control_statement_xml.h"
#include "app/statement/data.h"
#include "app/statement/schema_check.h"
#include "app/statement/settings_file.h"
#include "app/statement/settings_validation.h"
#include "app_fixture.h"
#include "workbook/core/stream.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/python_peer.h"
#include "workbook/formats/xls/ole_storage.h"

namespace app::test {
namespace {

class LibraryImport : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    WorkbookFactory() = nullptr;  // the library's own workbook
    workbook::StartWorkbookLibrary();
  }
  void Load(const std::string& path) {
    Data = TData();
    KVDPH = TKVDPH();
    std::filesystem::current_path(dir_);  // the last open dialog's folder became current
    Start(PlainSettings());
    Choose(main_->LoadBtn, path);
    ASSERT_EQ(TakeBoxes(), "");
  }
  // The peers' workbooks, written once per test; skips when a peer is missing.
  std::string PeerBook(const std::string& name) {
    if (!test_support::PythonAvailable()) return "";
    if (!peer_) {
      peer_ = std::make_unique<test_support::TScratchDir>();
      test_support::RunPeer("app/ui/peers/import_books.py", {peer_->Path()});
    }
    const std::string path = peer_->File(name);
    return std::filesystem::exists(path) ? path : "";
  }
  std::unique_ptr<test_support::TScratchDir> peer_;
};

// Everything an import leaves for the exports and the window, as one text to compare.
std::string Imported(const TMainApp& app) {
  std::string text;
  for (const QListWidget* list : {app.LogBox, app.LogBox2})
    for (const QString& line : Lines(list)) text += line.toStdString() + "\n";
  for (int row = 1; row <= 4; ++row)
    for (int column = 1; column <= 12; ++column)
      text += Cell(app.StatsList, row, column).toStdString() + " ";
  for (const std::string& line : BuildControlStatement(TKVFormat::Format2021, Data))
    text += line + "\n";
  for (const auto& record : Data.RowsSV2) text += record->Odb + record->Vr + record->Kopr + "\n";
  return text;
}

// The cells' value types (dates, numbers, texts) become the records' texts.
TEST_F(LibraryImport, WorkbooksOfThePeersImport) {
  const std::string xlsx = PeerBook("types.xlsx");
  const std::string xls = PeerBook("old.xls");
  if (xlsx.empty() || xls.empty()) GTEST_SKIP() << "/usr/bin/python3 with openpyxl and xlwt needed";

  Load(xlsx);
  // A date at midnight is a date; one with a time of day is not.
  EXPECT_EQ(Lines(main_->LogBox),
            std::vector<QString>{U("Neplatný údaj Den v riadku č.6 v sekcií A1")});
  ASSERT_EQ(Data.RowsA1.size(), 4u);
  EXPECT_EQ(Data.RowsA1[3]->Den, "2021-03-10");
  const tDataA1& first = *Data.RowsA1[0];
  EXPECT_EQ(first.Den + " " + first.Z + " " + first.S + " " + first.Kopr, "2021-03-05 1234.5 20 1");
  const tDataA1& second = *Data.RowsA1[1];
  EXPECT_EQ(second.F + " " + second.Den + " " + second.Z + " " + second.D, "77 2021-03-06 12.3 -2");
  ASSERT_EQ(Data.RowsSV2.size(), 1u);
  EXPECT_EQ(Data.RowsSV2[0]->Vr + Data.RowsSV2[0]->Kopr, "10");
  // The empty row counts: the refused rate is on the sheet's fifth row.
  const auto warnings = Lines(main_->LogBox2);
  EXPECT_NE(std::find(warnings.begin(), warnings.end(), U("Vynechaný riadok č.5 v sekcií A1")),
            warnings.end());

  Load(xls);
  EXPECT_TRUE(Lines(main_->LogBox).empty());
  ASSERT_EQ(Data.RowsSV1.size(), 2u);
  EXPECT_EQ(Data.RowsSV1[0]->Z, "1500");
  EXPECT_EQ(Data.RowsSV1[1]->Kod, "2");
  ASSERT_EQ(Data.RowsD1.size(), 1u);
  EXPECT_EQ(Data.RowsD1[0]->SumaObratov, "416.9");
}

// The same sheets as .ods: the same records, lists and counts, dates and numbers included.
TEST_F(LibraryImport, OdsCopyImportsLikeTheXlsx) {
  const std::string xlsx = PeerBook("types.xlsx");
  const std::string ods = PeerBook("types.ods");
  if (xlsx.empty() || ods.empty())
    GTEST_SKIP() << "/usr/bin/python3 with openpyxl and odfpy needed";
  Load(xlsx);
  const std::string expected = Imported(*main_);
  ASSERT_EQ(Data.RowsA1.size(), 4u);
  Load(ods);
  EXPECT_EQ(Imported(*main_), expected);
}

// What openpyxl writes of large amounts, a formula's binary noise and short date forms goes out
// in the forms the authority's schema takes: numbers read as the library gives them (15 digits,
// as the spreadsheet shows them), texts to the cent.
TEST_F(LibraryImport, AmountsAndDatesOfAWorkbookGoOutAsTheSchemaTakesThem) {
  const std::string book = PeerBook("amounts.xlsx");
  if (book.empty()) GTEST_SKIP() << "/usr/bin/python3 with openpyxl needed";
  if (AuthorityDir().empty())
    GTEST_SKIP() << "the tax authority's schemas are not at " << SHARED_DIR << "/authority";
  Start(PlainSettings());
  main_->RadioButton6->click();  // the 2016 format
  Choose(main_->LoadBtn, book);
  ASSERT_TRUE(Lines(main_->LogBox).empty()) << Lines(main_->LogBox).front().toStdString();
  TakeBoxes();
  Choose(main_->Export1Btn, Path("kv"));
  const std::string document = ReadFileBytes(Path("kv.xml"));
  const auto violations = SchemaViolations(AuthorityDir() + "/kv_dph_2016.xsd", document);
  EXPECT_TRUE(violations.empty()) << DescribeViolations(violations) << document;
  EXPECT_NE(document.find("<A1 Odb=\"SK1234567890\" F=\"F-1\" Den=\"2014-01-04\" "
                          "Z=\"1000000000000000\" D=\"200000000000000\" S=\"20\"/>"),
            std::string::npos);
  EXPECT_NE(document.find("F=\"F-2\" Den=\"2014-01-17\" Z=\"165357.3\" D=\"0.2\""),
            std::string::npos);
  EXPECT_NE(document.find("F=\"F-3\" Den=\"2014-01-17\" Z=\"12345678901234.56\" "
                          "D=\"9999999999999998\""),
            std::string::npos);
}

TEST_F(LibraryImport, DamagedOrUnknownWorkbookIsShownAndNothingIsLoaded) {
  Start(PlainSettings());
  std::ofstream(Path("broken.xlsx"), std::ios::binary) << "PK\x03\x04 not really a zip";
  std::ofstream(Path("book.xyz")) << "x";
  for (const char* name : {"broken.xlsx", "book.xyz"}) {
    Choose(main_->LoadBtn, Path(name));
    EXPECT_TRUE(TakeBoxes().starts_with("[Stop] KVDPH: ")) << name;
    EXPECT_FALSE(KVDPH.InputLoaded);
    EXPECT_TRUE(main_->RadioButton9->isEnabled()) << "the choices stay open";
  }
}

// The run command's folder: its settings pass the settings window's checks and its workbook
// imports without errors into every section, ready for both exports.
TEST_F(LibraryImport, ExampleFolderImportsCleanlyAndExports) {
  const std::filesystem::path examples = std::filesystem::path(SOURCE_DIR) / "examples";
  for (const char* name : {"settings.ini", "sample.xlsx"})
    std::filesystem::copy_file(examples / name, dir_ / name);
  Start();
  ASSERT_EQ(TakeBoxes(), "");
  EXPECT_EQ(ValidateSettingsValues(SettingsValuesFromData(Data)), "");

  Choose(main_->LoadBtn, Path("sample.xlsx"));
  ASSERT_EQ(TakeBoxes(), "");
  EXPECT_TRUE(Lines(main_->LogBox).empty()) << Lines(main_->LogBox).front().toStdString();
  EXPECT_TRUE(Lines(main_->LogBox2).empty()) << Lines(main_->LogBox2).front().toStdString();
  for (int column = 1; column <= 12; ++column) {
    EXPECT_NE(Cell(main_->StatsList, 1, column), "0") << column;
    EXPECT_EQ(Cell(main_->StatsList, 3, column), "0") << column;
  }
  Choose(main_->Export1Btn, Path("kv"));
  Choose(main_->Export2Btn, Path("sv"));
  EXPECT_TRUE(std::filesystem::exists(Path("kv.xml")));
  EXPECT_TRUE(std::filesystem::exists(Path("sv.xml")));
  EXPECT_TRUE(TakeBoxes().starts_with("[None] Výsledok exportu XML: "));
}

// The shared-string table's failure is no workbook exception, yet the import shows its message
// like any other.
TEST_F(LibraryImport, DamagedSharedStringsAreShownWithTheirMessage) {
  Start(PlainSettings());
  // Globals whose SST promises a 5-character string and holds 2, with no CONTINUE after it.
  const std::vector<std::uint8_t> records = {
      0x09, 0x08, 0x10, 0x00, 0x00, 0x06, 0x05, 0x00, 0, 0, 0, 0, 0, 0, 0, 0,   0,
      0,    0,    0,                                                                  // BOF
      0xFC, 0x00, 0x0D, 0x00, 1,    0,    0,    0,    1, 0, 0, 0, 5, 0, 0, 'a', 'b',  // SST
      0x0A, 0x00, 0x00, 0x00};                                                        // EOF
  workbook::TMemoryStream data(records);
  workbook::TMemoryStream file;
  workbook::TOleStorage::WriteStorage(file, data, u"Workbook");
  file.SaveToFile(Path("strings.xls"));
  Choose(main_->LoadBtn, Path("strings.xls"));
  EXPECT_EQ(TakeBoxes(), "[Stop] KVDPH: Expected CONTINUE not found.");
  EXPECT_FALSE(KVDPH.InputLoaded);
}

}  // namespace
}  // namespace app::test
