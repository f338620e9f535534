#pragma once
// What the XML wrappers share among themselves (never included outside this folder): the parse
// options that keep untrusted input harmless and error collection from libxml2.
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <string>
#include <string_view>

namespace workbook::xml_internal {

// No entity substitution, no DTD loading, no network. CDATA sections read as plain text.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOCDATA | XML_PARSE_COMPACT;

// Keeps the first error libxml2 reports to one parser, instead of the library printing it.
struct TErrorCollector {
  std::string message;
  // Whether a fatal error came: the input is not well-formed, whatever the parser returns.
  bool fatal = false;
  void Record(const xmlError* error);
  // Raises EXmlError with the first recorded error, or fallback when none was recorded.
  [[noreturn]] void Throw(const char* fallback) const;
};

// The xmlStructuredErrorFunc for a parser whose user data is a TErrorCollector.
void CollectError(void* collector, xmlErrorPtr error);

inline const xmlChar* Xml(const std::string& text) {
  return reinterpret_cast<const xmlChar*>(text.c_str());
}

inline std::string_view View(const xmlChar* text) {
  return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

}  // namespace workbook::xml_internal
