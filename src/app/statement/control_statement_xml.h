#pragma once
// The VAT control statement as the tax authority's XML, in the four schema versions the user can
// choose: the document's lines, ready for SaveTextLines(lines, name, ".xml").
#include <string>

#include "app/statement/data.h"
#include "app/statement/text_lines.h"

namespace app {

enum class TKVFormat {
  Format2014,  // "Formát XML od 1.1.2014 do 31.3.2016"
  Format2016,  // "Formát XML od 1.4.2016 do 31.12.2016"
  Format2017,  // "Formát XML od 1.1.2017 do 31.12.2020"
  Format2021,  // "Formát XML od 1.1.2021"
};

// The schema host of the namespace URIs and of the schemas themselves.
inline constexpr const char kKVSchemaHost[] = "https://ekr.financnasprava.sk";

// The namespace of the format: the schema host + "/Formulare/XSD/kv_dph_<year>.xsd".
std::string KVNamespaceURI(TKVFormat format);
// The root element: "KVDPH", "KVDPH_2016" (2016 and 2017) or "KVDPH_2021".
std::string KVRootElement(TKVFormat format);

// The whole document from the statement header, the taxpayer and the rows of sections A1 to D2.
// Every value is escaped for its place; the taxpayer's fields are cut to their length limits
// before escaping.
TTextLines BuildControlStatement(TKVFormat format, const TData& data);

// BuildControlStatement saved as the chosen name + ".xml"; returns the name written.
std::string ExportControlStatement(TKVFormat format, const TData& data,
                                   const std::string& chosenName);

}  // namespace app
