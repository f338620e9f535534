#pragma once
// The namespaces of SpreadsheetML packages, in their transitional and strict forms.
#include <cstdint>
#include <cstring>
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

// Whether a text equals one of the namespaces above, compared a word at a time without a call:
// the sheet reader asks for every element of millions.
inline bool EqualsXLSXName(std::string_view text, std::string_view name) {
  if (text.size() != name.size()) return false;
  std::uint64_t difference = 0;
  std::size_t i = 0;
  for (; i + 8 <= name.size(); i += 8) {
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    std::memcpy(&a, text.data() + i, 8);
    std::memcpy(&b, name.data() + i, 8);
    difference |= a ^ b;
  }
  for (; i < name.size(); ++i) difference |= static_cast<unsigned char>(text[i] ^ name[i]);
  return difference == 0;
}

// An element of the spreadsheet vocabulary: the main namespace in either form, or none at all
// (parts some tools write without declaring it).
inline bool IsXLSXMainNS(std::string_view uri) {
  return uri.empty() || EqualsXLSXName(uri, kXLSXMainNS) || EqualsXLSXName(uri, kXLSXStrictMainNS);
}

}  // namespace workbook
