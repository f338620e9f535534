#include "workbook/core/xml/xml_scanning_parser.h"

namespace workbook {

namespace {

// While looking for the element, a construct still unfinished after this many bytes sends the
// whole document to libxml2 instead of being searched again and again.
constexpr std::size_t kMaxPending = 4 * 1024 * 1024;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

void TXmlScanningParser::TRelay::StartElement(std::string_view localName,
                                              std::string_view namespaceURI,
                                              const TXmlSaxAttributes& attributes) {
  ++events_;
  if (++open_ == depth_ && localName == localName_ && isNamespace_(namespaceURI))
    startEvent_ = events_;
  target_.StartElement(localName, namespaceURI, attributes);
}

void TXmlScanningParser::TRelay::EndElement(std::string_view localName,
                                            std::string_view namespaceURI) {
  ++events_;
  --open_;
  target_.EndElement(localName, namespaceURI);
}

void TXmlScanningParser::TRelay::Characters(std::string_view text) {
  ++events_;
  target_.Characters(text);
}

TXmlScanningParser::TXmlScanningParser(IXmlSaxHandler& handler, std::string_view localName,
                                       TNamespaceTest isNamespace, int depth)
    : handler_(handler),
      relay_(handler, localName, isNamespace, depth),
      parser_(relay_),
      localName_(localName),
      depth_(depth) {}

std::size_t TXmlScanningParser::Write(const void* buffer, std::size_t count) {
  const char* data = static_cast<const char*>(buffer);
  consumed_ += static_cast<std::int64_t>(count);
  switch (mode_) {
    case TMode::Looking:
      pending_.append(data, count);
      Look();
      break;
    case TMode::Scanning:
      Scan(data, count);
      break;
    case TMode::Rest:
      parser_.Write(data, count);
      break;
  }
  return count;
}

void TXmlScanningParser::Finish() {
  if (mode_ == TMode::Looking) FeedParser(pending_.size());
  if (mode_ == TMode::Scanning) {
    scanner_->Finish();
    mode_ = TMode::Rest;
    const std::string rest = scanner_->TakeRemainder();
    parser_.Write(rest.data(), rest.size());
  }
  parser_.Finish();
}

void TXmlScanningParser::FeedParser(std::size_t count) {
  parser_.Write(pending_.data(), count);
  pending_.erase(0, count);
}

void TXmlScanningParser::Scan(const char* data, std::size_t count) {
  scanner_->Feed(data, count);
  if (!scanner_->Done()) return;
  mode_ = TMode::Rest;
  const std::string rest = scanner_->TakeRemainder();
  parser_.Write(rest.data(), rest.size());
}

std::size_t XmlStartTagEnd(std::string_view text) {
  char quote = 0;
  for (std::size_t at = 1; at < text.size(); ++at) {
    const char c = text[at];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      return at;
    }
  }
  return std::string_view::npos;
}

// Finds the element's start tag in the raw bytes, passing over comments, processing
// instructions, CDATA and quoted attribute values; libxml2 reads everything up to it and
// confirms it.
void TXmlScanningParser::Look() {
  std::size_t at = 0;
  while (mode_ == TMode::Looking) {
    const std::size_t open = pending_.find('<', at);
    if (open == std::string::npos) {
      FeedParser(pending_.size());
      return;
    }
    const std::string_view rest = std::string_view(pending_).substr(open);
    std::size_t next = std::string::npos;
    if (rest.size() < 2 || (rest[1] == '!' && rest.size() < 9)) {
      next = std::string::npos;
    } else if (StartsWith(rest, "<!--")) {
      next = pending_.find("-->", open + 4);
      if (next != std::string::npos) next += 3;
    } else if (rest[1] == '?') {
      next = pending_.find("?>", open + 2);
      if (next != std::string::npos) next += 2;
    } else if (StartsWith(rest, "<![CDATA[")) {
      next = pending_.find("]]>", open + 9);
      if (next != std::string::npos) next += 3;
    } else if (rest[1] == '!') {
      // A document type declaration: libxml2 refuses it, the whole document goes there.
      mode_ = TMode::Rest;
      FeedParser(pending_.size());
      return;
    } else if (rest[1] == '/') {
      next = pending_.find('>', open);
      if (next != std::string::npos) ++next;
    } else {
      const std::size_t close = XmlStartTagEnd(rest);
      if (close != std::string_view::npos) {
        std::size_t nameEnd = 1;
        while (nameEnd < close && rest[nameEnd] != '/' && rest[nameEnd] != ' ' &&
               rest[nameEnd] != '\t' && rest[nameEnd] != '\r' && rest[nameEnd] != '\n')
          ++nameEnd;
        const std::string qname(rest.substr(1, nameEnd - 1));
        const std::size_t colon = qname.rfind(':');
        const std::string_view local = colon == std::string::npos
                                           ? std::string_view(qname)
                                           : std::string_view(qname).substr(colon + 1);
        if (local == localName_ && rest[close - 1] != '/') {
          FeedParser(open + close + 1);
          at = 0;
          if (relay_.AtElementStart() && parser_.ReadsUtf8()) {
            scanner_ = std::make_unique<TXmlContentScanner>(handler_, qname,
                                                            parser_.NamespacesInScope(), depth_);
            mode_ = TMode::Scanning;
            const std::string bytes = std::move(pending_);
            pending_.clear();
            Scan(bytes.data(), bytes.size());
          }
          continue;
        }
        next = open + close + 1;
      }
    }
    if (next == std::string::npos) {
      // Unfinished: what comes before it goes to libxml2, the rest waits for more bytes.
      FeedParser(open);
      if (pending_.size() > kMaxPending) {
        mode_ = TMode::Rest;
        FeedParser(pending_.size());
      }
      return;
    }
    at = next;
  }
}

}  // namespace workbook
