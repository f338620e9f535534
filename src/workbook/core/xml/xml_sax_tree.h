#pragma once
// TXmlSaxTree: builds a small tree from the events of a streaming parse, so that one element of
// a part read with TXmlPushParser can go to readers that take tree nodes. Elements keep their
// local names only; attributes in a namespace keep their prefix, declared on their element, so
// both prefixed lookups ("r:id") and namespace lookups find them.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/core/xml/xml_document.h"
#include "workbook/core/xml/xml_push_parser.h"

namespace workbook {

class TXmlSaxTree {
 public:
  TXmlSaxTree() = default;
  // Without declareNamespaces attributes are named "prefix:name" alone, with no declaration: for
  // a reader that finds them by their prefixed names only, one declaration fewer per attribute.
  explicit TXmlSaxTree(bool declareNamespaces) : declareNamespaces_(declareNamespaces) {}

  // The first element started becomes the root of a new tree.
  void StartElement(std::string_view localName, const TXmlSaxAttributes& attributes);
  void EndElement();
  void Characters(std::string_view text);
  // True once the root element has ended.
  bool Complete() const { return document_ && open_.empty(); }
  // The root of the tree built; valid until Reset.
  TXmlNode Root() { return document_ ? document_->DocumentElement() : TXmlNode(); }
  void Reset();

 private:
  std::unique_ptr<TXmlDocument> document_;
  std::vector<TXmlNode> open_;
  bool declareNamespaces_ = true;
  std::string name_;  // an attribute's prefixed name
};

}  // namespace workbook
