#include "workbook/core/xml/xml_sax_tree.h"

#include <string>

namespace workbook {

void TXmlSaxTree::StartElement(std::string_view localName, const TXmlSaxAttributes& attributes) {
  TXmlNode node;
  if (open_.empty()) {
    document_ = std::make_unique<TXmlDocument>();
    node = document_->CreateRoot(localName);
  } else {
    node = open_.back().AddChild(localName);
  }
  for (int i = 0; i < attributes.Count(); ++i) {
    const std::string_view namespaceURI = attributes.NamespaceURI(i);
    if (namespaceURI.empty()) {
      node.SetAttr(attributes.LocalName(i), attributes.Value(i));
      continue;
    }
    std::string_view prefix = attributes.Prefix(i);
    if (prefix.empty()) prefix = "ns";
    if (declareNamespaces_) node.SetAttr("xmlns:" + std::string(prefix), namespaceURI);
    name_.assign(prefix).append(":").append(attributes.LocalName(i));
    node.SetAttr(name_, attributes.Value(i));
  }
  open_.push_back(node);
}

void TXmlSaxTree::EndElement() {
  if (!open_.empty()) open_.pop_back();
}

void TXmlSaxTree::Characters(std::string_view text) {
  if (!open_.empty()) open_.back().AddText(text);
}

void TXmlSaxTree::Reset() {
  open_.clear();
  document_.reset();
}

}  // namespace workbook
