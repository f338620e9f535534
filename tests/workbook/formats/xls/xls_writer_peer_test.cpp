// What the XLS writer does beyond one sheet's records: rows written by event, read back by
// python3-xlrd, and sheets too big for the format refused with the user's message.
#include <gtest/gtest.h>

#include <string>

#include "../python_peer.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/xls/xls_writer.h"
#include "workbook/formats/xlsx/xlsx_memory_stream_list.h"
#include "workbook/formats/zip/compression_stream.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "xls_book_fixture.h"
#include "xls_cell_dump.h"
#include "xls_test_support.h"

namespace workbook {
namespace {

using test_support::TScratchDir;
using XLSWriterPeerTest = xls_test::XlsBookTest;

// What the peer script prints of book written to a file.
std::string PeerReads(TWorkbook& book, const std::string& script) {
  TScratchDir dir;
  TMemoryStream stream;
  TExporterXLS().ExportToStream(stream, book);
  stream.SaveToFile(dir.File("out.xls"));
  return test_support::RunPeer(xls_test::kPeers + script, {dir.File("out.xls")});
}

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
  EXPECT_EQ(PeerReads(*book_, "event_rows_xlrd.py"),
            "300 [(0, 1, 2, 4), (100, 101, 2, 4), (200, 201, 2, 4)]\n"
            "300 True\n");
}

// A sheet goes into the output list in streams of 10,000 cells; held through the compression
// wrappers or not, the file is the same, and xlrd finds every sheet where BOUNDSHEET says.
TEST_F(XLSWriterPeerTest, SheetsInStreamsOfTenThousandCellsMakeOneFile) {
  for (const auto& [name, cells] : {std::pair{u"Big", 25000}, std::pair{u"Small", 3}}) {
    TExportWorkSheet* sheet = book_->AddWorkSheet(name);
    for (int i = 0; i < cells; ++i) {
      TExportRow* row =
          i % 10 == 0 ? sheet->AddRow() : sheet->Rows.GetItem(sheet->Rows.Count() - 1);
      if (i % 2 == 0)
        row->AddCellNumber(i, 0);
      else
        row->AddCellString(u"t" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)));
    }
  }
  TExporterXLS exporter;
  TExporterXLSX_MemoryStreamList list;
  XLSWriteWorkbookStream(list, *book_, exporter);
  // Head, globals, SST, EXTSST, EOF; the big sheet in three streams, the small one in one.
  EXPECT_EQ(list.Count(), 5 + 3 + 1);

  const bool saved = WorkbookCompressTempData;
  TScratchDir dir;
  std::vector<std::uint8_t> files[2];
  for (bool compress : {true, false}) {
    WorkbookCompressTempData = compress;
    TMemoryStream stream;
    exporter.ExportToStream(stream, *book_);
    files[compress] = stream.Data();
    stream.SaveToFile(dir.File(compress ? "held.xls" : "plain.xls"));
  }
  WorkbookCompressTempData = saved;
  EXPECT_EQ(files[true], files[false]);

  const xls_test::CellDump peer = xls_test::DumpWithXlrd({dir.File("held.xls")}).begin()->second;
  ASSERT_EQ(peer.failure, "");
  EXPECT_EQ(peer.sheets, (std::vector<std::string>{"Big", "Small"}));
  EXPECT_EQ(peer.cells.size(), 25003u);
  EXPECT_EQ(peer.cells.at({0, 2499, 8}), "24998");
  EXPECT_EQ(peer.cells.at({0, 2499, 9}), "tn");
  EXPECT_EQ(peer.cells.at({1, 0, 2}), "2");
}

// A record holds 8224 bytes: a long link keeps its URL whole as far as it fits, its display text
// taking the room left; xlrd reads every record.
TEST_F(XLSWriterPeerTest, LongLinksFitTheirRecords) {
  TExportWorkSheet* sheet = book_->AddWorkSheet(u"S");
  const std::u16string url = u"https://example.org/" + std::u16string(6000, u'u');
  for (const std::size_t length : {std::size_t{3000}, std::size_t{6020}}) {
    sheet->AddRow()
        ->AddCellString(std::u16string(length, u't'))
        ->SetHyperlink(url.substr(0, length));
  }
  EXPECT_EQ(PeerReads(*book_, "long_links_xlrd.py"),
            "0 3000 1070 True\n"
            "1 4070 0 True\n");
}

}  // namespace
}  // namespace workbook
