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
#include <deque>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "workbook/core/stream.h"

struct _xmlParserCtxt;

namespace workbook {

// The attributes of one start tag, valid during the handler's call.
class TXmlSaxAttributes {
 public:
  TXmlSaxAttributes(const unsigned char** data, int count) : data_(data), count_(count) {}
  int Count() const { return count_; }
  std::string_view LocalName(int i) const;
  std::string_view Prefix(int i) const;
  std::string_view NamespaceURI(int i) const;
  // The value as written, with its character references resolved.
  std::string_view Value(int i) const;
  // The value of the attribute of that local name that has no namespace; false when absent.
  bool Find(std::string_view localName, std::string_view& value) const;
  std::string_view Get(std::string_view localName) const {
    std::string_view value;
    Find(localName, value);
    return value;
  }

 private:
  const unsigned char** data_;
  int count_;
  // Values that needed decoding (rare), kept while the attributes are.
  mutable std::deque<std::string> decoded_;
};

class TXmlSaxHandler {
 public:
  virtual ~TXmlSaxHandler() = default;
  virtual void StartElement(std::string_view localName, std::string_view namespaceURI,
                            const TXmlSaxAttributes& attributes) = 0;
  virtual void EndElement(std::string_view localName, std::string_view namespaceURI) = 0;
  // Text, possibly in several pieces per text node.
  virtual void Characters(std::string_view text) = 0;
};

class TXmlPushParser : public TStream {
 public:
  explicit TXmlPushParser(TXmlSaxHandler& handler);
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

  struct TState;

 private:
  void Parse(const char* data, int size, bool terminate);

  std::unique_ptr<TState> state_;
  _xmlParserCtxt* context_ = nullptr;
  std::int64_t consumed_ = 0;
};

}  // namespace workbook
