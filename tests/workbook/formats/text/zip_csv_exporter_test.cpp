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

  // Runs peers/zip_csv_archives.py on in.zip: the archive of a Kind it made, or its reading.
  std::string Peer(const std::string& kind) {
    const std::string out = test_support::RunPeer("workbook/formats/text/peers/zip_csv_archives.py",
                                                  {kind, dir_.File("in.zip"), separator_});
    if (kind == "show") return out;
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
  WriteFileBytes(dir_.File("in.zip"), std::vector<std::uint8_t>(archive.begin(), archive.end()));
  EXPECT_EQ(Peer("show"), "None ['data.csv']\n\"\xC4\x8Dierny\"\r\n\r\n\"a\"\"b\"\r\n");
}

TEST_F(ZipCsvTest, TheFirstEntryWithAHandlerIsRead) {
  if (!PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
  const std::string archive = Peer("first-entry");
  EXPECT_EQ(Import(*zipCsv_, archive), (TSheetTexts{{u"a", u"b"}, {u"\u017E"}}));
}

TEST_F(ZipCsvTest, AnEntryOfAnotherFormatIsReadByItsHandler) {
  if (!PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
  if (!test_support::PythonHasModules("openpyxl"))
    GTEST_SKIP() << "python3-openpyxl is not installed";
  const std::string archive = Peer("xlsx-entry");
  EXPECT_EQ(Import(*zipCsv_, archive), (TSheetTexts{{u"from", u"xlsx"}}));
}

// Entries no handler claims, and an archive inside the archive, which is not opened.
TEST_F(ZipCsvTest, NoEntryWithAHandlerIsAFileError) {
  if (!PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
  ExpectFileError(Peer("no-handler"), WorkbookLng_NoValidFileInZip);
  EXPECT_EQ(WorkbookLng_NoValidFileInZip,
            u"The zipped file does not contain any valid file that could be imported.");
  ExpectFileError(Peer("nested"), WorkbookLng_NoValidFileInZip);
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
