// Comments of an XLSX comments part and their boxes from the VML part.
#include "workbook/core/cell_refs.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/limits.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

// A 0-based position of x:Column or x:Row; -1 when it is no number or too large.
int Position(const TXmlNode& node, int limit) {
  const std::string_view text = node ? node.Text() : std::string_view();
  if (text.empty() || text.size() > 9) return -1;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value < limit ? value : -1;
}

}  // namespace

void ReadXLSXComments(TExportWorkSheet& sheet, const TXmlNode& commentsRoot,
                      const TXmlNode& vmlRoot, const IThemeColors* theme,
                      const IColorPalette* palette) {
  for (const TXmlNode& comment : commentsRoot.FindPath("commentList").Elements("comment")) {
    int col = 0, row = 0;
    if (!ParseCellRefColRow(comment.Attr16("ref"), col, row) || col < 0 || row < 0 ||
        col >= kMaxSheetCols || row >= kMaxSheetRows)
      continue;
    sheet.FindCreateCell(col, row, TCellClass::Empty, false)
        ->GetComment()
        .ReadXLSX(comment, theme, palette);
  }
  if (!vmlRoot) return;
  for (TXmlNode shape = vmlRoot.FirstElement(); shape; shape = shape.NextElement()) {
    if (shape.LocalName() != "shape" || shape.NamespaceURI() != kVMLNamespace) continue;
    const TXmlNode data = VMLChild(shape, kVMLExcelNamespace, "ClientData");
    const int col = Position(VMLChild(data, kVMLExcelNamespace, "Column"), kMaxSheetCols);
    const int row = Position(VMLChild(data, kVMLExcelNamespace, "Row"), kMaxSheetRows);
    TExportCell* cell = nullptr;
    if (col < 0 || row < 0 || !sheet.FindCell(col, row, cell) || !cell) continue;
    // Shapes of other kinds (form controls) name cells without a comment.
    if (TExportCellComment* comment = cell->CommentIfAny()) comment->ReadXLSXVml(shape);
  }
}

}  // namespace workbook
