#pragma once
// TXmlContentScanner: a small hand-written XML scanner for the content of one element (the cells
// of a worksheet), fed chunk by chunk as the part is inflated. libxml2 spends most of its time on
// bookkeeping that these millions of tiny elements do not need; this scanner hands the same events
// to the same handler with far less work per tag.
//
// It is as strict as the libxml2 road on what it reads: tags must match and nest, names and
// characters must be well-formed UTF-8 XML, only the five predefined entities and character
// references are known, undeclared prefixes and repeated attributes are refused, and a DOCTYPE or
// an XML declaration inside the content is an error. Anything malformed raises EXmlError; it never
// reads outside the bytes it was given.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "workbook/core/xml/xml_push_parser.h"

namespace workbook {

// Whether an XML parser would hand text, standing as an element's content, over unchanged: no
// markup or references, no CR (line ends are rewritten), no "]]>", only well-formed UTF-8 of
// characters XML allows.
bool IsPlainXmlText(std::string_view text);

class TXmlContentScanner {
 public:
  // Scans the content of the element whose start tag was just read: its qualified name as
  // written, the namespace bindings in scope there (prefix, URI; innermost last) and its depth
  // in the document (the root is 1).
  TXmlContentScanner(IXmlSaxHandler& handler, std::string_view qualifiedName,
                     std::vector<std::pair<std::string, std::string>> namespaces, int depth);

  // Scans the bytes; once the element's end tag is reached the rest is kept for Remainder().
  void Feed(const char* data, std::size_t size);
  // Whether the element's end tag has been reached.
  bool Done() const { return done_; }
  // After Done(): the bytes from the element's end tag on, for the parser of the rest.
  std::string TakeRemainder() { return std::move(remainder_); }
  // The input has ended: EXmlError unless the element's end tag was reached.
  void Finish();

 private:
  struct TBinding {
    std::string Prefix;
    std::string URI;
    int Depth;
  };
  struct TRawAttribute {
    std::string_view QName;
    std::size_t Colon;  // position of ':' in QName, or npos
    std::size_t ValueAt;
    std::size_t ValueSize;
    bool InScratch;  // the value was decoded into scratch_
  };

  // Scans the bytes (offset: where begin stands among all bytes fed) until they end, the
  // element's end tag is reached or a token is unfinished; returns where it stopped.
  const char* Scan(const char* begin, const char* end, std::int64_t offset);
  // Scans the bytes and keeps what is left: the unfinished token for the next chunk, or the
  // remainder once the element's end tag is reached.
  void Keep(const char* begin, const char* end, std::int64_t offset);
  [[noreturn]] void Truncated() const;
  // Each returns the position after what it read, or nullptr when the input ends inside it.
  const char* ScanText(const char* p, const char* end);
  const char* ScanStartTag(const char* p, const char* end);
  // The attributes of the start tag at tag (depth: its element's), when some are prefixed or
  // declare namespaces: the declarations bound first, then the attributes resolved.
  void ReadQualifiedAttributes(const char* tag, int depth);
  std::string_view ValueOf(const TRawAttribute& attribute) const {
    const char* base = attribute.InScratch ? scratch_.data() : chunkBegin_;
    return std::string_view(base + attribute.ValueAt, attribute.ValueSize);
  }
  const char* ScanEndTag(const char* p, const char* end);
  const char* ScanMarkup(const char* p, const char* end);
  const char* ScanName(const char* p, const char* end, std::size_t& colon);
  const char* ScanNameFully(const char* p, const char* end, std::size_t& colon);
  const char* ScanAttributeValue(const char* p, const char* end, TRawAttribute& attribute);
  const char* ScanAttributeValueFully(const char* p, const char* end, TRawAttribute& attribute);
  // Reads the reference at P ("&...;"), appending its character as UTF-8.
  const char* ScanReference(const char* p, const char* end, std::string& out);

  std::string_view Resolve(std::string_view prefix, bool element) const {
    // Unprefixed attributes are in no namespace; unprefixed elements in the default one.
    if (prefix.empty() && !element) return {};
    if (prefix.empty() && defaultKnown_ != 0) return defaultURI_;
    return ResolveBinding(prefix);
  }
  // The namespace bound to prefix (the default one for none); EXmlError when it is undeclared.
  std::string_view ResolveBinding(std::string_view prefix) const;
  void Emit(std::string_view text) {
    if (!text.empty()) handler_.Characters(text);
  }
  [[noreturn]] void Fail(const char* what, const char* at) const;
  std::int64_t Offset(const char* at) const;

  IXmlSaxHandler& handler_;
  std::vector<TBinding> bindings_;
  // The default namespace while the bindings stay as they were when it was found (0: unknown).
  mutable std::size_t defaultKnown_ = 0;
  mutable std::string_view defaultURI_;
  // Prefixes found while the bindings stay as they are: a part that declares dozens of
  // namespaces (OpenDocument's) would otherwise have them searched for every name.
  struct TResolvedPrefix {
    std::string_view Prefix;
    std::string_view URI;
  };
  mutable std::array<TResolvedPrefix, 8> resolved_{};
  // Whatever was found in the bindings goes when they change.
  void BindingsChanged() {
    defaultKnown_ = 0;
    resolved_.fill({});
  }
  // Qualified names of the open elements, one after another, and where each begins.
  std::string openNames_;
  std::vector<std::size_t> openStarts_;
  int baseDepth_;
  bool done_ = false;
  std::string remainder_;

  // Bytes of an unfinished token carried over to the next chunk.
  std::string carry_;
  // The carried bytes are scanned again once they are this many.
  std::size_t rescanAt_ = 0;
  // Where the chunk being scanned starts among all bytes fed (for error offsets).
  const char* chunkBegin_ = nullptr;
  std::int64_t chunkOffset_ = 0;
  std::int64_t fed_ = 0;

  // Reused for every start tag.
  std::vector<TRawAttribute> raw_;
  std::vector<TXmlSaxAttribute> attributes_;
  std::string scratch_;
  std::string reference_;
};

}  // namespace workbook
