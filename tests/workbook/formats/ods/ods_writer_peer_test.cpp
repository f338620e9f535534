// Packages written by our ODS writer, opened by LibreOffice and python3-odf (the independent
// peers) and read back by our own reader.
#include <gtest/gtest.h>

#include <string>

#include "../../model/model_fixture.h"
#include "../python_peer.h"
#include "platform/text_codec.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/ods/ods_exporter.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"

namespace workbook {
namespace {

using test_support::RunPython;
using test_support::TScratchDir;

class ODSWriterPeerTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    if (!test_support::PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
    StartWorkbookLibrary();
    Book = std::make_unique<TWorkbook>();
  }

  // Writes Book to "out.ods" in the scratch folder.
  std::string Write() {
    TMemoryStream stream;
    TExporterODS exporter;
    exporter.ExportToStream(stream, *Book);
    const std::string file = dir_.File("out.ods");
    stream.SaveToFile(file);
    return file;
  }

  // Our reader's value texts of Book written and read back, a line per row, cells by "|".
  std::string RoundTrip() {
    TMemoryStream stream;
    TExporterODS exporter;
    exporter.ExportToStream(stream, *Book);
    stream.SetPosition(0);
    TWorkbook back;
    back.LoadFromStream(stream, exporter);
    std::string text;
    for (int s = 0; s < back.WorkSheets.Count(); ++s) {
      TExportWorkSheet& sheet = *back.WorkSheets[s];
      text += "[" + platform::Utf16ToUtf8(sheet.Name) + "]\n";
      for (int r = 0; r < sheet.Rows.Count(); ++r) {
        TExportRow& row = *sheet.Rows[r];
        for (int c = 0; c < row.Cells.Count(); ++c)
          text += (c ? "|" : "") + platform::Utf16ToUtf8(row.Cells[c]->GetValueText());
        text += "\n";
      }
    }
    return text;
  }

  std::string Python(const std::string& script) { return RunPython(dir_, script); }

  std::unique_ptr<TWorkbook> Book;
  TScratchDir dir_;
};

TEST_F(ODSWriterPeerTest, PackageOpensWithMimetypeFirstAndStored) {
  TExportRow* row = Book->AddWorkSheet(u"S")->AddRow();
  row->AddCellString(u"a");
  Write();
  EXPECT_EQ(Python(R"(
import zipfile
z = zipfile.ZipFile('out.ods')
first = z.infolist()[0]
print(first.filename, first.compress_type == zipfile.ZIP_STORED, z.read('mimetype').decode())
print(' '.join(z.namelist()))
)"),
            "mimetype True application/vnd.oasis.opendocument.spreadsheet\n"
            "mimetype content.xml styles.xml meta.xml settings.xml META-INF/manifest.xml\n");
}

TEST_F(ODSWriterPeerTest, LibreOfficeReadsTheValues) {
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  TExportRow* row = Book->AddWorkSheet(u"S")->AddRow();
  row->AddCellString(u"\u010dl\u00e1nok  a");
  row->AddCellNumber(-1234.5, 2);
  row->AddCellBoolean(false);
  test_support::ConvertWithLibreOffice(dir_, Write(), "xlsx");
  EXPECT_EQ(
      Python(R"(
import openpyxl
for c in openpyxl.load_workbook('lo_out/out.xlsx').active[1]: print(repr(c.value), c.number_format)
)"),
      "'\u010dl\u00e1nok  a' General\n-1234.5 0.00;\\-0.00\nFalse \"TRUE\";\"TRUE\";\"FALSE\"\n");
}

TEST_F(ODSWriterPeerTest, OurReaderReadsTheValuesBack) {
  TExportWorkSheet* sheet = Book->AddWorkSheet(u"S");
  TExportRow* row = sheet->AddRow();
  row->AddCellString(u"x");
  row->AddCellNumber(2.5, 1);
  sheet->AddRow();
  sheet->AddRow()->AddCellBoolean(true);
  EXPECT_EQ(RoundTrip(), "[S]\nx|2.5\n\n1\n");
}

}  // namespace
}  // namespace workbook
