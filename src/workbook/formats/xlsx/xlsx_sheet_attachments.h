#pragma once
// The pictures and comments of one worksheet part, found through the part's relationships.
#include <string>

#include "workbook/core/color_sources.h"

namespace workbook {

class TExportWorkSheet;
class TXLSXPackage;
class TXLSXPartClaims;
class TZipArchive;

// Reads the sheet's drawing part (pictures) and comments part with its VML part (boxes), when
// the relationships name them and they exist; missing parts are passed over. Each part is
// claimed first, so no two sheets read the same one.
void ReadXLSXSheetAttachments(TXLSXPackage& package, TZipArchive& zip, TExportWorkSheet& sheet,
                              const std::string& sheetPart, TXLSXPartClaims& claims,
                              const IThemeColors* theme, const IColorPalette* palette);

}  // namespace workbook
