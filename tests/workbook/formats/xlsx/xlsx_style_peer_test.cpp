// Our SpreadsheetML fonts and borders as openpyxl reads them (what we read of other programs' fonts
// and borders is compared with openpyxl over the corpus).
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "workbook/formats/python_peer.h"
#include "workbook/formats/style_lines.h"
#include "workbook/formats/xml_test_support.h"
#include "workbook/model/cell_borders_list.h"
#include "workbook/model/font_list.h"
#include "workbook/model/style_test_support.h"

namespace workbook {
namespace {

using test::BorderLine;
using test::FontLine;
using test::kDescribeStyles;

TEST(StyleXlsxPeer, OpenpyxlReadsOurFontsAndBorders) {
  if (!test_support::PythonHasModules("openpyxl"))
    GTEST_SKIP() << "python3-openpyxl is not installed";
  TExportFontList fonts;
  TExportFont font;
  font.SetName(u"Calibri");
  font.SetSize(14);
  font.SetColor(0x3366FF);
  font.GetStyle() = {1, 2, 2, 1, 1};
  fonts.Add(font);
  font.GetStyle() = {2, 4, 1, 2, 2};
  fonts.Add(font);
  TExportCellBordersList borders;
  TExportCellBorders set;
  for (int i = 0; i < 4; ++i)
    set.GetBorder(i) = TExportCellBorder(static_cast<std::uint8_t>(1 + 3 * i), 0x00AA00);
  set.GetBorder(TExportCellBorders::bDiagonalUp) = TExportCellBorder(8, 0x0000FF);
  borders.Add(set);
  set.GetBorder(TExportCellBorders::bDiagonalDown) = TExportCellBorder(14, 0xFF0000);
  borders.Add(set);

  test::XmlScratch xml("styleSheet");
  xml.Root().SetAttr("xmlns",
                     std::string_view("http://schemas.openxmlformats.org/spreadsheetml/2006/main"));
  fonts.WriteXLSX(xml.Root().AddChild("fonts"));
  borders.WriteXLSX(xml.Root().AddChild("borders"));

  const std::string script = std::string(kDescribeStyles) + R"(
import sys
from openpyxl.styles.stylesheet import Stylesheet
from openpyxl.xml.functions import fromstring
sheet = Stylesheet.from_tree(fromstring(open(sys.argv[1], 'rb').read()))
for f in sheet.fonts: print(font_line(f))
for b in sheet.borders: print(border_line(b))
)";
  std::string expected;
  for (int i = 0; i < fonts.Count(); ++i) expected += FontLine(*fonts.GetItem(i)) + "\n";
  for (int i = 1; i < borders.Count(); ++i) expected += BorderLine(*borders.GetItem(i)) + "\n";
  const std::string output = test_support::RunPython(script, xml.Text());
  // Entry 0 of the border registry has unset lines, which openpyxl does not compare with ours.
  std::istringstream lines(output);
  std::string line, actual;
  int borderIndex = 0;
  while (std::getline(lines, line)) {
    if (line.rfind("border|", 0) == 0 && borderIndex++ == 0) continue;
    actual += line + "\n";
  }
  EXPECT_EQ(actual, expected) << output;
}

}  // namespace
}  // namespace workbook
