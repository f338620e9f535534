#include "workbook/core/xml/xml_push_parser.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "workbook/core/xml/xml_error.h"
#include "workbook/core/xml/xml_internal.h"

namespace workbook {

struct TXmlPushParser::TState {
  IXmlSaxHandler* handler = nullptr;
  xml_internal::TErrorCollector errors;
  // An exception of the handler, kept while libxml2 unwinds (it cannot pass through C code).
  std::exception_ptr failure;
  _xmlParserCtxt* context = nullptr;
  // Reused for every start tag.
  std::vector<TXmlSaxAttribute> attributes;

  void Stop() { xmlStopParser(context); }
};

namespace {

using TState = TXmlPushParser::TState;

std::string_view View(const xmlChar* text) { return xml_internal::View(text); }

void OnStart(void* user, const xmlChar* localName, const xmlChar*, const xmlChar* uri, int,
             const xmlChar**, int attributeCount, int, const xmlChar** attributes) {
  auto* state = static_cast<TState*>(user);
  if (state->failure) return;
  try {
    state->attributes.resize(static_cast<std::size_t>(attributeCount));
    for (int i = 0; i < attributeCount; ++i) {
      const xmlChar** item = attributes + i * 5;
      const auto* begin = reinterpret_cast<const char*>(item[3]);
      const auto* end = reinterpret_cast<const char*>(item[4]);
      state->attributes[static_cast<std::size_t>(i)] = {
          View(item[0]), View(item[1]), View(item[2]),
          begin && end > begin ? std::string_view(begin, static_cast<std::size_t>(end - begin))
                               : std::string_view()};
    }
    state->handler->StartElement(View(localName), View(uri),
                                 TXmlSaxAttributes(state->attributes.data(), attributeCount, true));
  } catch (...) {
    state->failure = std::current_exception();
    state->Stop();
  }
}

void OnEnd(void* user, const xmlChar* localName, const xmlChar*, const xmlChar* uri) {
  auto* state = static_cast<TState*>(user);
  if (state->failure) return;
  try {
    state->handler->EndElement(View(localName), View(uri));
  } catch (...) {
    state->failure = std::current_exception();
    state->Stop();
  }
}

void OnCharacters(void* user, const xmlChar* text, int length) {
  auto* state = static_cast<TState*>(user);
  if (state->failure || length <= 0) return;
  try {
    state->handler->Characters(
        std::string_view(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length)));
  } catch (...) {
    state->failure = std::current_exception();
    state->Stop();
  }
}

// Spreadsheet parts never carry a DTD: one is refused before any of it is read.
void OnInternalSubset(void* user, const xmlChar*, const xmlChar*, const xmlChar*) {
  auto* state = static_cast<TState*>(user);
  if (!state->failure)
    state->failure = std::make_exception_ptr(EXmlError(u"XML error: a DTD is not allowed here."));
  state->Stop();
}

// Entity references stay unresolved: no replacement text, no external load.
xmlEntityPtr OnGetEntity(void*, const xmlChar* name) { return xmlGetPredefinedEntity(name); }

void OnError(void* user, xmlErrorPtr error) { static_cast<TState*>(user)->errors.Record(error); }

}  // namespace

std::string_view TXmlSaxAttributes::DecodedValue(int i) const {
  const std::string_view raw = items_[i].Value;
  // Without entity substitution libxml2 hands an attribute's "&" back as "&#38;".
  if (raw.find("&#38;") == std::string_view::npos) return raw;
  std::string& value = decoded_.emplace_back();
  for (std::size_t at = 0; at < raw.size();) {
    if (raw.compare(at, 5, "&#38;") == 0) {
      value += '&';
      at += 5;
    } else {
      value += raw[at++];
    }
  }
  return value;
}

bool TXmlSaxAttributes::Find(std::string_view localName, std::string_view& value) const {
  for (int i = 0; i < count_; ++i) {
    if (items_[i].NamespaceURI.empty() && items_[i].LocalName == localName) {
      value = Value(i);
      return true;
    }
  }
  return false;
}

TXmlPushParser::TXmlPushParser(IXmlSaxHandler& handler) : state_(std::make_unique<TState>()) {
  state_->handler = &handler;
  xmlSAXHandler sax;
  std::memset(&sax, 0, sizeof sax);
  sax.initialized = XML_SAX2_MAGIC;
  sax.startElementNs = OnStart;
  sax.endElementNs = OnEnd;
  sax.characters = OnCharacters;
  sax.cdataBlock = OnCharacters;
  sax.internalSubset = OnInternalSubset;
  sax.getEntity = OnGetEntity;
  sax.serror = OnError;
  context_ = xmlCreatePushParserCtxt(&sax, state_.get(), nullptr, 0, nullptr);
  if (!context_) throw EXmlError(u"The XML parser could not be created.");
  state_->context = context_;
  xmlCtxtUseOptions(context_, xml_internal::kParseOptions);
}

TXmlPushParser::~TXmlPushParser() {
  if (context_) xmlFreeParserCtxt(context_);
}

void TXmlPushParser::Parse(const char* data, int size, bool terminate) {
  const int result = xmlParseChunk(context_, data, size, terminate ? 1 : 0);
  if (state_->failure) std::rethrow_exception(state_->failure);
  if (result != 0 || state_->errors.fatal || !state_->errors.message.empty())
    state_->errors.Throw("XML error: the document is not well-formed.");
}

std::size_t TXmlPushParser::Write(const void* buffer, std::size_t count) {
  const char* data = static_cast<const char*>(buffer);
  for (std::size_t left = count; left > 0;) {
    const int piece = static_cast<int>(std::min<std::size_t>(left, INT_MAX / 2));
    Parse(data, piece, false);
    data += piece;
    left -= static_cast<std::size_t>(piece);
    consumed_ += piece;
  }
  return count;
}

void TXmlPushParser::Finish() { Parse(nullptr, 0, true); }

std::vector<std::pair<std::string, std::string>> TXmlPushParser::NamespacesInScope() const {
  std::vector<std::pair<std::string, std::string>> bindings;
  for (int i = 0; i + 1 < context_->nsNr; i += 2)
    bindings.emplace_back(View(context_->nsTab[i]), View(context_->nsTab[i + 1]));
  return bindings;
}

bool TXmlPushParser::ReadsUtf8() const {
  return context_->input != nullptr && context_->input->buf != nullptr &&
         context_->input->buf->encoder == nullptr;
}

std::int64_t TXmlPushParser::Seek(std::int64_t, TSeekOrigin) { return consumed_; }

}  // namespace workbook
