#pragma once
// Finding the parts of an Office Open XML package: relationship parts, targets resolved against
// their source part, and part names looked up the way packages from any tool spell them.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/core/stream.h"
#include "workbook/core/xml/xml_document.h"

namespace workbook {

class TZipArchive;

struct TXLSXRelationship {
  std::string Id;
  std::string Type;  // the part after the relationship namespace ("worksheet", "hyperlink" ...)
  std::string Target;
  bool External = false;
};

class TXLSXPackage {
 public:
  explicit TXLSXPackage(TZipArchive& zip);

  // The entry of a part name: "/" and "\" alike, letter case ignored (part names are
  // case-insensitive); -1 when absent.
  int FindPart(std::string_view partName) const;
  // The part's bytes in a new memory stream, nullptr when absent; read to be parsed whole, so a
  // part beyond the load's MaxTreePartBytes is refused (EWorkbookFileException).
  std::unique_ptr<TMemoryStream> ExtractPart(std::string_view partName);
  // Parses the part into document; false when absent.
  bool LoadPart(std::string_view partName, TXmlDocument& document);

  // The relationships of a part ("" for the package's own, _rels/.rels); none when absent.
  std::vector<TXLSXRelationship> ReadRelationships(std::string_view sourcePart);
  // The part name a relationship target of Source names: a leading "/" or "\" from the package
  // root, anything else beside Source ("." and ".." resolved); "\" becomes "/".
  static std::string ResolveTarget(std::string_view sourcePart, std::string_view target);
  // The relationships part of a part: its folder + "_rels/" + its file name + ".rels".
  static std::string RelationshipsPartOf(std::string_view sourcePart);

 private:
  TZipArchive& zip_;
  // Entry names in lower case with "/", for lookups that exact names miss.
  std::vector<std::string> lowerNames_;
};

}  // namespace workbook
