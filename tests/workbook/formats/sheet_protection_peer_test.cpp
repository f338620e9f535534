// Sheet passwords as the other programs check them: LibreOffice unprotects each sheet we wrote
// with the password typed in, and openpyxl hashes the password as we did.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/text_codec.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/python_peer.h"
#include "workbook/formats/xls/xls_exporter.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/model_fixture.h"

namespace workbook {
namespace {

using test_support::TScratchDir;

// openpyxl's hash agrees with the published verifier only up to this length: from the next
// character on it keeps bits beyond 16.
constexpr std::size_t kOpenpyxlLongest = 23;

// Sheets named after their password's length, each holding its password in A1, and a last sheet
// "wrong" whose A1 is not its password, so an oracle that unprotects anything is caught.
class SheetProtectionPeerTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    StartWorkbookLibrary();
    book_ = std::make_unique<TWorkbook>();
    for (std::size_t length : {1, 8, 15, 16, 23, 24, 25, 32, 40, 255}) {
      std::u16string password;
      // Every printable character takes part, the high bits of each too.
      for (std::size_t i = 0; i < length; ++i) password += char16_t(u'!' + (i * 7 + length) % 94);
      Protect(u"L" + platform::Utf8ToUtf16(std::to_string(length)), password, password);
    }
    Protect(u"wrong", u"not the password", u"password");
  }
  void Protect(const std::u16string& name, const std::u16string& shown,
               const std::u16string& password) {
    TExportWorkSheet* sheet = book_->AddWorkSheet(name);
    sheet->GetRow(0)->AddCellString(shown);
    sheet->Protection.Protected = true;
    sheet->Protection.Password = password;
  }
  std::string Save(TCustomExporter& exporter, const std::string& name) {
    TMemoryStream stream;
    exporter.ExportToStream(stream, *book_);
    stream.SaveToFile(dir_.File(name));
    return dir_.File(name);
  }
  std::string UnprotectWithLibreOffice(const std::string& file) {
    return test_support::RunLibreOfficeMacro(dir_, "workbook/formats/peers/unprotect_sheets.xba",
                                             "UnprotectSheets", {file});
  }

  static constexpr const char* kEverySheetButTheWrongOne =
      "L1 unprotected\nL8 unprotected\nL15 unprotected\nL16 unprotected\nL23 unprotected\n"
      "L24 unprotected\nL25 unprotected\nL32 unprotected\nL40 unprotected\nL255 unprotected\n"
      "wrong protected\n";

  std::unique_ptr<TWorkbook> book_;  // after the date and time formats are set
  TScratchDir dir_;
};

TEST_F(SheetProtectionPeerTest, LibreOfficeUnprotectsXlsxSheetsWithTheirPasswords) {
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  TExporterXLSX xlsx;
  EXPECT_EQ(UnprotectWithLibreOffice(Save(xlsx, "book.xlsx")), kEverySheetButTheWrongOne);
}

TEST_F(SheetProtectionPeerTest, LibreOfficeUnprotectsXlsSheetsWithTheirPasswords) {
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  TExporterXLS xls;
  EXPECT_EQ(UnprotectWithLibreOffice(Save(xls, "book.xls")), kEverySheetButTheWrongOne);
}

TEST_F(SheetProtectionPeerTest, OpenpyxlHashesPasswordsAsWeWroteThem) {
  if (!test_support::PythonHasModules("openpyxl"))
    GTEST_SKIP() << "python3-openpyxl is not installed";
  TExporterXLSX xlsx;
  const std::string output = test_support::RunPeer("workbook/formats/xlsx/peers/written_xlsx.py",
                                                   {Save(xlsx, "book.xlsx"), "protection"});
  int compared = 0;
  for (const std::string& line : test_support::SplitLines(output)) {
    // sheet, password length, the verifier in the file, openpyxl's hash of the password
    const std::vector<std::string> f = test_support::SplitTabs(line);
    ASSERT_EQ(f.size(), 4u) << line;
    if (f[0] == "wrong" || std::stoul(f[1]) > kOpenpyxlLongest) continue;
    EXPECT_EQ(f[2], f[3]) << line;
    ++compared;
  }
  EXPECT_EQ(compared, 5);
}

}  // namespace
}  // namespace workbook
