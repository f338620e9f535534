#include "workbook/core/xml/xml_reader.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cstring>

#include "platform/text_codec.h"
#include "workbook/core/xml/xml_error.h"
#include "workbook/core/xml/xml_internal.h"

namespace workbook {

using xml_internal::View;

namespace {

// Bytes handed to the parser at a time.
constexpr std::size_t kChunk = 64 * 1024;

// Texts and attribute values live in one growing buffer, addressed by offset because the
// buffer moves as it grows.
struct TSpan {
  std::size_t offset = 0;
  std::size_t length = 0;
};

struct TAttribute {
  const xmlChar* localName;  // names and URIs are interned in the parser's dictionary
  const xmlChar* prefix;
  const xmlChar* uri;
  TSpan value;
};

struct TEvent {
  TXmlNodeType type;
  int depth;
  bool empty = false;
  const xmlChar* localName = nullptr;
  const xmlChar* prefix = nullptr;
  const xmlChar* uri = nullptr;
  std::size_t firstAttribute = 0;
  std::size_t attributeCount = 0;
  TSpan text;
  // Where this event's data begins in the buffers, for dropping what lies before it.
  std::size_t arenaStart = 0;
  std::size_t attributeStart = 0;
};

bool Matches(std::string_view pattern, const xmlChar* localName, const xmlChar* prefix,
             bool anyPrefix) {
  std::size_t colon = pattern.find(':');
  if (colon == std::string_view::npos) return View(localName) == pattern && (anyPrefix || !prefix);
  return View(prefix) == pattern.substr(0, colon) && View(localName) == pattern.substr(colon + 1);
}

}  // namespace

struct TXmlReader::TParser {
  // Input.
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t position = 0;
  TStream* stream = nullptr;
  std::string streamFailure;
  std::vector<char> chunk;
  std::int64_t consumed = 0;

  xmlSAXHandler sax{};
  xmlParserCtxtPtr context = nullptr;
  xml_internal::TErrorCollector errors;
  bool finished = false;

  // The window of events: Events[Current] is the reader's node.
  std::vector<TEvent> events;
  std::vector<TAttribute> attributes;
  std::string arena;
  std::size_t current = 0;
  bool started = false;
  int depth = 0;

  // The subtree Expand built, freed when the reader moves on.
  xmlDocPtr scratch = nullptr;
  xmlNodePtr expanded = nullptr;

  ~TParser() {
    FreeExpanded();
    if (scratch) xmlFreeDoc(scratch);
    if (context) {
      // The parser keeps declarations of a DOCTYPE in a document of its own.
      if (context->myDoc) xmlFreeDoc(context->myDoc);
      xmlFreeParserCtxt(context);
    }
  }

  void FreeExpanded() {
    if (!expanded) return;
    xmlUnlinkNode(expanded);
    xmlFreeNode(expanded);
    expanded = nullptr;
  }

  std::string_view Text(TSpan span) const {
    return std::string_view(arena).substr(span.offset, span.length);
  }

  std::size_t ReadInput(char* buffer, std::size_t count) {
    if (!stream) {
      std::size_t n = std::min(count, size - position);
      std::memcpy(buffer, data + position, n);
      position += n;
      return n;
    }
    std::size_t done = 0;
    while (done < count) {
      std::size_t got = stream->Read(buffer + done, count - done);
      if (got == 0) break;
      done += got;
    }
    return done;
  }

  // Drops the events before the current one with their texts and attributes.
  void Compact() {
    if (current == 0 || current > events.size()) return;
    std::size_t arenaBase = current < events.size() ? events[current].arenaStart : arena.size();
    std::size_t attributeBase =
        current < events.size() ? events[current].attributeStart : attributes.size();
    events.erase(events.begin(), events.begin() + static_cast<std::ptrdiff_t>(current));
    arena.erase(0, arenaBase);
    attributes.erase(attributes.begin(),
                     attributes.begin() + static_cast<std::ptrdiff_t>(attributeBase));
    for (TEvent& e : events) {
      e.arenaStart -= arenaBase;
      e.attributeStart -= attributeBase;
      e.firstAttribute -= attributeBase;
      e.text.offset -= arenaBase;
    }
    for (TAttribute& a : attributes) a.value.offset -= arenaBase;
    current = 0;
  }

