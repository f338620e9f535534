#pragma once
// The parts of an XLSX package the writer builds as fixed texts around the workbook's content:
// content types, relationships, the workbook part, document properties and the theme.
#include <string>
#include <string_view>
#include <vector>

namespace workbook {

class TWorkbook;
class TZipArchive;

// One Relationship element of a relationships part (type: the whole relationship-type URI).
std::string XLSXRelationship(std::string_view id, std::string_view type, std::string_view target,
                             bool external);
// Adds text, UTF-8, as the part Name.
void AddXLSXTextPart(TZipArchive& zip, const std::u16string& name, const std::string& text);

// What the worksheets step wrote, for the parts that name other parts.
struct TXLSXPackageContents {
  int SheetCount = 0;
  bool CalcChainWritten = false;
  bool SharedStringsWritten = false;
  std::string SheetFileName = "sheet";                          // ".main+xml" content-type word
  std::vector<std::string> DrawingParts;                        // "/xl/drawings/drawing1.xml" ...
  std::vector<std::string> CommentsParts;                       // "/xl/comments1.xml" ...
  std::vector<std::pair<std::string, std::string>> MediaTypes;  // extension, MIME type
};

std::string XLSXContentTypes(const TXLSXPackageContents& contents);
std::string XLSXPackageRelationships();
std::string XLSXWorkbookRelationships(const TXLSXPackageContents& contents);
// The sheets under the names every writer writes (sheet_names.h), then the print areas, print
// titles and filter ranges of the sheets and the workbook's named cells as defined names, their
// references following the written names.
std::string XLSXWorkbookPart(TWorkbook& workbook);
std::string XLSXCoreProperties(const TWorkbook& workbook);
std::string XLSXAppProperties(const TWorkbook& workbook);
std::string XLSXTheme();

}  // namespace workbook
