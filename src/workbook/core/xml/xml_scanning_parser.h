#pragma once
// TXmlScanningParser: a push parser that hands the content of one element (the cells of a
// worksheet, millions of tiny elements) to the hand-written TXmlContentScanner and everything
// around it to libxml2. The handler sees the same events either way.
//
// The element is taken only where libxml2 itself reports it (its local name, a namespace the
// caller accepts, its depth) in a UTF-8 document; anything unusual before it keeps the whole
// document on the libxml2 road.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "workbook/core/stream.h"
#include "workbook/core/xml/xml_content_scanner.h"
#include "workbook/core/xml/xml_push_parser.h"

namespace workbook {

// Where the '>' ending the start tag that text begins with stands, quoted attribute values
// passed over; npos when text ends before it.
std::size_t XmlStartTagEnd(std::string_view text);

class TXmlScanningParser : public TStream {
 public:
  using TNamespaceTest = bool (*)(std::string_view namespaceURI);

  // localName, isNamespace and depth (the root is 1) name the element whose content is scanned.
  TXmlScanningParser(IXmlSaxHandler& handler, std::string_view localName,
                     TNamespaceTest isNamespace, int depth);

  // Parses the bytes; exceptions of the handler and EXmlError come out of here.
  std::size_t Write(const void* buffer, std::size_t count) override;
  // Ends the document; raises EXmlError when it is incomplete.
  void Finish();

  std::size_t Read(void*, std::size_t) override { return 0; }
  std::int64_t Seek(std::int64_t, TSeekOrigin) override { return consumed_; }
  std::int64_t BytesConsumed() const { return consumed_; }
  // Whether the element's content went through the scanner.
  bool Scanned() const { return scanner_ != nullptr; }

 private:
  // Passes libxml2's events on and notes where the element starts.
  class TRelay : public IXmlSaxHandler {
   public:
    TRelay(IXmlSaxHandler& target, std::string_view localName, TNamespaceTest isNamespace,
           int depth)
        : target_(target), localName_(localName), isNamespace_(isNamespace), depth_(depth) {}
    void StartElement(std::string_view localName, std::string_view namespaceURI,
                      const TXmlSaxAttributes& attributes) override;
    void EndElement(std::string_view localName, std::string_view namespaceURI) override;
    void Characters(std::string_view text) override;
    // Whether the last event was the element's start.
    bool AtElementStart() const { return events_ == startEvent_; }

   private:
    IXmlSaxHandler& target_;
    std::string localName_;
    TNamespaceTest isNamespace_;
    int depth_;
    int open_ = 0;
    std::uint64_t events_ = 0;
    std::uint64_t startEvent_ = UINT64_MAX;
  };

  enum class TMode { Looking, Scanning, Rest };

  void Look();
  void FeedParser(std::size_t count);
  void Scan(const char* data, std::size_t count);

  IXmlSaxHandler& handler_;
  TRelay relay_;
  TXmlPushParser parser_;
  std::string localName_;
  int depth_;
  TMode mode_ = TMode::Looking;
  // Bytes not yet given to libxml2 while looking for the element, and where looking resumes.
  std::string pending_;
  std::size_t lookAt_ = 0;
  std::unique_ptr<TXmlContentScanner> scanner_;
  std::int64_t consumed_ = 0;
};

}  // namespace workbook