  // Parses the next piece of input; false when nothing more can come.
  bool ParseMore() {
    if (finished) return false;
    Compact();
    std::size_t n = 0;
    try {
      n = ReadInput(chunk.data(), chunk.size());
    } catch (const std::exception& e) {
      streamFailure = e.what();
      finished = true;
      return false;
    }
    consumed += static_cast<std::int64_t>(n);
    xmlParseChunk(context, chunk.data(), static_cast<int>(n), n == 0 ? 1 : 0);
    if (n == 0 || errors.fatal) finished = true;
    return true;
  }

  TEvent& Push(TXmlNodeType type) {
    TEvent& e = events.emplace_back();
    e.type = type;
    e.depth = depth;
    e.arenaStart = arena.size();
    e.attributeStart = attributes.size();
    return e;
  }

  void StartElement(const xmlChar* localName, const xmlChar* prefix, const xmlChar* uri, int count,
                    const xmlChar** values) {
    TEvent& e = Push(TXmlNodeType::Element);
    e.localName = localName;
    e.prefix = prefix;
    e.uri = uri;
    e.firstAttribute = attributes.size();
    e.attributeCount = static_cast<std::size_t>(count);
    for (int i = 0; i < count; ++i, values += 5) {
      std::string_view value(reinterpret_cast<const char*>(values[3]),
                             static_cast<std::size_t>(values[4] - values[3]));
      TSpan span{arena.size(), 0};
      // Without entity substitution the parser leaves "&" of attribute values as "&#38;".
      for (std::size_t amp; (amp = value.find("&#38;")) != std::string_view::npos;) {
        arena.append(value.substr(0, amp)).push_back('&');
        value.remove_prefix(amp + 5);
      }
      arena.append(value);
      span.length = arena.size() - span.offset;
      attributes.push_back({values[0], values[1], values[2], span});
    }
    ++depth;
  }

  void EndElement(const xmlChar* localName, const xmlChar* prefix, const xmlChar* uri) {
    --depth;
    // An element closed right after it opened is reported once, as empty.
    if (!events.empty() && events.back().type == TXmlNodeType::Element &&
        events.back().depth == depth && !events.back().empty) {
      events.back().empty = true;
      return;
    }
    TEvent& e = Push(TXmlNodeType::EndElement);
    e.localName = localName;
    e.prefix = prefix;
    e.uri = uri;
  }

