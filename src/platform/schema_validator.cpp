#include "platform/schema_validator.h"

#include <libxml/parser.h>
#include <libxml/schemasInternals.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlschemas.h>

#include <memory>

#include "platform/platform_error.h"
#include "platform/text_codec.h"

namespace platform {
namespace {

// Keeps the first error libxml2 reports, instead of printing it.
struct TFirstError {
  std::string Text;
  static void Collect(void* self, xmlErrorPtr error) {
    auto* me = static_cast<TFirstError*>(self);
    if (!me->Text.empty() || !error || !error->message) return;
    me->Text = error->message;
    while (!me->Text.empty() && (me->Text.back() == '\n' || me->Text.back() == ' '))
      me->Text.pop_back();
    if (error->line > 0) me->Text = "line " + std::to_string(error->line) + ": " + me->Text;
  }
};

// Routes libxml2's process-wide error reports to a collector while alive.
class TErrorCapture {
 public:
  explicit TErrorCapture(TFirstError& sink) {
    xmlSetStructuredErrorFunc(&sink, TFirstError::Collect);
  }
  ~TErrorCapture() { xmlSetStructuredErrorFunc(nullptr, nullptr); }
};

template <typename T, void (*Free)(T*)>
struct TFreer {
  void operator()(T* p) const { Free(p); }
};
using TSchemaParser =
    std::unique_ptr<xmlSchemaParserCtxt, TFreer<xmlSchemaParserCtxt, xmlSchemaFreeParserCtxt>>;
using TSchema = std::unique_ptr<xmlSchema, TFreer<xmlSchema, xmlSchemaFree>>;
using TValidator =
    std::unique_ptr<xmlSchemaValidCtxt, TFreer<xmlSchemaValidCtxt, xmlSchemaFreeValidCtxt>>;
using TDocument = std::unique_ptr<xmlDoc, TFreer<xmlDoc, xmlFreeDoc>>;

}  // namespace

TSchemaVerdict TLibXmlSchemaValidator::Validate(const std::string& schemaFile,
                                                const std::string& namespaceUri,
                                                const std::string& documentFile) {
  TFirstError error;
  TErrorCapture capture(error);

  TSchemaParser parser(xmlSchemaNewParserCtxt(schemaFile.c_str()));
  TSchema schema(parser ? xmlSchemaParse(parser.get()) : nullptr);
  if (!schema)
    throw EPlatformError("The schema \"" + schemaFile + "\" cannot be loaded" +
                         (error.Text.empty() ? "." : ": " + error.Text));
  const char* target = reinterpret_cast<const char*>(schema->targetNamespace);
  if (namespaceUri != (target ? target : ""))
    throw EPlatformError("The schema \"" + schemaFile + "\" does not declare the namespace \"" +
                         namespaceUri + "\".");

  TSchemaVerdict verdict;
  TDocument doc(xmlReadFile(documentFile.c_str(), nullptr, XML_PARSE_NONET));
  if (!doc) {
    verdict.Reason = Utf8ToUtf16(error.Text.empty() ? "The file cannot be read." : error.Text);
    return verdict;
  }
  TValidator validator(xmlSchemaNewValidCtxt(schema.get()));
  xmlSchemaSetValidStructuredErrors(validator.get(), TFirstError::Collect, &error);
  verdict.Valid = xmlSchemaValidateDoc(validator.get(), doc.get()) == 0;
  if (!verdict.Valid) verdict.Reason = Utf8ToUtf16(error.Text);
  return verdict;
}

}  // namespace platform
