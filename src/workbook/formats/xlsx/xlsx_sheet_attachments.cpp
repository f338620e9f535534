#include "workbook/formats/xlsx/xlsx_sheet_attachments.h"

#include "platform/text_codec.h"
#include "workbook/formats/xlsx/xlsx_package.h"
#include "workbook/formats/xlsx/xlsx_part_claims.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/drawing.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

// The sheet's own column widths and row heights as read; columns and rows without one take the
// sheet's defaults.
TSheetPixelGrid StoredGrid(TExportWorkSheet& sheet) {
  TSheetPixelGrid grid;
  if (sheet.Cols.DefaultWidth >= 0) grid.DefaultColWidth = sheet.Cols.DefaultWidth;
  grid.DefaultRowHeight = TCustomExporter::GetDefaultRowHeight(sheet, true);
  grid.ColWidths.assign(sheet.Cols.Count(), -1);
  for (int i = 0; i < sheet.Cols.Count(); ++i)
    if (const TExportCol* col = sheet.Cols.FindCol(i)) grid.ColWidths[i] = col->Width;
  grid.RowHeights.assign(sheet.Rows.Count(), -1);
  for (int i = 0; i < sheet.Rows.Count(); ++i)
    if (const TExportRow* row = sheet.Rows.PeekItem(i); row && row->HeightMode == 0)
      grid.RowHeights[i] = row->Height;
  return grid;
}

}  // namespace

void ReadXLSXSheetAttachments(TXLSXPackage& package, TZipArchive& zip, TExportWorkSheet& sheet,
                              const std::string& sheetPart, TXLSXPartClaims& claims,
                              const IThemeColors* theme, const IColorPalette* palette) {
  std::string drawing, comments, vml;
  // The last relationship of each kind wins.
  for (const TXLSXRelationship& rel : package.ReadRelationships(sheetPart)) {
    if (rel.External) continue;
    const std::string target = TXLSXPackage::ResolveTarget(sheetPart, rel.Target);
    if (rel.Type == "drawing")
      drawing = target;
    else if (rel.Type == "comments")
      comments = target;
    else if (rel.Type == "vmlDrawing")
      vml = target;
  }
  for (const std::string* part : {&drawing, &comments, &vml})
    if (!part->empty()) claims.Claim(*part);

  if (!drawing.empty()) {
    TXmlDocument drawingDoc, relsDoc;
    if (package.LoadPart(drawing, drawingDoc) &&
        package.LoadPart(TXLSXPackage::RelationshipsPartOf(drawing), relsDoc)) {
      ReadXLSXDrawingPart(sheet, drawingDoc.DocumentElement(), relsDoc.DocumentElement(),
                          platform::Utf8ToUtf16(drawing), zip, StoredGrid(sheet), theme);
    }
  }

  if (!comments.empty()) {
    // Comments without their VML part keep their text; only the boxes take the defaults.
    TXmlDocument commentsDoc, vmlDoc;
    if (package.LoadPart(comments, commentsDoc)) {
      const bool hasVml = !vml.empty() && package.LoadPart(vml, vmlDoc);
      ReadXLSXComments(sheet, commentsDoc.DocumentElement(),
                       hasVml ? vmlDoc.DocumentElement() : TXmlNode(), theme, palette);
    }
  }
}

}  // namespace workbook