  void Characters(const xmlChar* text, int length) {
    if (events.empty() || events.back().type != TXmlNodeType::Text || events.back().depth != depth)
      Push(TXmlNodeType::Text).text.offset = arena.size();
    arena.append(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
    events.back().text.length += static_cast<std::size_t>(length);
  }
};

namespace {

using TParser = TXmlReader::TParser;

TParser& Of(void* userData) { return *static_cast<TParser*>(userData); }

void OnStartElement(void* userData, const xmlChar* localName, const xmlChar* prefix,
                    const xmlChar* uri, int, const xmlChar**, int count, int,
                    const xmlChar** values) {
  Of(userData).StartElement(localName, prefix, uri, count, values);
}

void OnEndElement(void* userData, const xmlChar* localName, const xmlChar* prefix,
                  const xmlChar* uri) {
  Of(userData).EndElement(localName, prefix, uri);
}

void OnCharacters(void* userData, const xmlChar* text, int length) {
  Of(userData).Characters(text, length);
}

void OnError(void* userData, xmlErrorPtr error) { Of(userData).errors.Record(error); }

// No entity is ever declared or looked up: references to anything but the predefined entities
// are errors, and nothing can be expanded or fetched.
void IgnoreEntityDecl(void*, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*) {}
xmlEntityPtr NoEntity(void*, const xmlChar*) { return nullptr; }
void IgnoreReference(void*, const xmlChar*) {}

}  // namespace

TXmlReader::TXmlReader(const void* data, std::size_t size) : parser_(std::make_unique<TParser>()) {
  parser_->data = static_cast<const std::uint8_t*>(data);
  parser_->size = size;
}

TXmlReader::TXmlReader(TStream& stream) : parser_(std::make_unique<TParser>()) {
  parser_->stream = &stream;
}

TXmlReader::~TXmlReader() = default;

bool TXmlReader::Ensure(std::size_t ahead) {
  TParser& p = *parser_;
  if (!p.context) {
    xmlSAXHandler& sax = p.sax;
    sax.initialized = XML_SAX2_MAGIC;
    sax.startElementNs = OnStartElement;
    sax.endElementNs = OnEndElement;
    sax.characters = OnCharacters;
    sax.cdataBlock = OnCharacters;
    sax.ignorableWhitespace = OnCharacters;
    sax.serror = OnError;
    sax.entityDecl = IgnoreEntityDecl;
    sax.getEntity = NoEntity;
    sax.getParameterEntity = NoEntity;
    sax.reference = IgnoreReference;
    p.context = xmlCreatePushParserCtxt(&sax, &p, nullptr, 0, nullptr);
    if (!p.context) throw EXmlError(u"The XML reader could not be created.");
    xmlCtxtUseOptions(p.context, xml_internal::kParseOptions);
    p.chunk.resize(kChunk);
  }
  while (p.events.size() <= p.current + ahead && p.ParseMore()) {
  }
  return p.current + ahead < p.events.size();
}

bool TXmlReader::MoveTo(std::size_t index) {
  TParser& p = *parser_;
  p.FreeExpanded();
  context_.assembled.clear();
  p.current = index;
  p.started = true;
  // One event of lookahead, so an element is known to be empty before it is handed out.
  bool available = Ensure(1) || Ensure(0);
  if (available) return true;
  if (!p.streamFailure.empty()) throw EXmlError(platform::Utf8ToUtf16(p.streamFailure));
  if (p.errors.fatal || p.depth != 0 || !p.context->wellFormed)
    p.errors.Throw("XML error: the document is not well-formed.");
  if (p.events.empty() && p.current == 0) throw EXmlError(u"XML error: the document is empty.");
  return false;
}

bool TXmlReader::Read() { return MoveTo(parser_->started ? parser_->current + 1 : 0); }

std::size_t TXmlReader::EndOfCurrent() {
  TParser& p = *parser_;
  if (p.current >= p.events.size() || p.events[p.current].type != TXmlNodeType::Element ||
      p.events[p.current].empty)
    return p.current;
  const int depth = p.events[p.current].depth;
  for (std::size_t ahead = 1;; ++ahead) {
    // A document that ends inside the element reports its error at the next move.
    if (!Ensure(ahead)) return p.current + ahead;
    const TEvent& e = p.events[p.current + ahead];
    if (e.type == TXmlNodeType::EndElement && e.depth == depth) return p.current + ahead;
  }
}

bool TXmlReader::Skip() {
  if (!parser_->started) return Read();
  return MoveTo(EndOfCurrent() + 1);
}

bool TXmlReader::NextChildElement(int parentDepth) {
  bool more;
  if (NodeType() == TXmlNodeType::Element && Depth() > parentDepth)
    more = Skip();
  else if (NodeType() == TXmlNodeType::Element && IsEmptyElement())
    return false;
  else
    more = Read();
  while (more) {
    if (Depth() <= parentDepth) return false;
    if (NodeType() == TXmlNodeType::Element && Depth() == parentDepth + 1) return true;
    more = NodeType() == TXmlNodeType::Element ? Skip() : Read();
  }
  return false;
}

bool TXmlReader::ReadToPath(std::string_view path) {
  if (!path.empty() && path.front() == '/') path.remove_prefix(1);
  if (!parser_->started && !Read()) return false;
  while (NodeType() != TXmlNodeType::Element || Depth() != 0)
    if (!Read()) return false;
  std::size_t slash = path.find('/');
  if (!Is(path.substr(0, slash))) return false;
  while (slash != std::string_view::npos) {
    path.remove_prefix(slash + 1);
    slash = path.find('/');
    std::string_view step = path.substr(0, slash);
    int depth = Depth();
    bool found = false;
    while (!found && NextChildElement(depth)) found = Is(step);
    if (!found) return false;
  }
  return true;
}

namespace {

const TEvent* CurrentEvent(const TParser& p) {
  return p.started && p.current < p.events.size() ? &p.events[p.current] : nullptr;
}

bool IsWhitespace(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

}  // namespace

TXmlNodeType TXmlReader::NodeType() const {
  const TEvent* e = CurrentEvent(*parser_);
  if (!e) return TXmlNodeType::None;
  if (e->type == TXmlNodeType::Text && IsWhitespace(parser_->Text(e->text)))
    return TXmlNodeType::Whitespace;
  return e->type;
}

int TXmlReader::Depth() const {
  const TEvent* e = CurrentEvent(*parser_);
  return e ? e->depth : 0;
}

bool TXmlReader::IsEmptyElement() const {
  const TEvent* e = CurrentEvent(*parser_);
  return e && e->type == TXmlNodeType::Element && e->empty;
}

std::string_view TXmlReader::LocalName() const {
  const TEvent* e = CurrentEvent(*parser_);
  return e ? View(e->localName) : std::string_view();
}

std::string_view TXmlReader::Prefix() const {
  const TEvent* e = CurrentEvent(*parser_);
  return e ? View(e->prefix) : std::string_view();
}

std::string_view TXmlReader::NamespaceURI() const {
  const TEvent* e = CurrentEvent(*parser_);
  return e ? View(e->uri) : std::string_view();
}

bool TXmlReader::Is(std::string_view name) const {
  const TEvent* e = CurrentEvent(*parser_);
  return e && e->type == TXmlNodeType::Element && Matches(name, e->localName, e->prefix, true);
}

std::optional<std::string_view> TXmlReader::FindAttr(std::string_view name) const {
  const TEvent* e = CurrentEvent(*parser_);
  if (!e || e->type != TXmlNodeType::Element) return std::nullopt;
  for (std::size_t i = 0; i < e->attributeCount; ++i) {
    const TAttribute& a = parser_->attributes[e->firstAttribute + i];
    if (Matches(name, a.localName, a.prefix, false)) return parser_->Text(a.value);
  }
  return std::nullopt;
}

std::optional<std::string_view> TXmlReader::FindAttrNS(std::string_view localName,
                                                       std::string_view namespaceURI) const {
  const TEvent* e = CurrentEvent(*parser_);
  if (!e || e->type != TXmlNodeType::Element) return std::nullopt;
  for (std::size_t i = 0; i < e->attributeCount; ++i) {
    const TAttribute& a = parser_->attributes[e->firstAttribute + i];
    if (View(a.localName) == localName && View(a.uri) == namespaceURI)
      return parser_->Text(a.value);
  }
  return std::nullopt;
}

std::u16string TXmlReader::Attr16(std::string_view name) const {
  return platform::Utf8ToUtf16(Attr(name));
}

std::vector<std::pair<std::string, std::string_view>> TXmlReader::Attributes() const {
  std::vector<std::pair<std::string, std::string_view>> result;
  const TEvent* e = CurrentEvent(*parser_);
  if (!e || e->type != TXmlNodeType::Element) return result;
  for (std::size_t i = 0; i < e->attributeCount; ++i) {
    const TAttribute& a = parser_->attributes[e->firstAttribute + i];
    std::string name = a.prefix ? std::string(View(a.prefix)) + ":" : std::string();
    result.emplace_back(name.append(View(a.localName)), parser_->Text(a.value));
  }
  return result;
}

std::string_view TXmlReader::Value() const {
  const TEvent* e = CurrentEvent(*parser_);
  return e && e->type == TXmlNodeType::Text ? parser_->Text(e->text) : std::string_view();
}

std::u16string TXmlReader::Value16() const { return platform::Utf8ToUtf16(Value()); }

namespace {

// The namespace of a name in an expanded subtree, declared on its root the first time.
xmlNsPtr SubtreeNs(xmlNodePtr root, xmlNodePtr node, const xmlChar* uri, const xmlChar* prefix) {
  if (!uri) return nullptr;
  for (xmlNsPtr ns = root->nsDef; ns; ns = ns->next)
    if (xmlStrEqual(ns->href, uri) && xmlStrEqual(ns->prefix, prefix)) return ns;
  xmlNsPtr ns = xmlNewNs(root, uri, prefix);
  return ns ? ns : xmlNewNs(node, uri, prefix);
}

}  // namespace

TXmlNode TXmlReader::Expand() {
  TParser& p = *parser_;
  const TEvent* start = CurrentEvent(p);
  if (!start || start->type != TXmlNodeType::Element) return TXmlNode(nullptr, &context_);
  const std::size_t end = EndOfCurrent();  // may move the window
  if (end >= p.events.size()) {
    if (!p.streamFailure.empty()) throw EXmlError(platform::Utf8ToUtf16(p.streamFailure));
    p.errors.Throw("XML error: the document is not well-formed.");
  }
  p.FreeExpanded();
  if (!p.scratch) {
    p.scratch = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
    if (!p.scratch) throw EXmlError(u"Out of memory for an XML element.");
    // Names of the subtree come from the parser's dictionary instead of fresh copies.
    p.scratch->dict = p.context->dict;
    xmlDictReference(p.scratch->dict);
  }
  xmlNodePtr root = nullptr;
  xmlNodePtr parent = nullptr;
  for (std::size_t i = p.current; i <= end; ++i) {
    const TEvent& e = p.events[i];
    if (e.type == TXmlNodeType::EndElement) {
      parent = parent->parent;
      continue;
    }
    if (e.type == TXmlNodeType::Text) {
      std::string_view text = p.Text(e.text);
      xmlAddChild(parent, xmlNewDocTextLen(p.scratch, reinterpret_cast<const xmlChar*>(text.data()),
                                           static_cast<int>(text.size())));
      continue;
    }
    xmlNodePtr node = xmlNewDocNode(p.scratch, nullptr, e.localName, nullptr);
    if (!root) {
      root = node;
      p.expanded = root;
      xmlAddChild(reinterpret_cast<xmlNodePtr>(p.scratch), root);
    } else {
      xmlAddChild(parent, node);
    }
    xmlSetNs(node, SubtreeNs(root, node, e.uri, e.prefix));
    for (std::size_t k = 0; k < e.attributeCount; ++k) {
      const TAttribute& a = p.attributes[e.firstAttribute + k];
      std::string value(p.Text(a.value));
      xmlNewNsProp(node, SubtreeNs(root, node, a.uri, a.prefix), a.localName,
                   reinterpret_cast<const xmlChar*>(value.c_str()));
    }
    if (!e.empty) parent = node;
  }
  return TXmlNode(root, &context_);
}

void TXmlReader::RegisterNamespace(std::string_view prefix, std::string_view namespaceURI) {
  context_.namespaces.emplace_back(std::string(prefix), std::string(namespaceURI));
}

std::int64_t TXmlReader::BytesConsumed() const { return parser_->consumed; }

}  // namespace workbook
