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
#include "workbook/model/cell_comment.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/drawing.h"
#include "workbook/model/rich_text.h"

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
    Back = std::make_unique<TWorkbook>();
    TWorkbook& back = *Back;
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

  // A sheet with one of every feature the writer carries (see the peers' checks below).
  void BuildFeatureBook() {
    TExportWorkSheet* sheet = Book->AddWorkSheet(u"Data");
    TExportRow* row = sheet->AddRow();
    TExportCell* bold = row->AddCellString(u"Bold red");
    bold->GetStyle().GetFontForWrite().GetStyle().Bold = 1;
    bold->GetStyle().SetBGColor(RGBToColor(0xFF, 0x00, 0x00));
    bold->GetStyle().GetBordersForWrite().GetBorder(TExportCellBorders::bLeft).SetStyle(2);
    bold->GetComment().SetText(u"a note");
    TExportCell* amount = row->AddCellNumber(1234.5, 2);
    TExportConditionalFormattingRule::AddRule(amount->GetConditionalFormatting().Rules,
                                              cfoGreaterThan, u"1000", u"")
        ->FillColor = RGBToColor(0x00, 0xFF, 0x00);
    row->AddCell(TCellClass::Percent)->SetFormatCode(u"0%", true);
    static_cast<TExportCellCustomNumber*>(row->Cells[2])->SetValue(0.25);
    row->AddCell(TCellClass::Currency)->SetFormatCode(u"#,##0.00 [$\u20ac-41B]", true);
    static_cast<TExportCellCustomNumber*>(row->Cells[3])->SetValue(99.9);
    auto* date = static_cast<TExportCellDateTime*>(row->AddCell(TCellClass::DateTime));
    date->SetValue(45000);
    row->AddCellBoolean(true);
    TExportCell* formula = row->AddCellNumber(0, 0);
    formula->SetFormula(u"=B1*2");
    auto* rich = row->AddCellString(u"plain bold");
    TExportFont boldRun;
    boldRun.GetStyle().Bold = 1;
    rich->GetRichTextTags().AddTag(7, boldRun);

    TExportRow* tall = sheet->AddRow();
    tall->SetHeight(40);
    tall->AddCellString(u"merged");
    tall->Cells[0]->SetColSpan(3);
    tall->Cells[0]->SetRowSpan(2);
    sheet->AddRow()->AddCellString(u"under");
    TExportRow* hidden = sheet->AddRow();
    hidden->Hidden = true;
    hidden->AddCellString(u"hidden row");

    hidden->SetOutlineLevel(1);
    hidden->PageBreak = true;
    sheet->GetCol(6)->SetOutlineLevel(1);
    sheet->PageSettings.TitleRows.SetRows(0, 1);
    sheet->WindowSettings.AutoFilter.SetRange(0, 0, 3, 2);
    sheet->GetCol(1)->Width = 150;
    sheet->GetCol(5)->Hidden = true;
    sheet->PageSettings.Orientation = 1;
    sheet->Header.Center.SetText(u"Head");
    sheet->Footer.Right.SetText(u"Page [PAGENUMBER]");
    sheet->WindowSettings.Split.Col = 1;
    sheet->WindowSettings.Split.Row = 1;
    sheet->WindowSettings.TabColor = RGBToColor(0x00, 0x00, 0xFF);
    sheet->WindowSettings.Zoom = 150;
    sheet->WindowSettings.ShowGridLines = false;
    Book->Creator = u"\u00da\u010dtovn\u00edk";
    sheet->Protection.Protected = true;
    Book->NamedCells.AddCellRangeSpan(u"Amounts", sheet, 2, 1, 0, 1);

    Python(R"(
import struct, zlib
def chunk(t, d): return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d))
raw = b'\x00\xff\x00\x00' * 1
png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 1, 1, 8, 2, 0, 0, 0))
png += chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b'')
open('pic.png', 'wb').write(png)
)");
    TMemoryStream picture;
    const std::vector<std::uint8_t> bytes = test_support::ReadFileBytes(dir_.File("pic.png"));
    picture.WriteBuffer(bytes.data(), bytes.size());
    picture.SetPosition(0);
    const int image = Book->Drawings.AddImage(picture, u"pic.png");
    sheet->GetRow(2)->FindCreateCell(4, TCellClass::String, false)->AddDrawing(image, 5, 5, 40, 30);

    // Sheet names follow the rule of every writer; each sheet's header regions get text styles
    // of their own. C0 controls other than tab, LF and CR and U+FFFE/U+FFFF are dropped, a lone
    // surrogate becomes U+FFFD.
    for (const char16_t* name : {u"a/b:c", u"A/B:C", u"'quoted'"}) {
      TExportWorkSheet* other = Book->AddWorkSheet(name);
      other->AddRow()->AddCellString(std::u16string(u"a\x01"
                                                    u"b\xFFFE"
                                                    u"c") +
                                     char16_t(0xD800) + u"d\tz");
      other->Header.Left.SetText(name);
      other->Footer.Center.SetText(name);
    }
    Book->WorkSheets[2]->Header.Left.Font.SetSize(20);
  }

  std::unique_ptr<TWorkbook> Book;
  std::unique_ptr<TWorkbook> Back;  // the last round trip's workbook
  TScratchDir dir_;
};

