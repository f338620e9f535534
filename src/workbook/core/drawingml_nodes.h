#pragma once
// Finding DrawingML elements by namespace and local name: producers choose their own prefixes
// (openpyxl writes the spreadsheet-drawing namespace as the default one), so the prefixes of a
// part say nothing.
#include <string_view>

#include "workbook/core/xml/xml_node.h"

namespace workbook {

// Walks child elements step by step ("xdr:blipFill/a:blip"); in a step "xdr:" stands for the
// spreadsheet-drawing namespace and "a:" for the DrawingML main namespace, each in its
// transitional or strict form, whatever prefix the part uses. The first match of each step; an
// empty node when a step finds nothing.
TXmlNode DrawingMLPath(const TXmlNode& node, std::string_view path);
// The value of the relationships-namespace attribute localName ("embed" for r:embed); empty when
// absent.
std::string_view RelationshipId(const TXmlNode& node, std::string_view localName);

}  // namespace workbook
