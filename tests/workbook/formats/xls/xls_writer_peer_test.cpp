// What the XLS writer does beyond one sheet's records: rows written by event, read back by
// python3-xlrd, and sheets too big for the format refused with the user's message.
#include <gtest/gtest.h>

#include <string>

#include "../python_peer.h"
#include "workbook/core/exceptions.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "xls_book_fixture.h"
#include "xls_test_support.h"

namespace workbook {
namespace {

using test_support::TScratchDir;
using XLSWriterPeerTest = xls_test::XlsBookTest;

// Rows added by event are freed once written: what the sheet's tail needs must outlive them.
TEST_F(XLSWriterPeerTest, MergesAndLinksOfRowsWrittenByEventReachXlrd) {
  book_->WriteRowsByEvent = true;
  TExportWorkSheet* sheet = book_->AddWorkSheet(u"S");
  sheet->OnAddRow = [](TWorkbook&, TCustomExporter&, TExportWorkSheet& target, int r) {
    if (r >= 300) return;
    TExportRow* row = target.AddRow();
    const std::string n = std::to_string(r);
    row->AddCellString(u"link " + std::u16string(n.begin(), n.end()))
        ->SetHyperlink(u"https://example.org/" + std::u16string(n.begin(), n.end()));
    row->AddCellNumber(r, 0);
    if (r % 100 == 0) row->AddCellString(u"wide")->SetColSpan(2);
  };
  TScratchDir dir;
  TMemoryStream stream;
  TExporterXLS().ExportToStream(stream, *book_);
  stream.SaveToFile(dir.File("out.xls"));
  EXPECT_EQ(test_support::RunPeer(xls_test::kPeers + "event_rows_xlrd.py", {dir.File("out.xls")}),
            "300 [(0, 1, 2, 4), (100, 101, 2, 4), (200, 201, 2, 4)]\n"
            "300 True\n");
}

}  // namespace
}  // namespace workbook
