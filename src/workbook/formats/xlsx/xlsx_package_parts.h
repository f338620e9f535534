#pragma once
// The parts of an XLSX package the writer builds as fixed texts around the workbook's content:
// content types, relationships, the workbook part, document properties and the theme.
#include <string>
#include <vector>

namespace workbook {

class TWorkbook;

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
// Sheet names cut to 31 characters; a name met before gets " (2)", " (3)" ... within that limit,
// as the package may hold each name only once.
std::string XLSXWorkbookPart(TWorkbook& workbook);
std::string XLSXCoreProperties(const TWorkbook& workbook);
std::string XLSXAppProperties(const TWorkbook& workbook);
std::string XLSXTheme();

// The sheet names as the workbook part writes them: at most 31 characters, never blank, and
// unique without regard to letter case.
std::vector<std::u16string> XLSXSheetNames(TWorkbook& workbook);

}  // namespace workbook
