#pragma once
// The pictures and comments of one worksheet part, found through the part's relationships.
#include <string>

#include "workbook/core/color_sources.h"

namespace workbook {

class TExportWorkSheet;
class TXLSXPackage;
class TXLSXPartClaims;
class TXmlNode;
class TZipArchive;
struct TSheetPixelGrid;

// Reads the sheet's drawing part (pictures) and comments part with its VML part (boxes), when
// the relationships name them and they exist; missing parts are passed over. Each part is
// claimed first, so no two sheets read the same one.
void ReadXLSXSheetAttachments(TXLSXPackage& package, TZipArchive& zip, TExportWorkSheet& sheet,
                              const std::string& sheetPart, TXLSXPartClaims& claims,
                              const IThemeColors* theme, const IColorPalette* palette);

// The pictures of an XLSX drawing part (drawingRoot, the wsDr element; relsRoot, the root of its
// relationships part, may be null) placed on sheet: each picture's data comes from zip under the
// image relationship's target resolved against DrawingPath's folder. Pictures whose data is
// missing, or whose anchor lies outside the sheet, are left out; the rest still load.
void ReadXLSXDrawingPart(TExportWorkSheet& sheet, const TXmlNode& drawingRoot,
                         const TXmlNode& relsRoot, const std::u16string& drawingPath,
                         TZipArchive& zip, const TSheetPixelGrid& grid,
                         const IThemeColors* theme = nullptr);

// The comments of an XLSX comments part (commentsRoot, the comments element) into Sheet's cells,
// then the boxes of the VML part's shapes (vmlRoot, its xml element) into the comments of the
// cells they name. References outside the sheet are left out; run colours resolve through theme
// and palette.
void ReadXLSXComments(TExportWorkSheet& sheet, const TXmlNode& commentsRoot,
                      const TXmlNode& vmlRoot, const IThemeColors* theme = nullptr,
                      const IColorPalette* palette = nullptr);

}  // namespace workbook
