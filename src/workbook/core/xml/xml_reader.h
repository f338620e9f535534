#pragma once
// TXmlReader: the sequential (pull) reader for large parts such as worksheets: it moves node by
// node and holds only a window of the document (the current element, or the subtree it was asked
// to expand into a small tree). Names, values and attributes come as UTF-8 views valid until the
// next move, without copying. Under it runs libxml2's SAX2 parser, fed in pieces; no tree is
// built unless asked for.
//
// Safety: no DTD is loaded, no entity is declared (so a document that refers to any entity
// beyond the five predefined ones fails), the network is never used. Malformed XML raises
// EXmlError once the reader reaches the point of the error.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "workbook/core/stream.h"
#include "workbook/core/xml/xml_node.h"

namespace workbook {

enum class TXmlNodeType { None, Element, EndElement, Text, Whitespace, Other };

class TXmlReader {
 public:
  // Reads size bytes at data, which must stay untouched while the reader lives.
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
  // The next child element of the element at parentDepth (the current node or one of its
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
  // Element name test with the rule of TXmlNode::Is (a prefix in name must match as written).
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
  // Every attribute of the current element as (name as written, value).
  std::vector<std::pair<std::string, std::string_view>> Attributes() const;
  // Namespaces for XPath queries on expanded nodes.
  void RegisterNamespace(std::string_view prefix, std::string_view namespaceURI);

  // How many bytes of input the parser has consumed (for progress).
  std::int64_t BytesConsumed() const;

  // The parser and its window of events (defined with the reader's code).
  struct TParser;

 private:
  // Makes the event ahead places after the current one available, parsing further as needed
  // (which may drop the events before the current one); false past the end.
  bool Ensure(std::size_t ahead);
  bool MoveTo(std::size_t index);
  // The index of the end of the current element (itself when it is empty).
  std::size_t EndOfCurrent();

  std::unique_ptr<TParser> parser_;
  TXmlTreeContext context_;
};

}  // namespace workbook
