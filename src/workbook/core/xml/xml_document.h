#pragma once
// TXmlDocument: a whole XML part as a tree, for the small parts of a package (relationships,
// workbook, styles, theme, comments, drawings) and for building parts before they are written.
// Parsing never expands entities, loads DTDs or touches the network; malformed XML raises
// EXmlError.
#include <cstddef>
#include <string>
#include <string_view>

#include "workbook/core/stream.h"
#include "workbook/core/xml/xml_node.h"

struct _xmlDoc;

namespace workbook {

class TXmlDocument {
 public:
  TXmlDocument() = default;
  ~TXmlDocument();
  TXmlDocument(const TXmlDocument&) = delete;
  TXmlDocument& operator=(const TXmlDocument&) = delete;

  // Each load replaces the tree (handles on the old one become invalid).
  void LoadFromMemory(const void* data, std::size_t size);
  void LoadFromString(std::string_view text) { LoadFromMemory(text.data(), text.size()); }
  // The stream from its position to its end.
  void LoadFromStream(TStream& stream);

  // Starts a new tree whose root element has that name.
  TXmlNode CreateRoot(std::string_view name);
  // The root element; empty when there is no tree.
  TXmlNode DocumentElement();

  // A prefix for XPath queries on this tree (documents often use a default namespace, which
  // XPath can only name through a prefix).
  void RegisterNamespace(std::string_view prefix, std::string_view namespaceURI);
  std::vector<TXmlNode> SelectNodes(std::string_view xpath);
  TXmlNode SelectSingleNode(std::string_view xpath);
  // Child-element steps from the document: the first step names the root ("workbook/sheets").
  TXmlNode FindPath(std::string_view path);

  // UTF-8 with the XML library's declaration, no indentation added.
  std::string SaveToString() const;
  void SaveToStream(TStream& stream) const;

 private:
  TXmlNode DocumentNode();
  void Free();

  _xmlDoc* doc_ = nullptr;
  TXmlTreeContext context_;
};

}  // namespace workbook
