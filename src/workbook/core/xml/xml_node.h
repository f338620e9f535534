#pragma once
// TXmlNode: a light handle on a node of a parsed or built document tree (or of the subtree the
// sequential reader expands). Handles are cheap to copy and do not own the node: they stay valid
// while the document lives (for the reader: until it moves on).
//
// Names: a name with a prefix ("r:id", "a:theme") matches the prefix as written in the document;
// a name without one matches an element by its local name whatever its prefix, and an attribute
// only when the attribute has no prefix. Text comes as UTF-8 views into the tree (no copy) or as
// UTF-16 copies for the library's strings.
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct _xmlNode;

namespace workbook {

// What the nodes of one tree share: the namespaces registered for XPath and the texts that had
// to be assembled from several pieces (their views stay valid as long as the tree's owner).
struct TXmlTreeContext {
  std::vector<std::pair<std::string, std::string>> namespaces;
  std::deque<std::string> assembled;
};

class TXmlNode {
 public:
  TXmlNode() = default;
  TXmlNode(_xmlNode* node, TXmlTreeContext* context) : node_(node), context_(context) {}

  explicit operator bool() const { return node_ != nullptr; }
  bool operator==(const TXmlNode& other) const { return node_ == other.node_; }
  _xmlNode* Handle() const { return node_; }

  bool IsElement() const;
  bool IsText() const;
  std::string_view LocalName() const;
  std::string_view Prefix() const;
  std::string_view NamespaceURI() const;
  // Prefix:LocalName as written (LocalName alone without a prefix).
  std::string QualifiedName() const;
  bool Is(std::string_view name) const;

  // Attributes: the value, or empty / nullopt when absent.
  std::optional<std::string_view> FindAttr(std::string_view name) const;
  std::string_view Attr(std::string_view name) const { return FindAttr(name).value_or(""); }
  std::optional<std::string_view> FindAttrNS(std::string_view localName,
                                             std::string_view namespaceURI) const;
  bool HasAttr(std::string_view name) const { return FindAttr(name).has_value(); }
  std::u16string Attr16(std::string_view name) const;
  // Every attribute as (name as written, value).
  std::vector<std::pair<std::string, std::string_view>> Attributes() const;

  // The text of the node and its descendants. Entity references contribute nothing: entities
  // are never expanded.
  std::string_view Text() const;
  std::u16string Text16() const;

  TXmlNode Parent() const;
  TXmlNode FirstChild() const;  // any kind of node
  TXmlNode NextSibling() const;
  TXmlNode FirstElement() const;
  TXmlNode NextElement() const;
  // The first child element of that name.
  TXmlNode Child(std::string_view name) const;
  // Child elements, all or of one name.
  std::vector<TXmlNode> Elements() const;
  std::vector<TXmlNode> Elements(std::string_view name) const;
  // Walks child elements by name ("sheets/sheet"); the first match of each step.
  TXmlNode FindPath(std::string_view path) const;
  // XPath 1.0 from this node, with the namespaces registered on the tree's owner.
  std::vector<TXmlNode> SelectNodes(std::string_view xpath) const;
  TXmlNode SelectSingleNode(std::string_view xpath) const;

  // Building. Names are written as given ("office:version"); an "xmlns" or "xmlns:p" attribute
  // declares a namespace. Characters XML cannot carry are left out of values and texts.
  TXmlNode AddChild(std::string_view name) const;
  TXmlNode InsertChildBefore(std::string_view name, TXmlNode before) const;
  void SetAttr(std::string_view name, std::string_view value) const;
  void SetAttr(std::string_view name, std::u16string_view value) const;
  void SetText(std::string_view text) const;
  void SetText(std::u16string_view text) const;
  void AddText(std::string_view text) const;
  // Unlinks and frees the node and its subtree; every handle on them becomes invalid.
  void Remove() const;

 private:
  std::string_view Keep(std::string text) const;

  _xmlNode* node_ = nullptr;
  TXmlTreeContext* context_ = nullptr;
};

}  // namespace workbook
