#pragma once
// The namespaces of SpreadsheetML packages, in their transitional and strict forms.
#include <string_view>

namespace workbook {

inline constexpr std::string_view kXLSXMainNS =
    "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr std::string_view kXLSXStrictMainNS =
    "http://purl.oclc.org/ooxml/spreadsheetml/main";
inline constexpr std::string_view kXLSXRelationshipsNS =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr std::string_view kXLSXStrictRelationshipsNS =
    "http://purl.oclc.org/ooxml/officeDocument/relationships";

inline constexpr std::string_view kXLSXPackageRelationshipsNS =
    "http://schemas.openxmlformats.org/package/2006/relationships";
// The relationship types of the parts a package's parts refer to: this followed by "worksheet",
// "styles", "hyperlink", "drawing", "image" ...
inline constexpr std::string_view kXLSXRelationshipTypes =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

// An element of the spreadsheet vocabulary: the main namespace in either form, or none at all
// (parts some tools write without declaring it).
inline bool IsXLSXMainNS(std::string_view uri) {
  return uri.empty() || uri == kXLSXMainNS || uri == kXLSXStrictMainNS;
}

}  // namespace workbook
