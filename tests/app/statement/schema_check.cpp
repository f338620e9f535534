#include "schema_check.h"

#include <libxml/parser.h>
#include <libxml/xmlschemas.h>

#include <filesystem>
#include <memory>

namespace app::test {
namespace {

void Collect(void* user, xmlErrorPtr error) {
  auto* violations = static_cast<std::vector<TViolation>*>(user);
  std::string message = error->message ? error->message : "";
  while (!message.empty() && message.back() == '\n') message.pop_back();
  violations->push_back({error->line, message});
}

}  // namespace

std::string AuthorityDir() {
  const std::filesystem::path dir = std::filesystem::path(SHARED_DIR) / "authority";
  return std::filesystem::is_directory(dir) ? dir.string() : std::string();
}

std::vector<TViolation> SchemaViolations(const std::string& schema_file,
                                         const std::string& document_bytes) {
  std::unique_ptr<xmlSchemaParserCtxt, decltype(&xmlSchemaFreeParserCtxt)> parser(
      xmlSchemaNewParserCtxt(schema_file.c_str()), xmlSchemaFreeParserCtxt);
  if (!parser) return {{0, "cannot open schema " + schema_file}};
  std::unique_ptr<xmlSchema, decltype(&xmlSchemaFree)> schema(xmlSchemaParse(parser.get()),
                                                              xmlSchemaFree);
  if (!schema) return {{0, "cannot read schema " + schema_file}};
  std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
      xmlReadMemory(document_bytes.data(), static_cast<int>(document_bytes.size()), nullptr,
                    nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
      xmlFreeDoc);
  if (!doc) return {{0, "document not well-formed"}};
  std::unique_ptr<xmlSchemaValidCtxt, decltype(&xmlSchemaFreeValidCtxt)> validator(
      xmlSchemaNewValidCtxt(schema.get()), xmlSchemaFreeValidCtxt);
  std::vector<TViolation> violations;
  xmlSchemaSetValidStructuredErrors(validator.get(), Collect, &violations);
  const int result = xmlSchemaValidateDoc(validator.get(), doc.get());
  if (result != 0 && violations.empty()) violations.push_back({0, "validation failed"});
  return violations;
}

std::string DescribeViolations(const std::vector<TViolation>& violations) {
  std::string text;
  for (const TViolation& v : violations) text += std::to_string(v.Line) + ": " + v.Message + "\n";
  return text;
}

}  // namespace app::test
