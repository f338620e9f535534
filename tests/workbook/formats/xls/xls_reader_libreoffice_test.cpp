// A .xls written by LibreOffice (from a workbook openpyxl builds) with a hyperlink, a defined
// name, ten conditional rules, page breaks and a print area, read by our reader.
#include <gtest/gtest.h>

#include "../../model/model_fixture.h"
#include "../python_peer.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/xls/xls_exporter.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/workbook.h"
#include "workbook/model/worksheet.h"

namespace workbook {
namespace {

class XLSLibreOfficeReadTest : public ModelTest {};

TEST_F(XLSLibreOfficeReadTest, LinksNamesRulesAndBreaksLoad) {
  if (!test_support::PythonAvailable() || !test_support::LibreOfficeAvailable())
    GTEST_SKIP() << "/usr/bin/python3 or LibreOffice is not installed";
  test_support::TScratchDir dir;
  test_support::RunPython(dir, R"py(
import openpyxl
from openpyxl.formatting.rule import CellIsRule
from openpyxl.styles import PatternFill
from openpyxl.workbook.defined_name import DefinedName
from openpyxl.worksheet.pagebreak import Break
b = openpyxl.Workbook()
s = b.active
s.title = 'S'
s['A1'] = 'link'
s['A1'].hyperlink = 'https://example.com/x'
for r in range(1, 11):
    s.cell(row=r, column=2, value=r)
    s.conditional_formatting.add('B%d' % r, CellIsRule(operator='greaterThan', formula=[str(r)],
                                 fill=PatternFill('solid', fgColor='FF0000')))
b.defined_names.append(DefinedName('Amount', attr_text='S!$B$2'))
s.row_breaks.append(Break(id=5))
s.col_breaks.append(Break(id=1))
s.print_area = 'A1:B10'
b.save('in.xlsx')
)py");
  const std::string xls =
      test_support::ConvertWithLibreOffice(dir, dir.File("in.xlsx"), "xls:MS Excel 97");
  StartWorkbookLibrary();
  TWorkbook book;
  TMemoryStream file;
  file.LoadFromFile(xls);
  TExporterXLS().ImportFromStream(file, book);
  TExportWorkSheet& sheet = *book.WorkSheets.GetItem(0);
  TExportCell* cell = nullptr;
  ASSERT_TRUE(sheet.FindCell(0, 0, cell));
  EXPECT_EQ(static_cast<TExportCellString*>(cell)->GetHyperlink(), u"https://example.com/x");
  const TExportRange* amount = nullptr;
  ASSERT_TRUE(book.NamedCells.FindName(u"Amount", amount));
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
