#include "workbook/core/drawingml_nodes.h"

namespace workbook {

namespace {

constexpr std::string_view kSpreadsheetDrawingNS[] = {
    "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing",
    "http://purl.oclc.org/ooxml/drawingml/spreadsheetDrawing"};
constexpr std::string_view kDrawingMLMainNS[] = {
    "http://schemas.openxmlformats.org/drawingml/2006/main",
    "http://purl.oclc.org/ooxml/drawingml/main"};
constexpr std::string_view kRelationshipsNS[] = {
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships",
    "http://purl.oclc.org/ooxml/officeDocument/relationships"};

TXmlNode ChildIn(const TXmlNode& node, const std::string_view (&namespaces)[2],
                 std::string_view localName) {
  for (TXmlNode child = node.FirstElement(); child; child = child.NextElement())
    if (child.LocalName() == localName &&
        (child.NamespaceURI() == namespaces[0] || child.NamespaceURI() == namespaces[1]))
      return child;
  return TXmlNode();
}

}  // namespace

TXmlNode DrawingMLPath(const TXmlNode& node, std::string_view path) {
  TXmlNode current = node;
  while (current && !path.empty()) {
    const std::size_t slash = path.find('/');
    std::string_view step = path.substr(0, slash);
    path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    if (step.substr(0, 4) == "xdr:")
      current = ChildIn(current, kSpreadsheetDrawingNS, step.substr(4));
    else if (step.substr(0, 2) == "a:")
      current = ChildIn(current, kDrawingMLMainNS, step.substr(2));
    else
      current = TXmlNode();
  }
  return current;
}

std::string_view RelationshipId(const TXmlNode& node, std::string_view localName) {
  if (!node) return std::string_view();
  for (std::string_view ns : kRelationshipsNS)
    if (const auto value = node.FindAttrNS(localName, ns)) return *value;
  return std::string_view();
}

}  // namespace workbook
