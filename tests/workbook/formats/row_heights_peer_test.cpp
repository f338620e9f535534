// Rows of automatic height stay automatic and rows of a custom height keep it, from a file an
// independent writer made (openpyxl, xlwt) through our reader and each of our writers, as the
// peers read the result: openpyxl the .xlsx, xlrd the .xls, and LibreOffice, which converts our
// .ods to an .xlsx.
#include <gtest/gtest.h>

#include <string>

#include "../model/model_fixture.h"
#include "platform/text_codec.h"
#include "python_peer.h"
#include "workbook/formats/exporter_registry.h"
#include "workbook/formats/library_start.h"
#include "workbook/model/custom_exporter.h"

namespace workbook {
namespace {

using test_support::RunPeer;

const std::string kPeer = "workbook/formats/peers/row_heights.py";

class RowHeightsPeerTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    if (!test_support::PythonHasModules("openpyxl, xlrd, xlwt"))
      GTEST_SKIP() << "/usr/bin/python3 with openpyxl, xlrd and xlwt is not installed";
    StartWorkbookLibrary();
  }

  // The rows as a peer reads them after the file the peer made as source went through our reader
  // and the writer of target's extension.
  std::string Trip(const std::string& source, const std::string& target) {
    const std::string in = dir_.File("in." + source);
    RunPeer(kPeer, {"make-" + source, in});
    TWorkbook book;
    book.ShowProgress = false;
    book.LoadFromFile(platform::Utf8ToUtf16(in));
    TCustomExporter* writer = nullptr;
    EXPECT_TRUE(FindExporterForFile(platform::Utf8ToUtf16(target), writer));
    TMemoryStream bytes;
    writer->ExportToStream(bytes, book);
    const std::string out = dir_.File(target);
    bytes.SaveToFile(out);
    if (target.ends_with(".xls")) return RunPeer(kPeer, {"xls", out});
    if (target.ends_with(".xlsx")) return RunPeer(kPeer, {"xlsx", out});
    return RunPeer(kPeer, {"xlsx", test_support::ConvertWithLibreOffice(dir_, out, "xlsx")});
  }

  test_support::TScratchDir dir_;
};

TEST_F(RowHeightsPeerTest, AutomaticRowsStayAutomaticThroughEveryWriter) {
  const bool office = test_support::LibreOfficeAvailable();
  for (const std::string source : {"xlsx", "xls"})
    for (const std::string target : {"out.xlsx", "out.xls", "out.ods"}) {
      if (target.ends_with(".ods") && !office) continue;
      SCOPED_TRACE(source + " -> " + target);
      EXPECT_EQ(Trip(source, target),
                "1\tauto\n"
                "2\t30\n"
                "3\tauto\n");
    }
}

}  // namespace
}  // namespace workbook
