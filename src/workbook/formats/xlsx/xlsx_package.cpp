#include "workbook/formats/xlsx/xlsx_package.h"

#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/core/path_utils.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/load_budget.h"

namespace workbook {

namespace {

constexpr std::string_view kRelationshipTypes[] = {
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/",
    "http://purl.oclc.org/ooxml/officeDocument/relationships/",
};

std::string LowerSlashed(std::string_view name) {
  std::string result(name);
  for (char& c : result) {
    if (c == '\\') c = '/';
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  }
  while (!result.empty() && result.front() == '/') result.erase(0, 1);
  return result;
}

std::string ShortType(std::string_view type) {
  for (std::string_view base : kRelationshipTypes)
    if (type.substr(0, base.size()) == base) return std::string(type.substr(base.size()));
  return std::string(type);
}

}  // namespace

TXLSXPackage::TXLSXPackage(TZipArchive& zip) : zip_(zip) {
  lowerNames_.reserve(static_cast<std::size_t>(zip.GetCount()));
  for (int i = 0; i < zip.GetCount(); ++i)
    lowerNames_.push_back(LowerSlashed(platform::Utf16ToUtf8(zip.GetFileName(i))));
}

int TXLSXPackage::FindPart(std::string_view partName) const {
  const std::string wanted = LowerSlashed(partName);
  if (wanted.empty()) return -1;
  for (std::size_t i = 0; i < lowerNames_.size(); ++i)
    if (lowerNames_[i] == wanted) return static_cast<int>(i);
  return -1;
}

std::unique_ptr<TMemoryStream> TXLSXPackage::ExtractPart(std::string_view partName) {
  const int index = FindPart(partName);
  if (index < 0) return nullptr;
  std::unique_ptr<TMemoryStream> stream;
  std::int64_t size = 0;
  const auto maxSize = static_cast<std::uint64_t>(TWorkbookLoadBudget::Limits().MaxTreePartBytes);
  if (!zip_.ExtractIndexToMemoryStream(index, stream, size, maxSize)) return nullptr;
  return stream;
}

bool TXLSXPackage::LoadPart(std::string_view partName, TXmlDocument& document) {
  std::unique_ptr<TMemoryStream> part = ExtractPart(partName);
  if (!part) return false;
  // A tree takes up to some 24 bytes per byte of its text (a styles part of a million short
  // elements, 1 GB for 44 MB): it must fit beside what the load holds. It is gone once read.
  constexpr std::int64_t kTreeBytesPerByte = 24;
  try {
    TWorkbookLoadBudget::CheckCells(part->Size() * kTreeBytesPerByte /
                                    TWorkbookLoadBudget::kCellBytes);
  } catch (const EWorkbookFileException&) {
    throw EWorkbookFileException(
        FormatLibraryText(WorkbookLng_PartTooLarge, platform::Utf8ToUtf16(std::string(partName))));
  }
  document.LoadFromStream(*part);
  return true;
}

std::vector<TXLSXRelationship> TXLSXPackage::ReadRelationships(std::string_view sourcePart) {
  std::vector<TXLSXRelationship> result;
  TXmlDocument document;
  if (!LoadPart(RelationshipsPartOf(sourcePart), document)) return result;
  TXmlNode root = document.DocumentElement();
  if (!root || root.LocalName() != "Relationships") return result;
  for (TXmlNode node : root.Elements("Relationship")) {
    TXLSXRelationship relationship;
    relationship.Id = node.Attr("Id");
    relationship.Type = ShortType(node.Attr("Type"));
    relationship.Target = node.Attr("Target");
    relationship.External = node.Attr("TargetMode") == "External";
    result.push_back(std::move(relationship));
  }
  return result;
}

std::string TXLSXPackage::ResolveTarget(std::string_view sourcePart, std::string_view target) {
  std::string slashed(target);
  for (char& c : slashed)
    if (c == '\\') c = '/';
  const bool fromRoot = !slashed.empty() && slashed.front() == '/';
  while (!slashed.empty() && slashed.front() == '/') slashed.erase(0, 1);
  const std::size_t slash = sourcePart.rfind('/');
  const std::string_view folder = fromRoot || slash == std::string_view::npos
                                      ? std::string_view()
                                      : sourcePart.substr(0, slash);
  std::string combined = CombineRelativePath(folder, slashed, '/', "");
  while (!combined.empty() && combined.front() == '/') combined.erase(0, 1);
  return combined;
}

std::string TXLSXPackage::RelationshipsPartOf(std::string_view sourcePart) {
  const std::size_t slash = sourcePart.rfind('/');
  if (slash == std::string_view::npos) return "_rels/" + std::string(sourcePart) + ".rels";
  return std::string(sourcePart.substr(0, slash + 1)) + "_rels/" +
         std::string(sourcePart.substr(slash + 1)) + ".rels";
}

}  // namespace workbook