TEST_F(ODSWriterPeerTest, LibreOfficeKeepsEveryFeature) {
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  BuildFeatureBook();
  test_support::ConvertWithLibreOffice(dir_, Write(), "xlsx");
  // Headless LibreOffice keeps no view settings: frozen panes are checked with python3-odf.
  EXPECT_EQ(
      Python(R"(
import openpyxl, re, zipfile
wb = openpyxl.load_workbook('lo_out/out.xlsx')
ws = wb['Data']
a = ws['A1']
print([c.value for c in ws[1]])
print([ws.cell(1, c).number_format for c in range(2, 6)])
print(a.font.b, a.fill.fgColor.rgb, a.border.left.style, a.comment.text.strip())
strings = zipfile.ZipFile('lo_out/out.xlsx').read('xl/sharedStrings.xml').decode()
print(re.search(r'<r><rPr><b[ /].*?<t[^>]*>bold</t></r>', strings) is not None,
      [str(r) for r in ws.merged_cells.ranges])
print(ws.column_dimensions['B'].width > 1.5 * ws.column_dimensions['A'].width,
      ws.column_dimensions['F'].hidden, ws.row_dimensions[2].height, ws.row_dimensions[4].hidden)
print(ws.page_setup.orientation, ws.oddHeader.center.text)
print(ws.sheet_properties.tabColor.rgb, ws.protection.sheet)
print(sorted({d.name for d in wb.defined_names.definedName}), len(ws._images), len(ws.conditional_formatting))
print(ws.print_title_rows, ws.auto_filter.ref, [b.id for b in ws.row_breaks.brk],
      ws.row_dimensions[4].outline_level, ws.column_dimensions['G'].outline_level)
)"),
      "['Bold red', 1234.5, 0.25, 99.9, datetime.datetime(2023, 3, 15, 0, 0), True, "
      "'=B1*2', 'plain bold']\n"
      "['0.00;\\\\-0.00', '0%;\\\\-0%', '#,##0.00\\\\ [$\u20ac];\\\\-#,##0.00\\\\ [$\u20ac]', "
      "'dd\\\\.mm\\\\.yyyy\\\\ hh:mm:ss']\n"
      "True FFFF0000 thin a note\n"
      "True ['A2:C3']\n"
      "True True 30.0 True\n"
      "landscape Head\n"
      "FF0000FF True\n"
      "['Amounts'] 1 1\n"
      "$1:$1 A1:C2 [3] 1 1\n");
}

