#include "workbook/formats/xlsx/xlsx_sheet_attachments.h"

#include "platform/text_codec.h"
#include "workbook/formats/xlsx/xlsx_package.h"
#include "workbook/formats/xlsx/xlsx_part_claims.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/drawing.h"
#include "workbook/model/worksheet.h"

namespace workbook {

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
      // Column widths and row heights are not read yet: the default grid places the pictures.
      ReadXLSXDrawingPart(sheet, drawingDoc.DocumentElement(), relsDoc.DocumentElement(),
                          platform::Utf8ToUtf16(drawing), zip, TSheetPixelGrid(), theme);
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
