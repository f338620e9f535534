#include "workbook/core/xml/xml_document.h"

#include <libxml/tree.h>

#include <climits>
#include <memory>

#include "workbook/core/xml/xml_error.h"
#include "workbook/core/xml/xml_internal.h"

namespace workbook {

namespace {

// The parser reports to its context's user data (the context itself); the collector hangs on
// the context's private pointer.
void CollectParserError(void* userData, xmlErrorPtr error) {
  auto* parser = static_cast<xmlParserCtxtPtr>(userData);
  xml_internal::CollectError(parser->_private, error);
}

}  // namespace

TXmlDocument::~TXmlDocument() { Free(); }

void TXmlDocument::Free() {
  if (doc_) xmlFreeDoc(doc_);
  doc_ = nullptr;
  context_.assembled.clear();
}

void TXmlDocument::LoadFromMemory(const void* data, std::size_t size) {
  Free();
  if (size > INT_MAX) throw EXmlError(u"The XML part is too large to be read as a whole.");
  std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> parser(xmlNewParserCtxt(),
                                                                      xmlFreeParserCtxt);
  if (!parser) throw EXmlError(u"Out of memory for the XML parser.");
  xml_internal::TErrorCollector errors;
  parser->_private = &errors;
  parser->sax->serror = CollectParserError;
  xmlDoc* doc =
      xmlCtxtReadMemory(parser.get(), static_cast<const char*>(data), static_cast<int>(size),
                        nullptr, nullptr, xml_internal::kParseOptions);
  if (!doc || !parser->wellFormed) {
    if (doc) xmlFreeDoc(doc);
    errors.Throw("XML error: the document is not well-formed.");
  }
  doc_ = doc;
}

void TXmlDocument::LoadFromStream(TStream& stream) {
  if (auto* memory = dynamic_cast<TMemoryStream*>(&stream)) {
    std::int64_t at = std::min(memory->Position(), memory->Size());
    LoadFromMemory(memory->Memory() + at, static_cast<std::size_t>(memory->Size() - at));
    return;
  }
  std::string text;
  char buffer[65536];
  for (std::size_t n; (n = stream.Read(buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  LoadFromMemory(text.data(), text.size());
}

TXmlNode TXmlDocument::CreateRoot(std::string_view name) {
  Free();
  doc_ = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
  if (!doc_) throw EXmlError(u"Out of memory for an XML document.");
  xmlNode* root = xmlNewDocNode(doc_, nullptr, xml_internal::Xml(std::string(name)), nullptr);
  xmlDocSetRootElement(doc_, root);
  return TXmlNode(root, &context_);
}

TXmlNode TXmlDocument::DocumentElement() {
  return TXmlNode(doc_ ? xmlDocGetRootElement(doc_) : nullptr, &context_);
}

TXmlNode TXmlDocument::DocumentNode() {
  return TXmlNode(reinterpret_cast<xmlNode*>(doc_), &context_);
}

void TXmlDocument::RegisterNamespace(std::string_view prefix, std::string_view namespaceURI) {
  context_.namespaces.emplace_back(std::string(prefix), std::string(namespaceURI));
}

std::vector<TXmlNode> TXmlDocument::SelectNodes(std::string_view xpath) {
  return DocumentNode().SelectNodes(xpath);
}

TXmlNode TXmlDocument::SelectSingleNode(std::string_view xpath) {
  return DocumentNode().SelectSingleNode(xpath);
}

TXmlNode TXmlDocument::FindPath(std::string_view path) {
  if (!path.empty() && path.front() == '/') path.remove_prefix(1);
  std::size_t slash = path.find('/');
  TXmlNode root = DocumentElement();
  if (!root || !root.Is(path.substr(0, slash))) return TXmlNode(nullptr, &context_);
  return slash == std::string_view::npos ? root : root.FindPath(path.substr(slash + 1));
}

std::string TXmlDocument::SaveToString() const {
  if (!doc_) return std::string();
  xmlChar* text = nullptr;
  int size = 0;
  xmlDocDumpMemoryEnc(doc_, &text, &size, "UTF-8");
  if (!text) throw EXmlError(u"The XML document could not be written.");
  std::string result(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size));
  xmlFree(text);
  return result;
}

void TXmlDocument::SaveToStream(TStream& stream) const { stream.WriteString(SaveToString()); }

}  // namespace workbook
