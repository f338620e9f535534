#pragma once
// The small parts of an ODS package, each as its whole UTF-8 text.
#include <string>

namespace workbook {

class TWorkbook;
struct TODSStyleRegistries;
class TXmlDocument;

// A document tree as part text: our declaration line, then the tree without libxml2's.
std::string ODSPartText(const TXmlDocument& document);

class THashedStrings;
class TXmlNode;
// One style:font-face per collected font name.
void WriteODSFontFaces(const TXmlNode& fontFaceDecls, const THashedStrings& fontFaces);

std::string ODSMetaPart(const TWorkbook& workbook);
// View settings: per sheet its cursor and panes, then the first sheet's zoom, grid and headers.
std::string ODSSettingsPart(const TWorkbook& workbook);
// The root entry, the pictures, then the four XML parts.
std::string ODSManifestPart(const TWorkbook& workbook);
// Font faces (Styles' and the default font's), the dash styles and the conditional-format
// styles, and per sheet its page layout and master page with header and footer.
std::string ODSStylesPart(TWorkbook& workbook, TODSStyleRegistries& styles);

}  // namespace workbook
