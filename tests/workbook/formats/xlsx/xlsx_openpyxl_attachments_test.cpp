// A package written by openpyxl with pictures, comments and defined names, loaded through our
// XLSX handler: openpyxl writes its drawings in the default namespace and places its parts in
// folders of its own, so none of them may depend on the prefixes or paths Excel uses.
#include <gtest/gtest.h>

#include <cmath>

#include "../python_peer.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/drawing.h"
#include "xlsx_test_support.h"

namespace workbook {
namespace {

// Column B is 30 characters wide and C 12; one picture sits in C3 by its size, the other spans
// from B2 to D4 with offsets (EMU of 9525 per pixel, as openpyxl counts).
const char* kWrite = R"(
import struct, zlib
from openpyxl import Workbook
from openpyxl.comments import Comment
from openpyxl.drawing.image import Image
from openpyxl.drawing.spreadsheet_drawing import TwoCellAnchor, AnchorMarker
from openpyxl.workbook.defined_name import DefinedName
def png(w, h):
    raw = b''.join(b'\x00' + b'\xff\x00\x00' * w for _ in range(h))
    def chunk(t, d):
        return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))
open('p.png', 'wb').write(png(40, 20))
wb = Workbook(); ws = wb.active; ws.title = 'Data'
ws['A1'] = 'x'; ws['B2'] = 3
ws.column_dimensions['B'].width = 30
ws.column_dimensions['C'].width = 12
ws.add_image(Image('p.png'), 'C3')
spanning = Image('p.png')
spanning.anchor = TwoCellAnchor(_from=AnchorMarker(col=1, row=1, colOff=95250, rowOff=0),
                                to=AnchorMarker(col=3, row=3, colOff=190500, rowOff=95250))
ws.add_image(spanning)
ws['A1'].comment = Comment('first note', 'me')
ws['E9'].comment = Comment('second', 'me')
wb.defined_names.append(DefinedName('Total', attr_text="Data!$B$2"))
wb.defined_names.append(DefinedName('Block', attr_text="Data!$A$1:$C$4"))
wb.save('o.xlsx')
print('ok')
)";

class XLSXOpenpyxlAttachmentsTest : public XLSXReaderTest {
 protected:
  void SetUp() override {
    XLSXReaderTest::SetUp();
    if (!test_support::PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
    StartWorkbookLibrary();
  }
  test_support::TScratchDir dir_;
};

TEST_F(XLSXOpenpyxlAttachmentsTest, PicturesCommentsAndNamesLoad) {
  if (test_support::RunPython(dir_, "import PIL\nprint('ok')") != "ok\n")
    GTEST_SKIP() << "python3-pil is not installed";
  ASSERT_EQ(test_support::RunPython(dir_, kWrite), "ok\n");
  TFileStream file(dir_.File("o.xlsx"), TFileMode::OpenRead);
  LoadStream(file);
  TExportWorkSheet& sheet = *Book->WorkSheets.GetItem(0);

  ASSERT_EQ(Book->Drawings.Count(), 2);  // openpyxl stores each picture as a part of its own
  TExportCell* cell = nullptr;
  ASSERT_TRUE(sheet.FindCell(2, 2, cell));
  ASSERT_NE(cell->DrawingsIfAny(), nullptr);
  const TClassRect& sized = cell->DrawingsIfAny()->GetItem(0)->Bounds;
  EXPECT_EQ(sized.GetWidth(), 40);
  EXPECT_EQ(sized.GetHeight(), 20);

  // The far corner lies on the sheet's own widths: B and C as read, plus the end offset.
  ASSERT_TRUE(sheet.FindCell(1, 1, cell));
  ASSERT_NE(cell->DrawingsIfAny(), nullptr);
  const TClassRect& spanned = cell->DrawingsIfAny()->GetItem(0)->Bounds;
  const double b = sheet.Cols.FindCol(1)->Width, c = sheet.Cols.FindCol(2)->Width;
  EXPECT_GT(b, c);
  EXPECT_EQ(spanned.Left, 10);
  EXPECT_EQ(spanned.Right, static_cast<int>(std::lround(b + c + 20)));

  ASSERT_TRUE(sheet.FindCell(0, 0, cell));
  ASSERT_NE(cell->CommentIfAny(), nullptr);
  EXPECT_EQ(cell->CommentIfAny()->GetText(), u"first note");
  ASSERT_TRUE(sheet.FindCell(4, 8, cell));
  ASSERT_NE(cell->CommentIfAny(), nullptr);
  EXPECT_EQ(cell->CommentIfAny()->GetText(), u"second");

  const TExportRange* range = nullptr;
  ASSERT_TRUE(Book->NamedCells.FindName(u"Total", range));
  EXPECT_EQ(range->WorkSheet, &sheet);
  EXPECT_EQ(range->Col, 1);
  EXPECT_EQ(range->Row, 1);
  ASSERT_TRUE(Book->NamedCells.FindName(u"Block", range));
  EXPECT_EQ(range->ColCount, 3);
  EXPECT_EQ(range->RowCount, 4);
}

}  // namespace
}  // namespace workbook
