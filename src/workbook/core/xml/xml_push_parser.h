#pragma once
// TXmlPushParser: a streaming (SAX) parser fed by writing to it as a stream, for the largest
// parts (worksheets) where even the sequential reader's per-node work shows: elements and text
// go to a handler as they are parsed, nothing of the document is kept. A zip entry inflated
// into it is parsed chunk by chunk without ever being whole in memory.
//
// Like the other wrappers it never expands entities, loads DTDs or touches the network; a
// document with a DOCTYPE is refused, and malformed XML raises EXmlError.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "workbook/core/stream.h"

struct _xmlParserCtxt;

namespace workbook {

// One attribute of a start tag: views valid during the handler's call.
struct TXmlSaxAttribute {
  std::string_view LocalName;
  std::string_view Prefix;
  std::string_view NamespaceURI;
  std::string_view Value;
};

// The attributes of one start tag, valid during the handler's call.
class TXmlSaxAttributes {
 public:
  // rawAmpersands: the values may still hold "&#38;" for "&" (as libxml2 hands them over).
  TXmlSaxAttributes(const TXmlSaxAttribute* items, int count, bool rawAmpersands)
      : items_(items), count_(count), rawAmpersands_(rawAmpersands) {}
  int Count() const { return count_; }
  std::string_view LocalName(int i) const { return items_[i].LocalName; }
  std::string_view Prefix(int i) const { return items_[i].Prefix; }
  std::string_view NamespaceURI(int i) const { return items_[i].NamespaceURI; }
  // The value as written, with its character references resolved.
  std::string_view Value(int i) const { return rawAmpersands_ ? DecodedValue(i) : items_[i].Value; }
  // The value of the attribute of that local name that has no namespace; false when absent.
  bool Find(std::string_view localName, std::string_view& value) const;
  std::string_view Get(std::string_view localName) const {
    std::string_view value;
    Find(localName, value);
    return value;
  }

 private:
  std::string_view DecodedValue(int i) const;

  const TXmlSaxAttribute* items_;
  int count_;
  bool rawAmpersands_;
  // Values that needed decoding (rare), kept while the attributes are; a list, because an
  // empty one costs no allocation on every start tag.
  mutable std::list<std::string> decoded_;
};

class IXmlSaxHandler {
 public:
  virtual ~IXmlSaxHandler() = default;
  virtual void StartElement(std::string_view localName, std::string_view namespaceURI,
                            const TXmlSaxAttributes& attributes) = 0;
  virtual void EndElement(std::string_view localName, std::string_view namespaceURI) = 0;
  // text, possibly in several pieces per text node.
  virtual void Characters(std::string_view text) = 0;
};

class TXmlPushParser : public TStream {
 public:
  explicit TXmlPushParser(IXmlSaxHandler& handler);
  ~TXmlPushParser() override;
  TXmlPushParser(const TXmlPushParser&) = delete;
  TXmlPushParser& operator=(const TXmlPushParser&) = delete;

  // Parses the bytes; an exception of the handler or EXmlError comes out of here.
  std::size_t Write(const void* buffer, std::size_t count) override;
  // Ends the document; raises EXmlError when it is incomplete.
  void Finish();

  std::size_t Read(void*, std::size_t) override { return 0; }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  // Bytes parsed so far.
  std::int64_t BytesConsumed() const { return consumed_; }
  // During a handler's call: the namespace bindings in scope (prefix, URI; innermost last).
  std::vector<std::pair<std::string, std::string>> NamespacesInScope() const;
  // Whether the input is read as UTF-8 as it stands (no declared encoding to convert from).
  bool ReadsUtf8() const;

  struct TState;

 private:
  void Parse(const char* data, int size, bool terminate);

  std::unique_ptr<TState> state_;
  _xmlParserCtxt* context_ = nullptr;
  std::int64_t consumed_ = 0;
};

}  // namespace workbook
