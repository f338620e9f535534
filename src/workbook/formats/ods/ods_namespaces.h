#pragma once
// The namespaces OpenDocument 1.2 producers declare on the roots of a spreadsheet package's parts.
#include <initializer_list>
#include <string_view>

#include "workbook/core/xml/xml_node.h"
#include "workbook/core/xml/xml_push_parser.h"

namespace workbook {

inline constexpr std::string_view kODSMimeType = "application/vnd.oasis.opendocument.spreadsheet";
inline constexpr std::string_view kODSDeclarationLine =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
inline constexpr std::string_view kODSGrddlTransformation =
    "http://docs.oasis-open.org/office/1.2/xslt/odf2rdf.xsl";

// The URI a prefix stands for; empty for an unknown prefix.
std::string_view ODSNamespaceURI(std::string_view prefix);

// The namespaces the reader knows content.xml's elements and attributes by, whatever prefixes
// the file binds them to.
enum class TODSNamespace { Other, Office, Table, Text, CalcExt };
TODSNamespace ODSNamespaceOf(std::string_view uri);
// The value of the attribute of that namespace and local name; empty when absent.
std::string_view ODSAttribute(const TXmlSaxAttributes& attributes, TODSNamespace ns,
                              std::string_view localName);

// Declares each prefix on root, in the order given.
void DeclareODSNamespaces(const TXmlNode& root, std::initializer_list<std::string_view> prefixes);

}  // namespace workbook
