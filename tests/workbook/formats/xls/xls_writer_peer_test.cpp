// Workbooks written by the XLS writer, read back by python3-xlrd and olefile (independent peers)
// and by our own reader.
#include <gtest/gtest.h>

#include <string>

#include "../../model/model_fixture.h"
#include "../python_peer.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/xls/xls_exporter.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/workbook.h"
#include "workbook/model/worksheet.h"

namespace workbook {
namespace {

using test_support::RunPython;
using test_support::TScratchDir;

class XLSWriterPeerTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    if (!test_support::PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
    StartWorkbookLibrary();
    Book = std::make_unique<TWorkbook>();
  }

  void Write() {
    TMemoryStream stream;
    TExporterXLS exporter;
    exporter.ExportToStream(stream, *Book);
    stream.SaveToFile(dir_.File("out.xls"));
  }

  std::string Python(const std::string& script) { return RunPython(dir_, script); }

  std::unique_ptr<TWorkbook> Book;
  TScratchDir dir_;
};

TEST_F(XLSWriterPeerTest, Date1904WritesDateMode) {
  Book->Date1904 = true;
  auto* date = static_cast<TExportCellDateTime*>(
      Book->AddWorkSheet(u"S")->AddRow()->AddCell(TCellClass::DateTime));
  date->SetValue(45000);
  Write();
  EXPECT_EQ(Python(R"py(
import xlrd
b = xlrd.open_workbook('out.xls')
print(b.datemode, xlrd.xldate_as_tuple(b.sheet_by_index(0).cell_value(0, 0), b.datemode))
)py"),
            "1 (2023, 3, 15, 0, 0, 0)\n");
}

// Rows added by event are freed once written: what the sheet's tail needs must outlive them.
TEST_F(XLSWriterPeerTest, MergesAndLinksOfRowsWrittenByEventReachXlrd) {
  Book->WriteRowsByEvent = true;
  TExportWorkSheet* sheet = Book->AddWorkSheet(u"S");
  sheet->OnAddRow = [](TWorkbook&, TCustomExporter&, TExportWorkSheet& target, int r) {
    if (r >= 300) return;
    TExportRow* row = target.AddRow();
    const std::string n = std::to_string(r);
    row->AddCellString(u"link " + std::u16string(n.begin(), n.end()))
        ->SetHyperlink(u"https://example.org/" + std::u16string(n.begin(), n.end()));
    row->AddCellNumber(r, 0);
    if (r % 100 == 0) row->AddCellString(u"wide")->SetColSpan(2);
  };
  Write();
  EXPECT_EQ(Python(R"py(
import xlrd
s = xlrd.open_workbook('out.xls', formatting_info=True).sheet_by_index(0)
print(s.nrows, sorted(s.merged_cells))
links = s.hyperlink_list
print(len(links), all(l.url_or_path.rstrip('\0') == 'https://example.org/%d' % l.frowx and
                      l.desc.rstrip('\0') == 'link %d' % l.frowx for l in links))
)py"),
            "300 [(0, 1, 2, 4), (100, 101, 2, 4), (200, 201, 2, 4)]\n"
            "300 True\n");
}

TEST_F(XLSWriterPeerTest, LoneSurrogatesBecomeReplacementCharacters) {
  // A strict UTF-16 reader refuses a cut surrogate pair; the file must still open.
  TExportRow* row = Book->AddWorkSheet(std::u16string{u'S', char16_t{0xDC00}})->AddRow();
  row->AddCellString(std::u16string{u'a', char16_t{0xD800}, u'b'});
  row->AddCellString(u"\U0001F600");
  Write();
  EXPECT_EQ(Python(R"py(
import xlrd
b = xlrd.open_workbook('out.xls')
s = b.sheet_by_index(0)
print(ascii(b.sheet_names()), ascii(s.row_values(0)))
)py"),
            "['S\\ufffd'] ['a\\ufffdb', '\\U0001f600']\n");
}

TEST_F(XLSWriterPeerTest, CellsBeyondTheFormatAreRefusedBeforeWriting) {
  struct Case {
    int col, row;
  };
  for (const Case c : {Case{256, 0}, Case{0, 65536}}) {
    TWorkbook book;
    TExportWorkSheet* sheet = book.AddWorkSheet(u"Big");
    sheet->FindCreateCell(c.col, c.row, TCellClass::Empty, false);
    TMemoryStream stream;
    try {
      TExporterXLS().ExportToStream(stream, book);
      ADD_FAILURE() << "written";
    } catch (const EWorkbookFileException& e) {
      EXPECT_EQ(std::string(e.what()),
                "The worksheet \"Big\" has cells beyond row 65536 or column 256, which an XLS "
                "(Excel 97-2003) file cannot hold.");
    }
    EXPECT_EQ(stream.Size(), 0);
  }
}

}  // namespace
}  // namespace workbook
