// Texts kept at one byte a character (ASCII and the Slovak and Czech letters of Windows-1250)
// and texts kept at two (Latin-1 letters outside that code page, CJK, surrogate pairs), short
// and long, each cell's own or shared by several cells, written by every writer and read by the
// independent peers: openpyxl, xlrd, odfpy and Python's csv module.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../model/model_fixture.h"
#include "platform/text_codec.h"
#include "python_peer.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/ods/ods_exporter.h"
#include "workbook/formats/text/text_exporter.h"
#include "workbook/formats/xls/xls_exporter.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/packed_text.h"
#include "workbook/model/row.h"
#include "workbook/model/worksheet.h"

namespace workbook {
namespace {

using test_support::RunPeer;
using test_support::TScratchDir;

const std::u16string kTexts[] = {
    u"Košice, Žilina; ľščťžýáíéúäôňŕĺ",
    u"Příliš žluťoučký kůň úpěl ďábelské ódy",
    u"€ „úver“ – 5 ‰",
    u"Malmö Ærø ñandú Ångström",
    u"中文 テキスト",
    u"emoji \U0001F600 pair",
    std::u16string(150, u'č') + std::u16string(150, u'a'),
    std::u16string(299, u'ž') + u'ñ',
};

class TextFormsPeerTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    if (!test_support::PythonHasModules("openpyxl, xlrd, odf"))
      GTEST_SKIP() << "/usr/bin/python3 with openpyxl, xlrd and odf is not installed";
    StartWorkbookLibrary();
    book_ = std::make_unique<TWorkbook>();
    // Per text a row: the cell's own text, then two cells sharing one text, the second kept out
    // of the shared-string table where its length allows.
    TExportWorkSheet* sheet = book_->AddWorkSheet(u"Texts");
    for (const std::u16string& chars : kTexts) {
      TExportRow* row = sheet->AddRow();
      row->AddCellString(chars);
      const TPackedText shared(chars);
      for (int copy = 0; copy < 2; ++copy) {
        auto* cell = static_cast<TExportCellString*>(row->AddCell(TCellClass::String));
        cell->SetValueShared(shared);
        if (copy == 1) cell->SetSharedString(false);
      }
    }
  }

  std::string Written(TCustomExporter& writer, const std::string& kind) {
    TMemoryStream bytes;
    writer.ExportToStream(bytes, *book_);
    const std::string file = dir_.File("texts." + kind);
    bytes.SaveToFile(file);
    return RunPeer("workbook/formats/peers/cell_texts.py", {kind, file});
  }

  TScratchDir dir_;
  std::unique_ptr<TWorkbook> book_;
};

TEST_F(TextFormsPeerTest, EveryWriterKeepsTheCharacters) {
  std::string expected;
  for (const std::u16string& chars : kTexts)
    for (int cell = 0; cell < 3; ++cell) expected += platform::Utf16ToUtf8(chars) + "\n";
  TExporterXLSX xlsx;
  TExporterXLS xls;
  TExporterODS ods;
  TExporterCSVComma csv;
  EXPECT_EQ(Written(xlsx, "xlsx"), expected);
  EXPECT_EQ(Written(xls, "xls"), expected);
  EXPECT_EQ(Written(ods, "ods"), expected);
  EXPECT_EQ(Written(csv, "csv"), expected);
}

}  // namespace
}  // namespace workbook