// A name means its own sheet's cells wherever it is used: an address whose sheet is left
// relative (in either half) moves to the sheet of the formula using it.
TEST_F(ODSWriterPeerTest, NamesUsedOnAnotherSheetKeepTheirSheet) {
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  TExportWorkSheet* data = Book->AddWorkSheet(u"Data");
  for (int r = 0; r < 2; ++r) {
    TExportRow* row = data->AddRow();
    row->AddCellNumber(r * 2 + 1, 0);
    row->AddCellNumber(r * 2 + 2, 0);
  }
  Book->NamedCells.AddCellRangeSpan(u"Block", data, 2, 2, 0, 0);
  Book->NamedCells.AddCellRangeSpan(u"Columns", data, -1, 2, -1, 0);
  Book->NamedCells.AddCellRangeSpan(u"Rows", data, 2, -1, 0, -1);
  TExportRow* sums = Book->AddWorkSheet(u"Sums")->AddRow();
  for (const std::u16string name : {u"Block", u"Columns", u"Rows"})
    sums->AddCellNumber(0, 0)->SetFormula(u"=SUM(" + name + u")");
  test_support::ConvertWithLibreOffice(dir_, Write(), "xlsx");
  EXPECT_EQ(Python(R"(
import openpyxl
wb = openpyxl.load_workbook('lo_out/out.xlsx', data_only=True)
print(sorted((d.name, d.localSheetId, d.attr_text) for d in wb.defined_names.definedName))
print([c.value for c in wb['Sums'][1]])
)"),
            "[('Block', None, 'Data!$A$1:$B$2'), ('Columns', None, 'Data!$A:$B'), "
            "('Rows', None, 'Data!$1:$2')]\n"
            "[10, 10, 10]\n");
}

TEST_F(ODSWriterPeerTest, PythonOdfReadsTheFeatureBook) {
  BuildFeatureBook();
  Write();
  EXPECT_EQ(Python(R"(
from odf.opendocument import load
from odf.config import ConfigItem
from odf.table import Table, TableRow, TableCell
doc = load('out.ods')
t = doc.spreadsheet.getElementsByType(Table)[0]
print(t.getAttribute('name'), doc.getMediaType())
cells = t.getElementsByType(TableRow)[0].getElementsByType(TableCell)[:8]
print([c.getAttribute('valuetype') for c in cells])
print(cells[6].getAttribute('formula'), str(cells[7]))
settings = {}
for item in doc.settings.getElementsByType(ConfigItem):
    settings[item.getAttribute('name')] = str(item)
print(settings['HorizontalSplitPosition'], settings['VerticalSplitPosition'],
      settings['ZoomValue'], settings['ShowGrid'])
from odf.dc import Creator
print(ascii(str(doc.meta.getElementsByType(Creator)[0])))
print([t.getAttribute('name') for t in doc.spreadsheet.getElementsByType(Table)])
import zipfile, collections, xml.etree.ElementTree as ET
z = zipfile.ZipFile('out.ods')
first = z.infolist()[0]
print(first.filename, first.compress_type == zipfile.ZIP_STORED, ' '.join(z.namelist()[1:]))
S = '{urn:oasis:names:tc:opendocument:xmlns:style:1.0}'
for part in ('styles.xml', 'content.xml'):
    root = ET.fromstring(z.read(part))
    names = collections.Counter((e.tag, e.get(S + 'name')) for e in root.iter() if e.get(S + 'name'))
    print(part, [n for n, count in names.items() if count > 1])
table = list(root.iter('{urn:oasis:names:tc:opendocument:xmlns:table:1.0}table'))[1]
print(ascii(''.join(table.find('.//{urn:oasis:names:tc:opendocument:xmlns:text:1.0}p').itertext())))
)"),
            "Data application/vnd.oasis.opendocument.spreadsheet\n"
            "['string', 'float', 'percentage', 'currency', 'date', 'boolean', 'float', 'string']\n"
            "of:=[.B1]*2 plain bold\n"
            "1 1 150 false\n"
            "'\\xda\\u010dtovn\\xedk'\n"
            "['Data', 'a-b-c', 'A-B-C (2)', '-quoted-']\n"
            "mimetype True content.xml styles.xml meta.xml settings.xml META-INF/manifest.xml "
            "Pictures/Pic1.png\n"
            "styles.xml []\ncontent.xml []\n"
            "'abc\\ufffdd\\tz'\n");
  // The workbook keeps its own names once the file is written.
  EXPECT_EQ(Book->WorkSheets[2]->Name, u"A-B-C");
  EXPECT_EQ(Book->WorkSheets[3]->Name, u"'quoted'");
}

