#include "workbook/formats/ods/ods_namespaces.h"

#include <string>
#include <utility>

namespace workbook {

namespace {

constexpr std::string_view kOfficeURI = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr std::string_view kTableURI = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr std::string_view kTextURI = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr std::string_view kCalcExtURI =
    "urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0";

constexpr std::pair<std::string_view, std::string_view> kNamespaces[] = {
    {"office", kOfficeURI},
    {"style", "urn:oasis:names:tc:opendocument:xmlns:style:1.0"},
    {"text", kTextURI},
    {"table", kTableURI},
    {"draw", "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"},
    {"fo", "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"},
    {"meta", "urn:oasis:names:tc:opendocument:xmlns:meta:1.0"},
    {"number", "urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0"},
    {"presentation", "urn:oasis:names:tc:opendocument:xmlns:presentation:1.0"},
    {"svg", "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"},
    {"chart", "urn:oasis:names:tc:opendocument:xmlns:chart:1.0"},
    {"dr3d", "urn:oasis:names:tc:opendocument:xmlns:dr3d:1.0"},
    {"form", "urn:oasis:names:tc:opendocument:xmlns:form:1.0"},
    {"script", "urn:oasis:names:tc:opendocument:xmlns:script:1.0"},
    {"config", "urn:oasis:names:tc:opendocument:xmlns:config:1.0"},
    {"manifest", "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"},
    {"xlink", "http://www.w3.org/1999/xlink"},
    {"dc", "http://purl.org/dc/elements/1.1/"},
    {"math", "http://www.w3.org/1998/Math/MathML"},
    {"ooo", "http://openoffice.org/2004/office"},
    {"ooow", "http://openoffice.org/2004/writer"},
    {"oooc", "http://openoffice.org/2004/calc"},
    {"dom", "http://www.w3.org/2001/xml-events"},
    {"xforms", "http://www.w3.org/2002/xforms"},
    {"xsd", "http://www.w3.org/2001/XMLSchema"},
    {"xsi", "http://www.w3.org/2001/XMLSchema-instance"},
    {"rpt", "http://openoffice.org/2005/report"},
    {"of", "urn:oasis:names:tc:opendocument:xmlns:of:1.2"},
    {"xhtml", "http://www.w3.org/1999/xhtml"},
    {"grddl", "http://www.w3.org/2003/g/data-view#"},
    {"tableooo", "http://openoffice.org/2009/table"},
    {"calcext", kCalcExtURI},
    {"field", "urn:openoffice:names:experimental:ooo-ms-interop:xmlns:field:1.0"},
    {"msoxl", "http://schemas.microsoft.com/office/excel/formula"},
    {"formx", "urn:openoffice:names:experimental:ooxml-odf-interop:xmlns:form:1.0"},
    {"css3t", "http://www.w3.org/TR/css3-text/"}};

}  // namespace

std::string_view ODSNamespaceURI(std::string_view prefix) {
  for (const auto& [name, uri] : kNamespaces)
    if (name == prefix) return uri;
  return {};
}

TODSNamespace ODSNamespaceOf(std::string_view uri) {
  // Checked on every element and attribute of a sheet: the URIs differ in length, so most
  // comparisons end there.
  if (uri == kTableURI) return TODSNamespace::Table;
  if (uri == kTextURI) return TODSNamespace::Text;
  if (uri == kOfficeURI) return TODSNamespace::Office;
  if (uri == kCalcExtURI) return TODSNamespace::CalcExt;
  return TODSNamespace::Other;
}

std::string_view ODSAttribute(const TXmlSaxAttributes& attributes, TODSNamespace ns,
                              std::string_view localName) {
  for (int i = 0; i < attributes.Count(); ++i)
    if (attributes.LocalName(i) == localName && ODSNamespaceOf(attributes.NamespaceURI(i)) == ns)
      return attributes.Value(i);
  return {};
}

void DeclareODSNamespaces(const TXmlNode& root, std::initializer_list<std::string_view> prefixes) {
  for (std::string_view prefix : prefixes)
    root.SetAttr("xmlns:" + std::string(prefix), ODSNamespaceURI(prefix));
}

}  // namespace workbook
