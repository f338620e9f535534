#include "workbook/core/xml/xml_reader.h"

#include <libxml/xmlreader.h>

#include <algorithm>
#include <cstring>

#include "platform/text_codec.h"
#include "workbook/core/xml/xml_error.h"
#include "workbook/core/xml/xml_internal.h"

namespace workbook {

using xml_internal::View;

// Where the parser's bytes come from: a caller's memory block or stream. Failures of the
// stream are kept here, since they cannot cross the C library.
struct TXmlReader::TInput {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t position = 0;
  TStream* stream = nullptr;
  std::string failure;
  xml_internal::TErrorCollector errors;
};

namespace {

int ReadInput(void* context, char* buffer, int length) {
  auto& input = *static_cast<TXmlReader::TInput*>(context);
  if (length <= 0) return 0;
  if (!input.stream) {
    std::size_t n = std::min(static_cast<std::size_t>(length), input.size - input.position);
    std::memcpy(buffer, input.data + input.position, n);
    input.position += n;
    return static_cast<int>(n);
  }
  try {
    return static_cast<int>(input.stream->Read(buffer, static_cast<std::size_t>(length)));
  } catch (const std::exception& e) {
    input.failure = e.what();
    return -1;
  }
}

int CloseInput(void*) { return 0; }

void CollectReaderError(void* context, xmlErrorPtr error) {
  static_cast<TXmlReader::TInput*>(context)->errors.Record(error);
}

}  // namespace

TXmlReader::TXmlReader(const void* data, std::size_t size) : input_(std::make_unique<TInput>()) {
  input_->data = static_cast<const std::uint8_t*>(data);
  input_->size = size;
  Open();
}

TXmlReader::TXmlReader(TStream& stream) : input_(std::make_unique<TInput>()) {
  input_->stream = &stream;
  Open();
}

TXmlReader::~TXmlReader() {
  if (reader_) xmlFreeTextReader(reader_);
}

void TXmlReader::Open() {
  reader_ = xmlReaderForIO(ReadInput, CloseInput, input_.get(), nullptr, nullptr,
                           xml_internal::kParseOptions);
  if (!reader_) throw EXmlError(u"The XML reader could not be created.");
  xmlTextReaderSetStructuredErrorHandler(reader_, CollectReaderError, input_.get());
}

bool TXmlReader::Check(int result) {
  context_.assembled.clear();
  if (result < 0 || input_->errors.fatal) {
    if (!input_->failure.empty()) throw EXmlError(platform::Utf8ToUtf16(input_->failure));
    input_->errors.Throw("XML error: the document is not well-formed.");
  }
  return result == 1;
}

bool TXmlReader::Read() { return Check(xmlTextReaderRead(reader_)); }

bool TXmlReader::Skip() { return Check(xmlTextReaderNext(reader_)); }

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

TXmlNodeType TXmlReader::NodeType() const {
  switch (xmlTextReaderNodeType(reader_)) {
    case XML_READER_TYPE_NONE:
      return TXmlNodeType::None;
    case XML_READER_TYPE_ELEMENT:
      return TXmlNodeType::Element;
    case XML_READER_TYPE_END_ELEMENT:
      return TXmlNodeType::EndElement;
    case XML_READER_TYPE_TEXT:
    case XML_READER_TYPE_CDATA:
      return TXmlNodeType::Text;
    case XML_READER_TYPE_WHITESPACE:
    case XML_READER_TYPE_SIGNIFICANT_WHITESPACE:
      return TXmlNodeType::Whitespace;
    default:
      return TXmlNodeType::Other;
  }
}

int TXmlReader::Depth() const { return xmlTextReaderDepth(reader_); }
bool TXmlReader::IsEmptyElement() const { return xmlTextReaderIsEmptyElement(reader_) == 1; }
std::string_view TXmlReader::LocalName() const {
  return View(xmlTextReaderConstLocalName(reader_));
}
std::string_view TXmlReader::Prefix() const { return View(xmlTextReaderConstPrefix(reader_)); }
std::string_view TXmlReader::NamespaceURI() const {
  return View(xmlTextReaderConstNamespaceUri(reader_));
}

bool TXmlReader::Is(std::string_view name) const { return Current().Is(name); }

TXmlNode TXmlReader::Current() const {
  return TXmlNode(xmlTextReaderCurrentNode(reader_), &context_);
}

std::optional<std::string_view> TXmlReader::FindAttr(std::string_view name) const {
  return Current().FindAttr(name);
}

std::optional<std::string_view> TXmlReader::FindAttrNS(std::string_view localName,
                                                       std::string_view namespaceURI) const {
  return Current().FindAttrNS(localName, namespaceURI);
}

std::u16string TXmlReader::Attr16(std::string_view name) const {
  return platform::Utf8ToUtf16(Attr(name));
}

std::string_view TXmlReader::Value() const { return View(xmlTextReaderConstValue(reader_)); }
std::u16string TXmlReader::Value16() const { return platform::Utf8ToUtf16(Value()); }

TXmlNode TXmlReader::Expand() {
  xmlNode* node = xmlTextReaderExpand(reader_);
  if (!node) {
    if (!input_->failure.empty()) throw EXmlError(platform::Utf8ToUtf16(input_->failure));
    input_->errors.Throw("XML error: the element could not be read.");
  }
  return TXmlNode(node, &context_);
}

void TXmlReader::RegisterNamespace(std::string_view prefix, std::string_view namespaceURI) {
  context_.namespaces.emplace_back(std::string(prefix), std::string(namespaceURI));
}

std::int64_t TXmlReader::BytesConsumed() const { return xmlTextReaderByteConsumed(reader_); }

}  // namespace workbook
