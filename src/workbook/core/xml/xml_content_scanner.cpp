#include "workbook/core/xml/xml_content_scanner.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "platform/text_codec.h"
#include "workbook/core/xml/xml_error.h"

namespace workbook {

namespace {

// The limits libxml2 keeps without its "huge" option: beyond them it refuses the document too.
constexpr std::size_t kMaxNameLength = 50000;
constexpr std::size_t kMaxTextLength = 10000000;
// An unfinished token is scanned again only once its bytes have doubled, so that one huge
// token costs linear time however many chunks it spans.
constexpr std::size_t kRescanFrom = 64 * 1024;
// How much of a new chunk is first joined to the bytes of a token the last chunk ended inside.
constexpr std::size_t kBridge = 4096;

constexpr std::string_view kXmlNamespace = "http://www.w3.org/XML/1998/namespace";
constexpr std::string_view kXmlnsNamespace = "http://www.w3.org/2000/xmlns/";

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool IsChar(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

bool IsNameStart(char32_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || (c >= 0xC0 && c <= 0xD6) ||
         (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) || (c >= 0x370 && c <= 0x37D) ||
         (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D) ||
         (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) ||
         (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
         (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

bool IsNameChar(char32_t c) {
  return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == 0xB7 ||
         (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

// Equality of two short texts (names), compared in place: a call costs more than the compare.
bool SameShortText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}

// A qualified name's prefix and local part, from the position of its colon (npos: none).
std::pair<std::string_view, std::string_view> SplitQName(std::string_view qname,
                                                         std::size_t colon) {
  if (colon == std::string_view::npos) return {std::string_view(), qname};
  return {qname.substr(0, colon), qname.substr(colon + 1)};
}

// Name characters of ASCII: 1 may start a name, 2 may only follow (0 for every other byte).
struct TAsciiNames {
  std::uint8_t kind[256] = {};
  constexpr TAsciiNames() {
    for (int c = 'a'; c <= 'z'; ++c) kind[c] = 1;
    for (int c = 'A'; c <= 'Z'; ++c) kind[c] = 1;
    kind[static_cast<int>('_')] = 1;
    for (int c = '0'; c <= '9'; ++c) kind[c] = 2;
    kind[static_cast<int>('-')] = 2;
    kind[static_cast<int>('.')] = 2;
  }
};
constexpr TAsciiNames kAsciiNames;

// Bytes an attribute value may hold as they are: printable ASCII but for the quotes, "<" and "&".
struct TPlainAttributeBytes {
  bool plain[256] = {};
  constexpr TPlainAttributeBytes() {
    for (int c = 0x20; c < 0x80; ++c) plain[c] = true;
    plain[static_cast<unsigned char>('"')] = false;
    plain[static_cast<unsigned char>('\'')] = false;
    plain[static_cast<unsigned char>('<')] = false;
    plain[static_cast<unsigned char>('&')] = false;
  }
};
constexpr TPlainAttributeBytes kPlainAttribute;

// Decodes the UTF-8 sequence at P: its length, 0 when the input ends inside it, -1 when it is
// not a well-formed sequence of an XML character.
int DecodeUtf8(const char* p, const char* end, char32_t& c) {
  const auto lead = static_cast<unsigned char>(*p);
  int length = 0;
  if (lead < 0x80) {
    c = lead;
    return IsChar(c) ? 1 : -1;
  }
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    c = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    c = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    c = lead & 0x07;
  } else {
    return -1;
  }
  for (int i = 1; i < length; ++i) {
    if (p + i >= end) return 0;
    const auto next = static_cast<unsigned char>(p[i]);
    if ((next & 0xC0) != 0x80) return -1;
    c = (c << 6) | (next & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[length] || !IsChar(c)) return -1;
  return length;
}

// Byte classes of text: 0 plain, 1 needs a look (markup, reference, line end, "]]>", controls,
// multi-byte sequences).
struct TTextClasses {
  bool special[256] = {};
  constexpr TTextClasses() {
    for (int c = 0; c < 0x20; ++c) special[c] = true;
    for (int c = 0x80; c < 0x100; ++c) special[c] = true;
    special[static_cast<unsigned char>('<')] = true;
    special[static_cast<unsigned char>('&')] = true;
    special[static_cast<unsigned char>(']')] = true;
    special[static_cast<unsigned char>('\t')] = false;
    special[static_cast<unsigned char>('\n')] = false;
  }
};
constexpr TTextClasses kText;

}  // namespace

bool IsPlainXmlText(std::string_view text) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const char c = *p;
    if (!kText.special[static_cast<unsigned char>(c)]) {
      ++p;
    } else if (c == ']') {
      if (end - p >= 3 && p[1] == ']' && p[2] == '>') return false;
      ++p;
    } else if (static_cast<unsigned char>(c) >= 0x80) {
      char32_t code = 0;
      const int length = DecodeUtf8(p, end, code);
      if (length <= 0) return false;
      p += length;
    } else {
      return false;
    }
  }
  return true;
}

TXmlContentScanner::TXmlContentScanner(IXmlSaxHandler& handler, std::string_view qualifiedName,
                                       std::vector<std::pair<std::string, std::string>> namespaces,
                                       int depth)
    : handler_(handler), baseDepth_(depth) {
  bindings_.push_back({"xml", std::string(kXmlNamespace), 0});
  for (auto& [prefix, uri] : namespaces) bindings_.push_back({prefix, uri, 0});
  openStarts_.push_back(0);
  openNames_.assign(qualifiedName);
}

void TXmlContentScanner::Feed(const char* data, std::size_t size) {
  if (done_) {
    remainder_.append(data, size);
    return;
  }
  const char* begin = data;
  const char* end = data + size;
  std::int64_t offset = fed_;
  fed_ += static_cast<std::int64_t>(size);
  if (!carry_.empty()) {
    const std::size_t carried = carry_.size();
    if (rescanAt_ == 0 && size > kBridge) {
      // The token the last chunk ended inside is completed from the first bytes of this one,
      // enough for nearly every token, so the chunk is then scanned where it lies, not copied.
      carry_.append(data, kBridge);
      const std::string carry = std::move(carry_);
      carry_.clear();
      const char* stop = Scan(carry.data(), carry.data() + carry.size(),
                              offset - static_cast<std::int64_t>(carried));
      const auto used = static_cast<std::size_t>(stop - carry.data());
      if (done_ || used < carried) {
        // Done, or still inside the carried token: what is left joins the rest of the chunk.
        std::string rest = carry.substr(used);
        rest.append(data + kBridge, size - kBridge);
        Keep(rest.data(), rest.data() + rest.size(),
             offset + static_cast<std::int64_t>(size) - static_cast<std::int64_t>(rest.size()));
        return;
      }
      begin = data + (used - carried);
      offset += static_cast<std::int64_t>(used - carried);
    } else {
      carry_.append(data, size);
      if (carry_.size() < rescanAt_) return;
      const std::string carry = std::move(carry_);
      carry_.clear();
      Keep(carry.data(), carry.data() + carry.size(), offset - static_cast<std::int64_t>(carried));
      return;
    }
  }
  Keep(begin, end, offset);
}

void TXmlContentScanner::Finish() {
  if (!done_ && !carry_.empty()) {
    const std::string carry = std::move(carry_);
    carry_.clear();
    Keep(carry.data(), carry.data() + carry.size(), fed_ - static_cast<std::int64_t>(carry.size()));
  }
  if (!done_) Truncated();
}

const char* TXmlContentScanner::Scan(const char* begin, const char* end, std::int64_t offset) {
  chunkBegin_ = begin;
  chunkOffset_ = offset;
  const char* p = begin;
  while (p < end && !done_) {
    const char* next = *p == '<' ? ScanMarkup(p, end) : ScanText(p, end);
    if (next == nullptr) break;
    p = next;
  }
  return p;
}

void TXmlContentScanner::Keep(const char* begin, const char* end, std::int64_t offset) {
  const char* p = Scan(begin, end, offset);
  std::string rest(p, static_cast<std::size_t>(end - p));
  if (done_) {
    remainder_ = std::move(rest);
  } else {
    carry_ = std::move(rest);
    rescanAt_ = carry_.size() >= kRescanFrom ? 2 * carry_.size() : 0;
  }
}

void TXmlContentScanner::Truncated() const {
  throw EXmlError(u"XML error: the document ends inside the element \"" +
                  platform::Utf8ToUtf16(openNames_.substr(openStarts_.back())) + u"\".");
}

std::int64_t TXmlContentScanner::Offset(const char* at) const {
  return chunkOffset_ + (at - chunkBegin_);
}

void TXmlContentScanner::Fail(const char* what, const char* at) const {
  throw EXmlError(u"XML error at byte " + platform::Utf8ToUtf16(std::to_string(Offset(at))) +
                  u" of the element's content: " + platform::Utf8ToUtf16(what) + u".");
}

const char* TXmlContentScanner::ScanText(const char* p, const char* end) {
  const char* origin = p;
  const char* start = p;
  while (p < end) {
    if (!kText.special[static_cast<unsigned char>(*p)]) {
      ++p;
      continue;
    }
    const char c = *p;
    if (c == '<') break;
    if (c == '&') {
      Emit(std::string_view(start, static_cast<std::size_t>(p - start)));
      reference_.clear();
      const char* next = ScanReference(p, end, reference_);
      if (next == nullptr) return p == origin ? nullptr : p;
      Emit(reference_);
      start = p = next;
    } else if (c == '\r') {
      // Line ends read as LF, as the XML parser delivers them.
      if (p + 1 >= end) break;
      Emit(std::string_view(start, static_cast<std::size_t>(p - start)));
      Emit("\n");
      p += p[1] == '\n' ? 2 : 1;
      start = p;
    } else if (c == ']') {
      if (p + 2 >= end) break;
      if (p[1] == ']' && p[2] == '>') Fail("\"]]>\" is not allowed in text", p);
      ++p;
    } else {
      char32_t code = 0;
      const int length = DecodeUtf8(p, end, code);
      if (length < 0) Fail("a byte sequence that is not a UTF-8 XML character", p);
      if (length == 0) break;
      p += length;
    }
  }
  Emit(std::string_view(start, static_cast<std::size_t>(p - start)));
  return p == origin ? nullptr : p;
}

const char* TXmlContentScanner::ScanReference(const char* p, const char* end, std::string& out) {
  // P is at '&'.
  const char* semicolon = static_cast<const char*>(std::memchr(p, ';', end - p));
  if (semicolon == nullptr) {
    // An entity name can be long, a character reference any number of leading zeros long.
    if (end - p > static_cast<std::ptrdiff_t>(kMaxNameLength) && p[1] != '#')
      Fail("an entity reference without its \";\"", p);
    return nullptr;
  }
  const std::string_view body(p + 1, static_cast<std::size_t>(semicolon - p - 1));
  if (!body.empty() && body.front() == '#') {
    char32_t value = 0;
    std::string_view digits = body.substr(1);
    const bool hex = !digits.empty() && digits.front() == 'x';
    if (hex) digits.remove_prefix(1);
    if (digits.empty()) Fail("a character reference without digits", p);
    for (char d : digits) {
      int digit = -1;
      if (d >= '0' && d <= '9')
        digit = d - '0';
      else if (hex && d >= 'a' && d <= 'f')
        digit = d - 'a' + 10;
      else if (hex && d >= 'A' && d <= 'F')
        digit = d - 'A' + 10;
      if (digit < 0) Fail("a character reference with a character that is not a digit", p);
      value = std::min<char32_t>(value * (hex ? 16 : 10) + static_cast<char32_t>(digit), 0x110000);
    }
    if (!IsChar(value)) Fail("a character reference to a character XML does not allow", p);
    platform::AppendUtf8(out, value);
  } else if (body == "lt") {
    out += '<';
  } else if (body == "gt") {
    out += '>';
  } else if (body == "amp") {
    out += '&';
  } else if (body == "quot") {
    out += '"';
  } else if (body == "apos") {
    out += '\'';
  } else {
    Fail("a reference to an entity that is not defined", p);
  }
  return semicolon + 1;
}

inline const char* TXmlContentScanner::ScanName(const char* p, const char* end,
                                                std::size_t& colon) {
  // The common case, kept small enough to inline: a run of ASCII name characters ended by an
  // ASCII byte that is not a colon.
  const char* q = p;
  if (q < end && kAsciiNames.kind[static_cast<unsigned char>(*q)] == 1) {
    ++q;
    while (q < end && kAsciiNames.kind[static_cast<unsigned char>(*q)] != 0) ++q;
    if (q < end && static_cast<std::size_t>(q - p) <= kMaxNameLength) {
      const auto next = static_cast<unsigned char>(*q);
      if (next != ':' && next < 0x80) {
        colon = std::string_view::npos;
        return q;
      }
    }
  }
  return ScanNameFully(p, end, colon);
}

const char* TXmlContentScanner::ScanNameFully(const char* p, const char* end, std::size_t& colon) {
  const char* start = p;
  colon = std::string_view::npos;
  bool first = true;
  // The common case first: a run of ASCII name characters, decided by table.
  if (p < end && kAsciiNames.kind[static_cast<unsigned char>(*p)] == 1) {
    const char* limit = end - start > static_cast<std::ptrdiff_t>(kMaxNameLength)
                            ? start + kMaxNameLength + 1
                            : end;
    ++p;
    while (p < limit && kAsciiNames.kind[static_cast<unsigned char>(*p)] != 0) ++p;
    if (static_cast<std::size_t>(p - start) > kMaxNameLength) Fail("a name too long", start);
    if (p >= end) return nullptr;
    const auto next = static_cast<unsigned char>(*p);
    if (next != ':' && next < 0x80) return p;
    first = false;
  }
  while (p < end) {
    char32_t c = static_cast<unsigned char>(*p);
    if (c < 0x80 && c != ':') {
      const std::uint8_t kind = kAsciiNames.kind[c];
      if (kind == 0 || (first && kind != 1)) break;
      first = false;
      ++p;
      if (static_cast<std::size_t>(p - start) > kMaxNameLength) Fail("a name too long", start);
      continue;
    }
    int length = 1;
    if (c >= 0x80) {
      length = DecodeUtf8(p, end, c);
      if (length == 0) return nullptr;
      if (length < 0) Fail("a byte sequence that is not a UTF-8 XML character", p);
    }
    if (c == ':' && colon == std::string_view::npos && !first) {
      colon = static_cast<std::size_t>(p - start);
      first = true;
      ++p;
      continue;
    }
    if (first ? !IsNameStart(c) : !IsNameChar(c)) break;
    first = false;
    p += length;
    if (static_cast<std::size_t>(p - start) > kMaxNameLength) Fail("a name too long", start);
  }
  if (p >= end) return nullptr;
  if (first) Fail("a malformed name", p);
  return p;
}

inline const char* TXmlContentScanner::ScanAttributeValue(const char* p, const char* end,
                                                          TRawAttribute& attribute) {
  // P is at the opening quote. Most values are plain ASCII, taken as they stand.
  const char* start = p + 1;
  const char* q = start;
  while (q < end && kPlainAttribute.plain[static_cast<unsigned char>(*q)]) ++q;
  if (q < end && *q == *p && static_cast<std::size_t>(q - start) <= kMaxTextLength) {
    attribute.InScratch = false;
    attribute.ValueAt = static_cast<std::size_t>(start - chunkBegin_);
    attribute.ValueSize = static_cast<std::size_t>(q - start);
    return q + 1;
  }
  return ScanAttributeValueFully(p, end, attribute);
}

const char* TXmlContentScanner::ScanAttributeValueFully(const char* p, const char* end,
                                                        TRawAttribute& attribute) {
  const char quote = *p++;
  const char* start = p;
  bool decoded = false;
  const std::size_t scratchAt = scratch_.size();
  while (true) {
    if (p >= end) return nullptr;
    const char c = *p;
    if (c == quote) break;
    if (c == '<') Fail("\"<\" in an attribute value", p);
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x80 && c != '&') {
      if (decoded) scratch_ += c;
      ++p;
      continue;
    }
    if (!decoded) {
      scratch_.append(start, static_cast<std::size_t>(p - start));
      decoded = true;
    }
    if (c == '&') {
      const char* next = ScanReference(p, end, scratch_);
      if (next == nullptr) return nullptr;
      p = next;
    } else if (IsSpace(c)) {
      // Line ends and other white space become blanks (a CR LF pair one blank).
      if (c == '\r') {
        if (p + 1 >= end) return nullptr;
        if (p[1] == '\n') ++p;
      }
      scratch_ += ' ';
      ++p;
    } else {
      char32_t code = 0;
      const int length = DecodeUtf8(p, end, code);
      if (length < 0) Fail("a byte sequence that is not a UTF-8 XML character", p);
      if (length == 0) return nullptr;
      scratch_.append(p, static_cast<std::size_t>(length));
      p += length;
    }
  }
  if (static_cast<std::size_t>(p - start) > kMaxTextLength)
    Fail("an attribute value too long", start);
  attribute.InScratch = decoded;
  if (decoded) {
    attribute.ValueAt = scratchAt;
    attribute.ValueSize = scratch_.size() - scratchAt;
  } else {
    attribute.ValueAt = static_cast<std::size_t>(start - chunkBegin_);
    attribute.ValueSize = static_cast<std::size_t>(p - start);
  }
  return p + 1;
}

std::string_view TXmlContentScanner::ResolveBinding(std::string_view prefix) const {
  if (prefix.empty()) {
    defaultKnown_ = bindings_.size();
    defaultURI_ = {};
    for (auto binding = bindings_.rbegin(); binding != bindings_.rend(); ++binding) {
      if (binding->Prefix.empty()) {
        defaultURI_ = binding->URI;
        break;
      }
    }
    return defaultURI_;
  }
  TResolvedPrefix& found =
      resolved_[(prefix.size() + static_cast<unsigned char>(prefix[0])) % resolved_.size()];
  if (SameShortText(found.Prefix, prefix)) return found.URI;
  for (auto binding = bindings_.rbegin(); binding != bindings_.rend(); ++binding) {
    if (binding->Prefix == prefix) {
      found = {binding->Prefix, binding->URI};
      return binding->URI;
    }
  }
  throw EXmlError(u"XML error: the namespace prefix \"" +
                  platform::Utf8ToUtf16(std::string(prefix)) + u"\" is not declared.");
}

void TXmlContentScanner::ReadQualifiedAttributes(const char* tag, int depth) {
  const std::size_t bindingsBefore = bindings_.size();
  for (const TRawAttribute& attribute : raw_) {
    const bool isDefault = attribute.QName == "xmlns";
    const bool isPrefixed = attribute.Colon == 5 && attribute.QName.substr(0, 5) == "xmlns";
    if (!isDefault && !isPrefixed) continue;
    const std::string_view prefix =
        isDefault ? std::string_view() : attribute.QName.substr(attribute.Colon + 1);
    const std::string_view uri = ValueOf(attribute);
    for (std::size_t i = bindingsBefore; i < bindings_.size(); ++i)
      if (bindings_[i].Prefix == prefix) Fail("a namespace declared twice on one element", tag);
    if (uri == kXmlnsNamespace || prefix == "xmlns" || (prefix == "xml") != (uri == kXmlNamespace))
      Fail("a reserved namespace prefix or name misused", tag);
    if (!isDefault && uri.empty()) Fail("an empty namespace name for a prefix", tag);
    bindings_.push_back({std::string(prefix), std::string(uri), depth});
    BindingsChanged();
  }
  for (const TRawAttribute& attribute : raw_) {
    const auto [prefix, local] = SplitQName(attribute.QName, attribute.Colon);
    if (attribute.QName == "xmlns" || prefix == "xmlns") continue;
    attributes_.push_back({local, prefix, Resolve(prefix, false), ValueOf(attribute)});
  }
}

const char* TXmlContentScanner::ScanStartTag(const char* p, const char* end) {
  const char* tag = p;
  std::size_t colon = 0;
  const char* nameEnd = ScanName(p + 1, end, colon);
  if (nameEnd == nullptr) return nullptr;
  const std::string_view qname(p + 1, static_cast<std::size_t>(nameEnd - p - 1));
  p = nameEnd;
  raw_.clear();
  scratch_.clear();
  bool empty = false;
  bool qualified = false;
  while (true) {
    const char* spaceStart = p;
    while (p < end && IsSpace(*p)) ++p;
    if (p >= end) return nullptr;
    if (*p == '>') {
      ++p;
      break;
    }
    if (*p == '/') {
      if (p + 1 >= end) return nullptr;
      if (p[1] != '>') Fail("a malformed start tag", p);
      p += 2;
      empty = true;
      break;
    }
    if (p == spaceStart) Fail("attributes not separated by white space", p);
    // Filled where it stays: a copy of a just-written record stalls on its partial stores.
    TRawAttribute& attribute = raw_.emplace_back();
    const char* attrEnd = ScanName(p, end, attribute.Colon);
    if (attrEnd == nullptr) return nullptr;
    attribute.QName = std::string_view(p, static_cast<std::size_t>(attrEnd - p));
    p = attrEnd;
    while (p < end && IsSpace(*p)) ++p;
    if (p >= end) return nullptr;
    if (*p != '=') Fail("an attribute without a value", p);
    ++p;
    while (p < end && IsSpace(*p)) ++p;
    if (p >= end) return nullptr;
    if (*p != '"' && *p != '\'') Fail("an attribute value without quotes", p);
    p = ScanAttributeValue(p, end, attribute);
    if (p == nullptr) return nullptr;
    qualified =
        qualified || attribute.Colon != std::string_view::npos || attribute.QName == "xmlns";
  }

  // The whole tag is here: namespaces declared on it first, then its attributes.
  const int depth = baseDepth_ + static_cast<int>(openStarts_.size());
  const std::size_t bindingsBefore = bindings_.size();
  attributes_.clear();
  if (!qualified) {
    // The common case: plain names declaring nothing, in no namespace.
    for (const TRawAttribute& attribute : raw_) {
      TXmlSaxAttribute& added = attributes_.emplace_back();
      added.LocalName = attribute.QName;
      added.Value = ValueOf(attribute);
    }
  } else {
    ReadQualifiedAttributes(tag, depth);
  }
  // Repeated attributes (the same local name in the same namespace) are an error.
  const std::size_t count = attributes_.size();
  if (count > 1) {
    if (count <= 16) {
      for (std::size_t i = 0; i < count; ++i)
        for (std::size_t j = i + 1; j < count; ++j)
          if (SameShortText(attributes_[i].LocalName, attributes_[j].LocalName) &&
              attributes_[i].NamespaceURI == attributes_[j].NamespaceURI)
            Fail("an attribute given twice", tag);
    } else {
      std::unordered_set<std::string> seen;
      for (const TXmlSaxAttribute& attribute : attributes_) {
        std::string key(attribute.NamespaceURI);
        key += '\0';
        key += attribute.LocalName;
        if (!seen.insert(std::move(key)).second) Fail("an attribute given twice", tag);
      }
    }
  }
  const auto [prefix, local] = SplitQName(qname, colon);
  const std::string_view uri = Resolve(prefix, true);
  handler_.StartElement(local, uri,
                        TXmlSaxAttributes(attributes_.data(), static_cast<int>(count), false));
  if (empty) {
    handler_.EndElement(local, uri);
    if (bindings_.size() != bindingsBefore) {
      bindings_.resize(bindingsBefore);
      BindingsChanged();
    }
  } else {
    openStarts_.push_back(openNames_.size());
    openNames_.append(qname);
  }
  return p;
}

const char* TXmlContentScanner::ScanEndTag(const char* p, const char* end) {
  const char* tag = p;
  const std::string_view open = std::string_view(openNames_).substr(openStarts_.back());
  std::string_view qname;
  std::size_t colon = 0;
  if (static_cast<std::size_t>(end - p) > open.size() + 2 && p[2 + open.size()] == '>' &&
      SameShortText(open, std::string_view(p + 2, open.size()))) {
    // The open element's name, as its start tag was read: nothing more to check.
    qname = open;
    colon = std::string_view::npos;
    for (std::size_t i = 0; i < open.size(); ++i)
      if (open[i] == ':') {
        colon = i;
        break;
      }
    p += 2 + open.size();
  } else {
    const char* nameEnd = ScanName(p + 2, end, colon);
    if (nameEnd == nullptr) return nullptr;
    qname = std::string_view(p + 2, static_cast<std::size_t>(nameEnd - p - 2));
    p = nameEnd;
    while (p < end && IsSpace(*p)) ++p;
    if (p >= end) return nullptr;
    if (*p != '>') Fail("a malformed end tag", p);
    if (qname != open) Fail("an end tag that does not match its start tag", tag);
  }
  if (openStarts_.size() == 1) {
    // The element's own end tag: the parser of the rest reads it.
    done_ = true;
    return tag;
  }
  const auto [prefix, local] = SplitQName(qname, colon);
  handler_.EndElement(local, Resolve(prefix, true));
  const int depth = baseDepth_ + static_cast<int>(openStarts_.size()) - 1;
  while (!bindings_.empty() && bindings_.back().Depth == depth) {
    bindings_.pop_back();
    BindingsChanged();
  }
  openNames_.resize(openStarts_.back());
  openStarts_.pop_back();
  return p + 1;
}

const char* TXmlContentScanner::ScanMarkup(const char* p, const char* end) {
  if (p + 1 >= end) return nullptr;
  if (p[1] == '/') return ScanEndTag(p, end);
  if (p[1] != '!' && p[1] != '?') return ScanStartTag(p, end);
  auto find = [&](std::string_view what, const char* from) -> const char* {
    const auto* found = std::search(from, end, what.begin(), what.end());
    return found == end ? nullptr : found;
  };
  auto checkChars = [&](const char* from, const char* to) {
    for (const char* q = from; q < to;) {
      char32_t code = 0;
      const int length = DecodeUtf8(q, to, code);
      if (length <= 0) Fail("a byte sequence that is not a UTF-8 XML character", q);
      q += length;
    }
  };
  if (p[1] == '?') {
    // A processing instruction: passed over, except an XML declaration out of place.
    std::size_t colon = 0;
    const char* nameEnd = ScanName(p + 2, end, colon);
    if (nameEnd == nullptr) return nullptr;
    const std::string_view target(p + 2, static_cast<std::size_t>(nameEnd - p - 2));
    if (target.size() == 3 && (target[0] | 0x20) == 'x' && (target[1] | 0x20) == 'm' &&
        (target[2] | 0x20) == 'l')
      Fail("an XML declaration inside the document", p);
    if (colon != std::string_view::npos) Fail("a processing instruction with a colon", p);
    const char* close = find("?>", nameEnd);
    if (close == nullptr) {
      if (end - p > static_cast<std::ptrdiff_t>(kMaxTextLength))
        Fail("a processing instruction too long", p);
      return nullptr;
    }
    if (close != nameEnd && !IsSpace(*nameEnd)) Fail("a malformed processing instruction", p);
    checkChars(nameEnd, close);
    return close + 2;
  }
  if (end - p < 4) return nullptr;
  if (p[2] == '-' && p[3] == '-') {
    const char* close = find("--", p + 4);
    if (close == nullptr || close + 2 >= end) {
      if (end - p > static_cast<std::ptrdiff_t>(kMaxTextLength)) Fail("a comment too long", p);
      return nullptr;
    }
    if (close[2] != '>') Fail("\"--\" inside a comment", close);
    checkChars(p + 4, close);
    return close + 3;
  }
  constexpr std::string_view kCData = "<![CDATA[";
  if (static_cast<std::size_t>(end - p) < kCData.size()) {
    if (std::string_view(p, static_cast<std::size_t>(end - p)) != kCData.substr(0, end - p))
      Fail("markup that is not allowed in content", p);
    return nullptr;
  }
  if (std::string_view(p, kCData.size()) != kCData)
    Fail("markup that is not allowed in content", p);
  const char* close = find("]]>", p + kCData.size());
  if (close == nullptr) return nullptr;
  const char* text = p + kCData.size();
  checkChars(text, close);
  // CDATA is plain text here, handed over as written (libxml2 keeps its line ends too).
  Emit(std::string_view(text, static_cast<std::size_t>(close - text)));
  return close + 3;
}

}  // namespace workbook
