// A .xls written by LibreOffice (from a workbook openpyxl builds) with a hyperlink, a defined
// name, ten conditional rules, page breaks and a print area, read by our reader.
#include <gtest/gtest.h>

#include "../python_peer.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/conditional_formatting.h"
#include "xls_book_fixture.h"
#include "xls_test_support.h"

namespace workbook {
namespace {

using XLSLibreOfficeReadTest = xls_test::XlsBookTest;

TEST_F(XLSLibreOfficeReadTest, LinksNamesRulesAndBreaksLoad) {
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  test_support::TScratchDir dir;
  test_support::RunPeer(xls_test::kPeers + "links_rules_openpyxl.py", {dir.File("in.xlsx")});
  const std::string xls =
      test_support::ConvertWithLibreOffice(dir, dir.File("in.xlsx"), "xls:MS Excel 97");
  LoadFile(xls);
  TExportWorkSheet& sheet = Sheet(0);
  TExportCell* cell = nullptr;
  ASSERT_TRUE(sheet.FindCell(0, 0, cell));
  EXPECT_EQ(static_cast<TExportCellString*>(cell)->GetHyperlink(), u"https://example.com/x");
  const TExportRange* amount = nullptr;
  ASSERT_TRUE(book_->NamedCells.FindName(u"Amount", amount));
  EXPECT_EQ(amount->Row, 1);
  int rules = 0;
  for (int r = 0; r < 10; ++r) {
    ASSERT_TRUE(sheet.FindCell(1, r, cell));
    if (const TExportConditionalFormatting* formatting = cell->ConditionalFormattingIfAny())
      rules += formatting->Count();
  }
  EXPECT_EQ(rules, 10);
  EXPECT_TRUE(sheet.GetRow(5)->PageBreak);
  EXPECT_TRUE(sheet.Cols.GetCol(1)->PageBreak);
  EXPECT_EQ(sheet.PageSettings.PrintArea.Row2(), 9);
}

}  // namespace
}  // namespace workbook
