// The import through the spreadsheet library on .xlsx and .xls workbooks that openpyxl and xlwt
// write at test time, and on the sample workbook of examples/.
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <fstream>

#include "app/statement/data.h"
#include "app/statement/settings_file.h"
#include "app/statement/settings_validation.h"
#include "app_fixture.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/python_peer.h"

namespace app::test {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

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
    WriteSettings(PlainSettings());
    Start();
    dialogs_.Answer(path);
    QTest::mouseClick(main_->LoadBtn, Qt::LeftButton);
    ASSERT_TRUE(boxes_.Shown.empty()) << Utf8(boxes_.Shown[0].Text);
    EXPECT_TRUE(Lines(main_->LogBox).empty()) << Lines(main_->LogBox).front().toStdString();
  }
};

// One peer run writes an .xlsx with openpyxl and an .xls with xlwt; each module that is missing
// leaves its file out.
const char kPeerBooks[] = R"(
import datetime
try:
    import openpyxl
    book = openpyxl.Workbook()
    a1 = book.active
    a1.title = "A1"
    a1.append(["Odb", "F", "Den", "Z", "D", "S", "Kopr"])
    a1.append(["SK1234567890", "F-1", datetime.date(2021, 3, 5), 1234.5, 246.9, 20, 1])
    a1.append(["SK1234567890", 77, "2021-03-06", "12,30", -2, "20"])
    a1.append([])
    a1.append(["ATU123", "F-4", datetime.datetime(2021, 2, 28), 0.1 + 0.2, 0, "19"])
    sv2 = book.create_sheet("SV2")
    sv2.append(["h"])
    sv2.append(["CZ12345678", "SK1234567890", "x", "X"])
    book.save("types.xlsx")
except ImportError:
    pass
try:
    import xlwt
    book = xlwt.Workbook()
    sheet = book.add_sheet("SV1")
    sheet.write(0, 0, "Odb")
    for r, (odb, z, kod) in enumerate([("CZ12345678", 1500, ""), ("DE123456789", 250.0, "2")], 1):
        sheet.write(r, 0, odb)
        sheet.write(r, 1, z)
        sheet.write(r, 2, kod)
    d1 = book.add_sheet("D1")
    d1.write(0, 0, "h")
    style = xlwt.easyxf(num_format_str="0.00")
    for c, v in enumerate([416.9, 145.27, 29.05, 219.62, 21.96]):
        d1.write(1, c, v, style)
    book.save("old.xls")
except ImportError:
    pass
)";

// The cells' value types (dates, numbers, texts) become the records' texts.
TEST_F(LibraryImport, WorkbooksOfThePeersImport) {
  if (!test_support::PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
  const test_support::TScratchDir peer;
  test_support::RunPython(peer, kPeerBooks);
  const std::string xlsx = peer.File("types.xlsx");
  const std::string xls = peer.File("old.xls");
  if (!std::filesystem::exists(xlsx) || !std::filesystem::exists(xls))
    GTEST_SKIP() << "/usr/bin/python3 lacks openpyxl or xlwt";

  Load(xlsx);
  ASSERT_EQ(Data.RowsA1.size(), 2u);
  const tDataA1& first = *Data.RowsA1[0];
  EXPECT_EQ(first.Den + " " + first.Z + " " + first.S + " " + first.Kopr, "2021-03-05 1234.5 20 1");
  const tDataA1& second = *Data.RowsA1[1];
  EXPECT_EQ(second.F + " " + second.Den + " " + second.Z + " " + second.D, "77 2021-03-06 12.3 -2");
  ASSERT_EQ(Data.RowsSV2.size(), 1u);
  EXPECT_EQ(Data.RowsSV2[0]->Vr + Data.RowsSV2[0]->Kopr, "10");
  const auto warnings = Lines(main_->LogBox2);
  for (const char* line : {"Vynechaný riadok č.4 v sekcií A1", "Vynechaný riadok č.5 v sekcií A1",
                           "Záporná hodnota D v riadku č.3 v sekcií A1"})
    EXPECT_NE(std::find(warnings.begin(), warnings.end(), U(line)), warnings.end()) << line;
  EXPECT_EQ(Sum(main_->SubtotalsList, "A1-Z"), U("1 246,80 €"));
  EXPECT_EQ(Cell(main_->StatsList, 4, 1), "4");

  Load(xls);
  ASSERT_EQ(Data.RowsSV1.size(), 2u);
  EXPECT_EQ(Data.RowsSV1[0]->Z, "1500");
  EXPECT_EQ(Data.RowsSV1[1]->Kod, "2");
  ASSERT_EQ(Data.RowsD1.size(), 1u);
  EXPECT_EQ(Data.RowsD1[0]->SumaObratov, "416.9");
  EXPECT_EQ(Sum(main_->SubtotalsList, "SV1-Z"), U("1 750,00 €"));
  EXPECT_EQ(Sum(main_->SubtotalsList, "D1-DZn"), U("21,96 €"));
  EXPECT_TRUE(KVDPH.InputLoaded);
}

TEST_F(LibraryImport, DamagedOrUnknownWorkbookIsShownAndNothingIsLoaded) {
  WriteSettings(PlainSettings());
  Start();
  std::ofstream(Path("broken.xlsx"), std::ios::binary) << "PK\x03\x04 not really a zip";
  std::ofstream(Path("book.xyz")) << "x";
  for (const char* name : {"broken.xlsx", "book.xyz"}) {
    boxes_.Shown.clear();
    dialogs_.Answer(Path(name));
    QTest::mouseClick(main_->LoadBtn, Qt::LeftButton);
    ASSERT_EQ(boxes_.Shown.size(), 1u) << name;
    EXPECT_EQ(boxes_.Shown[0].Icon, platform::TMsgIcon::Stop);
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
  ASSERT_TRUE(boxes_.Shown.empty()) << Utf8(boxes_.Shown[0].Text);
  EXPECT_EQ(ValidateSettingsValues(SettingsValuesFromData(Data)), "");

  dialogs_.Answer(Path("sample.xlsx"));
  QTest::mouseClick(main_->LoadBtn, Qt::LeftButton);
  ASSERT_TRUE(boxes_.Shown.empty()) << Utf8(boxes_.Shown[0].Text);
  EXPECT_TRUE(Lines(main_->LogBox).empty()) << Lines(main_->LogBox).front().toStdString();
  EXPECT_TRUE(Lines(main_->LogBox2).empty()) << Lines(main_->LogBox2).front().toStdString();
  for (int column = 1; column <= 12; ++column) {
    EXPECT_NE(Cell(main_->StatsList, 1, column), "0") << column;
    EXPECT_EQ(Cell(main_->StatsList, 3, column), "0") << column;
  }
  dialogs_.Answer(Path("kv"));
  QTest::mouseClick(main_->Export1Btn, Qt::LeftButton);
  dialogs_.Answer(Path("sv"));
  QTest::mouseClick(main_->Export2Btn, Qt::LeftButton);
  EXPECT_TRUE(std::filesystem::exists(Path("kv.xml")));
  EXPECT_TRUE(std::filesystem::exists(Path("sv.xml")));
  ASSERT_EQ(boxes_.Shown.size(), 1u);  // the control statement's result
  EXPECT_EQ(boxes_.Shown[0].Caption, u"Výsledok exportu XML");
}

}  // namespace
}  // namespace app::test