// Sums the table's repeats with Python's own XML parser: the sheet always totals 1024 columns
// and 1048576 rows, however many the model uses.
const char* kTableShape = R"(
import zipfile, xml.etree.ElementTree as ET
T = '{urn:oasis:names:tc:opendocument:xmlns:table:1.0}'
root = ET.fromstring(zipfile.ZipFile('out.ods').read('content.xml'))
table = root.find('.//' + T + 'table')
rep = lambda e, a: int(e.get(T + 'number-' + a + '-repeated', '1'))
print(sum(rep(c, 'columns') for c in table.iter(T + 'table-column')),
      sum(rep(r, 'rows') for r in table.iter(T + 'table-row')),
      [rep(r, 'rows') for r in table.iter(T + 'table-row')][-2:])
for r in list(table.iter(T + 'table-row'))[:3]:
    print(sum(rep(c, 'columns') for c in r),
          [rep(c, 'columns') for c in r if c.tag == T + 'covered-table-cell'])
)";

TEST_F(ODSWriterPeerTest, ThreeRowsAreFilledUpToTheWholeSheet) {
  TExportWorkSheet* sheet = Book->AddWorkSheet(u"S");
  sheet->AddRow()->AddCellString(u"a");
  TExportRow* spanned = sheet->AddRow();
  spanned->AddCellString(u"wide");
  spanned->Cells[0]->SetColSpan(4);
  sheet->AddRow()->AddCellNumber(3, 0);
  Write();
  // The spanned cell's three covered columns come as one repeated covered cell.
  EXPECT_EQ(Python(kTableShape), "1024 1048576 [1048572, 1]\n1024 []\n1024 [3]\n1024 []\n");
}

TEST_F(ODSWriterPeerTest, ACellInTheLastRowAndColumnLeavesNoEmptyRepeat) {
  TExportWorkSheet* sheet = Book->AddWorkSheet(u"S");
  sheet->GetRow(1048575)->FindCreateCell(1023, TCellClass::String, false);
  static_cast<TExportCellString*>(sheet->GetRow(1048575)->Cells[1023])->SetValue(u"corner");
  Write();
  EXPECT_EQ(Python(std::string(kTableShape) + R"(
print(min(rep(e, a) for a, tag in (('rows', 'table-row'), ('columns', 'table-column'),
                                   ('columns', 'table-cell')) for e in table.iter(T + tag)))
)"),
            "1024 1048576 [1048575, 1]\n1024 []\n1024 []\n1\n");
}

TEST_F(ODSWriterPeerTest, OurReaderReadsRepeatsSpansAndFormulasBack) {
  TExportWorkSheet* sheet = Book->AddWorkSheet(u"First");
  TExportRow* row = sheet->AddRow();
  row->AddCellString(u"wide");
  row->Cells[0]->SetColSpan(3);
  // A zero result is left out of the file; the formula must still come back.
  row->AddCellNumber(0, 0)->SetFormula(u"=SUM(A1:B2,C3)");
  row->AddCellNumber(0, 0)->SetFormula(u"=2*3");
  for (int i = 0; i < 3; ++i) sheet->AddRow();
  TExportRow* last = sheet->AddRow();
  last->AddCellString(u"after gap");
  last->AddCellBoolean(true);
  Book->AddWorkSheet(u"Empty");
  EXPECT_EQ(RoundTrip(), "[First]\nwide|||0|6\n\n\n\nafter gap|1\n[Empty]\n");
  EXPECT_EQ(Back->WorkSheets[0]->Rows[0]->Cells[3]->GetFormula(), u"=SUM(A1:B2,C3)");
}

}  // namespace
}  // namespace workbook
