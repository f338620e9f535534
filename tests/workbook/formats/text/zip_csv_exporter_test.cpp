#include "workbook/formats/text/zip_csv_exporter.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/exporter_registry.h"
#include "workbook/formats/python_peer.h"
#include "workbook/formats/text/text_exporter.h"
#include "workbook/formats/text/text_test_support.h"
#include "workbook/formats/zip/zip_archive.h"

namespace workbook {
namespace {

using test_support::PythonAvailable;
using test_support::ReadFileBytes;
using test_support::RunPython;
using test_support::TScratchDir;
using test_support::WriteFileBytes;

class ZipCsvTest : public TextFormatsTest {
 protected:
  void SetUp() override {
    TextFormatsTest::SetUp();
    ASSERT_TRUE(FindRegisteredExporter(zipCsv_));
    ASSERT_TRUE(FindRegisteredExporter(excel_));
    separator_ = platform::Utf16ToUtf8(std::u16string(1, excel_->Separator));
  }

  // The archive a Python script wrote to in.zip.
  std::string MadeByPython(const std::string& script) {
    RunPython(dir_, "import zipfile\nz = zipfile.ZipFile('in.zip', 'w', zipfile.ZIP_DEFLATED)\n" +
                        script + "z.close()\n");
    const std::vector<std::uint8_t> bytes = ReadFileBytes(dir_.File("in.zip"));
    return std::string(bytes.begin(), bytes.end());
  }

  void ExpectFileError(const std::string& archive, const std::u16string& message) {
    try {
      Import(*zipCsv_, archive);
      ADD_FAILURE() << "no exception";
    } catch (const EWorkbookFileException& e) {
      EXPECT_EQ(e.Message(), message);
    }
  }

  TExporterZIPCSV* zipCsv_ = nullptr;
  TExporterCSVExcel* excel_ = nullptr;
  std::string separator_;
  TScratchDir dir_;
};

TEST_F(ZipCsvTest, TheInnerHandlerIsTheRegisteredCsvForExcel) {
  EXPECT_EQ(zipCsv_->InnerExporter(), excel_);
}

// The active sheet alone is written, as data.csv.
TEST_F(ZipCsvTest, WritesTheActiveSheetAsOneEntryDataCsvThatPythonReads) {
  if (!PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
  Book().AddWorkSheet(u"Other")->AddRow()->AddCellString(u"not this");
  TExportWorkSheet& active = *Book().AddWorkSheet(u"Active");
  active.AddRow()->AddCellString(u"\u010Dierny");
  active.AddRow();
  active.AddRow()->AddCellString(u"a\"b");
  const std::string archive = Export(*zipCsv_);
  WriteFileBytes(dir_.File("ours.zip"), std::vector<std::uint8_t>(archive.begin(), archive.end()));
  EXPECT_EQ(RunPython(dir_,
                      "import zipfile\n"
                      "z = zipfile.ZipFile('ours.zip')\n"
                      "print(z.testzip(), z.namelist())\n"
                      "print(z.read('data.csv').decode('cp1250'), end='')\n"),
            "None ['data.csv']\n\"\xC4\x8Dierny\"\r\n\r\n\"a\"\"b\"\r\n");
}

TEST_F(ZipCsvTest, TheFirstEntryWithAHandlerIsRead) {
  if (!PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
  const std::string archive = MadeByPython(
      "z.writestr('readme.xyz', 'not a table')\n"
      "z.writestr('dir/', '')\n"
      "z.writestr('dir/table.csv', 'a" +
      separator_ +
      "b\\r\\n\\u017e'.encode('cp1250'))\n"
      "z.writestr('later.csv', 'never read')\n");
  EXPECT_EQ(Import(*zipCsv_, archive), (TSheetTexts{{u"a", u"b"}, {u"\u017E"}}));
}

TEST_F(ZipCsvTest, AnEntryOfAnotherFormatIsReadByItsHandler) {
  if (!PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
  if (!test_support::PythonHasModules("openpyxl"))
    GTEST_SKIP() << "python3-openpyxl is not installed";
  const std::string archive = MadeByPython(
      "import io, openpyxl\n"
      "wb = openpyxl.Workbook()\n"
      "wb.active.append(['from', 'xlsx'])\n"
      "data = io.BytesIO()\n"
      "wb.save(data)\n"
      "z.writestr('book.xlsx', data.getvalue())\n");
  EXPECT_EQ(Import(*zipCsv_, archive), (TSheetTexts{{u"from", u"xlsx"}}));
}

// Entries no handler claims, and an archive inside the archive, which is not opened.
TEST_F(ZipCsvTest, NoEntryWithAHandlerIsAFileError) {
  if (!PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
  ExpectFileError(MadeByPython("z.writestr('readme.xyz', 'x')\nz.writestr('noext', 'y')\n"),
                  WorkbookLng_NoValidFileInZip);
  EXPECT_EQ(WorkbookLng_NoValidFileInZip,
            u"The zipped file does not contain any valid file that could be imported.");
  ExpectFileError(MadeByPython("import io\n"
                               "inner = io.BytesIO()\n"
                               "with zipfile.ZipFile(inner, 'w') as i:\n"
                               "    i.writestr('data.csv', 'a')\n"
                               "z.writestr('nested.zip', inner.getvalue())\n"),
                  WorkbookLng_NoValidFileInZip);
}

TEST_F(ZipCsvTest, ADamagedArchiveIsAFileError) {
  ExpectFileError("PK\x03\x04 this is no archive", WorkbookLng_InvalidZIP);
  ExpectFileError("", WorkbookLng_InvalidZIP);
  EXPECT_EQ(WorkbookLng_InvalidZIP, u"The file is not a valid ZIP file.");
}

TEST_F(ZipCsvTest, ADamagedEntryIsAFileError) {
  TMemoryStream stream;
  {
    TZipArchive zip(stream, TZipArchiveMode::Create);
    TMemoryStream content = StreamOf(std::string(4000, 'a') + "tail");
    zip.AddFile(u"data.csv", content);
  }
  std::string archive = stream.AsString();
  // Spoil the deflated data just after the 30-byte local header and the 8-byte name.
  for (std::size_t i = 38; i < 44; ++i) archive[i] = static_cast<char>(~archive[i]);
  ExpectFileError(archive, WorkbookLng_InvalidZIP);
}

}  // namespace
}  // namespace workbook
