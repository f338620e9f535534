#pragma once
// TXmlReader: the sequential (pull) reader for large parts such as worksheets: it moves node by
// node and never holds more of the document than the current element, unless asked to expand
// it into a small tree. Names, values and attributes come as UTF-8 views valid until the next
// move, without copying. Entities are never expanded, DTDs never loaded, the network never used;
// malformed XML raises EXmlError.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "workbook/core/stream.h"
#include "workbook/core/xml/xml_node.h"

struct _xmlTextReader;

namespace workbook {

enum class TXmlNodeType { None, Element, EndElement, Text, Whitespace, Other };

class TXmlReader {
 public:
  // Reads Size bytes at Data, which must stay untouched while the reader lives.
  TXmlReader(const void* data, std::size_t size);
  // Reads the stream from its position on; the stream is not owned.
  explicit TXmlReader(TStream& stream);
  ~TXmlReader();
  TXmlReader(const TXmlReader&) = delete;
  TXmlReader& operator=(const TXmlReader&) = delete;

  // The next node in document order; false at the end of the document.
  bool Read();
  // Past the current node and its whole subtree to the next node; false at the end.
  bool Skip();
  // The next child element of the element at ParentDepth (the current node or one of its
  // descendants), skipping whatever is left of the current child; false at the parent's end.
  bool NextChildElement(int parentDepth);
  // From the start: walks element steps ("office:document-content/office:body") to the last
  // one and stops on it; false when a step is missing.
  bool ReadToPath(std::string_view path);

  TXmlNodeType NodeType() const;
  int Depth() const;
  bool IsEmptyElement() const;
  std::string_view LocalName() const;
  std::string_view Prefix() const;
  std::string_view NamespaceURI() const;
  // Element name test with the rule of TXmlNode::Is.
  bool Is(std::string_view name) const;

  // Attributes of the current element (see TXmlNode for the name rule).
  std::optional<std::string_view> FindAttr(std::string_view name) const;
  std::string_view Attr(std::string_view name) const { return FindAttr(name).value_or(""); }
  std::optional<std::string_view> FindAttrNS(std::string_view localName,
                                             std::string_view namespaceURI) const;
  std::u16string Attr16(std::string_view name) const;

  // The text of a text or whitespace node.
  std::string_view Value() const;
  std::u16string Value16() const;

  // The current element with its whole subtree as a tree, valid until the reader moves on.
  TXmlNode Expand();
  // The current node as a handle (attributes only for an element that is not expanded).
  TXmlNode Current() const;
  // Namespaces for XPath queries on expanded nodes.
  void RegisterNamespace(std::string_view prefix, std::string_view namespaceURI);

  // How many bytes of input the parser has consumed (for progress).
  std::int64_t BytesConsumed() const;

  // The parser's input (defined with the reader's code).
  struct TInput;

 private:
  void Open();
  bool Check(int result);

  std::unique_ptr<TInput> input_;
  _xmlTextReader* reader_ = nullptr;
  mutable TXmlTreeContext context_;
};

}  // namespace workbook
