#include "workbook/core/xml/xml_node.h"

#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <memory>

#include "platform/text_codec.h"
#include "workbook/core/xml/xml_error.h"
#include "workbook/core/xml/xml_internal.h"
#include "workbook/core/xml/xml_text.h"

namespace workbook {

using xml_internal::View;
using xml_internal::Xml;

namespace {

// A name as written split into prefix and local part; built trees keep prefixed names whole
// when their namespace is not declared.
std::pair<std::string_view, std::string_view> SplitName(std::string_view name) {
  std::size_t colon = name.find(':');
  if (colon == std::string_view::npos) return {std::string_view(), name};
  return {name.substr(0, colon), name.substr(colon + 1)};
}

std::string_view LocalOf(const xmlChar* name, const xmlNs* ns) {
  return ns ? View(name) : SplitName(View(name)).second;
}

std::string_view PrefixOf(const xmlChar* name, const xmlNs* ns) {
  return ns ? View(ns->prefix) : SplitName(View(name)).first;
}

bool Matches(std::string_view pattern, const xmlChar* name, const xmlNs* ns, bool anyPrefix) {
  auto [prefix, local] = SplitName(pattern);
  if (local != LocalOf(name, ns)) return false;
  return (prefix.empty() && anyPrefix) || prefix == PrefixOf(name, ns);
}

bool IsTextLike(const xmlNode* node) {
  return node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE;
}

// Text of a node list and its descendants; entity references are not followed.
void CollectText(const xmlNode* node, std::string& out) {
  for (; node; node = node->next) {
    if (IsTextLike(node))
      out += View(node->content);
    else if (node->type == XML_ELEMENT_NODE)
      CollectText(node->children, out);
  }
}

std::string Filtered(std::string_view text) {
  std::string out;
  AppendXmlText(out, text);
  return out;
}

std::string Filtered(std::u16string_view text) {
  std::string out;
  AppendXmlText(out, text, TXmlEscaping::None);
  return out;
}

}  // namespace

bool TXmlNode::IsElement() const { return node_ && node_->type == XML_ELEMENT_NODE; }
bool TXmlNode::IsText() const { return node_ && IsTextLike(node_); }

std::string_view TXmlNode::LocalName() const { return LocalOf(node_->name, node_->ns); }
std::string_view TXmlNode::Prefix() const { return PrefixOf(node_->name, node_->ns); }
std::string_view TXmlNode::NamespaceURI() const {
  return node_->ns ? View(node_->ns->href) : std::string_view();
}

std::string TXmlNode::QualifiedName() const {
  std::string_view prefix = Prefix();
  std::string name;
  if (!prefix.empty()) name.append(prefix).append(":");
  return name.append(LocalName());
}

bool TXmlNode::Is(std::string_view name) const {
  return IsElement() && Matches(name, node_->name, node_->ns, true);
}

std::string_view TXmlNode::Keep(std::string text) const {
  return context_->assembled.emplace_back(std::move(text));
}

namespace {

std::string_view AttrValue(const xmlAttr* attr, std::deque<std::string>& assembled) {
  const xmlNode* children = attr->children;
  if (!children) return {};
  if (!children->next && IsTextLike(children)) return View(children->content);
  std::string text;
  CollectText(children, text);
  return assembled.emplace_back(std::move(text));
}

}  // namespace

std::optional<std::string_view> TXmlNode::FindAttr(std::string_view name) const {
  if (!IsElement()) return std::nullopt;
  for (const xmlAttr* attr = node_->properties; attr; attr = attr->next)
    if (Matches(name, attr->name, attr->ns, false)) return AttrValue(attr, context_->assembled);
  return std::nullopt;
}

std::optional<std::string_view> TXmlNode::FindAttrNS(std::string_view localName,
                                                     std::string_view namespaceURI) const {
  if (!IsElement()) return std::nullopt;
  for (const xmlAttr* attr = node_->properties; attr; attr = attr->next)
    if (View(attr->name) == localName &&
        (attr->ns ? View(attr->ns->href) : std::string_view()) == namespaceURI)
      return AttrValue(attr, context_->assembled);
  return std::nullopt;
}

std::u16string TXmlNode::Attr16(std::string_view name) const {
  return platform::Utf8ToUtf16(Attr(name));
}

std::vector<std::pair<std::string, std::string_view>> TXmlNode::Attributes() const {
  std::vector<std::pair<std::string, std::string_view>> result;
  if (!IsElement()) return result;
  for (const xmlAttr* attr = node_->properties; attr; attr = attr->next) {
    std::string name;
    std::string_view prefix = PrefixOf(attr->name, attr->ns);
    if (!prefix.empty()) name.append(prefix).append(":");
    name.append(LocalOf(attr->name, attr->ns));
    result.emplace_back(std::move(name), AttrValue(attr, context_->assembled));
  }
  return result;
}

std::string_view TXmlNode::Text() const {
  if (!node_) return {};
  if (IsTextLike(node_)) return View(node_->content);
  const xmlNode* children = node_->children;
  if (!children) return {};
  if (!children->next && IsTextLike(children)) return View(children->content);
  std::string text;
  CollectText(children, text);
  return Keep(std::move(text));
}

std::u16string TXmlNode::Text16() const { return platform::Utf8ToUtf16(Text()); }

TXmlNode TXmlNode::Parent() const {
  return TXmlNode(
      node_ && node_->parent && node_->parent->type == XML_ELEMENT_NODE ? node_->parent : nullptr,
      context_);
}

TXmlNode TXmlNode::FirstChild() const {
  return TXmlNode(node_ ? node_->children : nullptr, context_);
}
TXmlNode TXmlNode::NextSibling() const { return TXmlNode(node_ ? node_->next : nullptr, context_); }

TXmlNode TXmlNode::FirstElement() const {
  xmlNode* child = node_ ? node_->children : nullptr;
  while (child && child->type != XML_ELEMENT_NODE) child = child->next;
  return TXmlNode(child, context_);
}

TXmlNode TXmlNode::NextElement() const {
  xmlNode* next = node_ ? node_->next : nullptr;
  while (next && next->type != XML_ELEMENT_NODE) next = next->next;
  return TXmlNode(next, context_);
}

TXmlNode TXmlNode::Child(std::string_view name) const {
  for (TXmlNode child = FirstElement(); child; child = child.NextElement())
    if (child.Is(name)) return child;
  return TXmlNode(nullptr, context_);
}

std::vector<TXmlNode> TXmlNode::Elements() const {
  std::vector<TXmlNode> result;
  for (TXmlNode child = FirstElement(); child; child = child.NextElement()) result.push_back(child);
  return result;
}

std::vector<TXmlNode> TXmlNode::Elements(std::string_view name) const {
  std::vector<TXmlNode> result;
  for (TXmlNode child = FirstElement(); child; child = child.NextElement())
    if (child.Is(name)) result.push_back(child);
  return result;
}

TXmlNode TXmlNode::FindPath(std::string_view path) const {
  TXmlNode node = *this;
  while (!path.empty() && node) {
    std::size_t slash = path.find('/');
    std::string_view step = path.substr(0, slash);
    if (!step.empty()) node = node.Child(step);
    path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
  }
  return node;
}

std::vector<TXmlNode> TXmlNode::SelectNodes(std::string_view xpath) const {
  std::vector<TXmlNode> result;
  if (!node_) return result;
  xml_internal::TErrorCollector errors;
  std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> context(
      xmlXPathNewContext(node_->doc), xmlXPathFreeContext);
  if (!context) throw EXmlError(u"Out of memory for an XPath query.");
  context->node = node_;
  context->error = xml_internal::CollectError;
  context->userData = &errors;
  for (const auto& [prefix, uri] : context_->namespaces)
    xmlXPathRegisterNs(context.get(), Xml(prefix), Xml(uri));
  std::string expression(xpath);
  std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> found(
      xmlXPathEvalExpression(Xml(expression), context.get()), xmlXPathFreeObject);
  if (!found) {
    if (errors.message.empty()) errors.message = "Invalid XPath expression \"" + expression + "\".";
    errors.Throw("");
  }
  if (found->type == XPATH_NODESET && found->nodesetval)
    for (int i = 0; i < found->nodesetval->nodeNr; ++i)
      result.emplace_back(found->nodesetval->nodeTab[i], context_);
  return result;
}

TXmlNode TXmlNode::SelectSingleNode(std::string_view xpath) const {
  std::vector<TXmlNode> nodes = SelectNodes(xpath);
  return nodes.empty() ? TXmlNode(nullptr, context_) : nodes.front();
}

namespace {

xmlNode* NewElement(xmlNode* parent, std::string_view name) {
  auto [prefix, local] = SplitName(name);
  xmlNs* ns = nullptr;
  if (!prefix.empty()) ns = xmlSearchNs(parent->doc, parent, Xml(std::string(prefix)));
  xmlNode* node = ns ? xmlNewDocNode(parent->doc, ns, Xml(std::string(local)), nullptr)
                     : xmlNewDocNode(parent->doc, nullptr, Xml(std::string(name)), nullptr);
  if (!node) throw EXmlError(u"Out of memory for an XML element.");
  return node;
}

}  // namespace

TXmlNode TXmlNode::AddChild(std::string_view name) const {
  return TXmlNode(xmlAddChild(node_, NewElement(node_, name)), context_);
}

TXmlNode TXmlNode::InsertChildBefore(std::string_view name, TXmlNode before) const {
  if (!before) return AddChild(name);
  return TXmlNode(xmlAddPrevSibling(before.node_, NewElement(node_, name)), context_);
}

void TXmlNode::SetAttr(std::string_view name, std::string_view value) const {
  std::string text = Filtered(value);
  auto [prefix, local] = SplitName(name);
  if (name == "xmlns" || prefix == "xmlns") {
    std::string declared(prefix.empty() ? std::string_view() : local);
    xmlNs* ns = xmlNewNs(node_, Xml(text), declared.empty() ? nullptr : Xml(declared));
    // An element named with this prefix before the declaration joins the namespace now.
    if (ns && !declared.empty() && !node_->ns && Prefix() == declared) {
      std::string ownLocal(LocalName());
      xmlSetNs(node_, ns);
      xmlNodeSetName(node_, Xml(ownLocal));
    }
    return;
  }
  xmlNs* ns = prefix.empty() ? nullptr : xmlSearchNs(node_->doc, node_, Xml(std::string(prefix)));
  if (ns)
    xmlSetNsProp(node_, ns, Xml(std::string(local)), Xml(text));
  else
    xmlSetNsProp(node_, nullptr, Xml(std::string(name)), Xml(text));
}

void TXmlNode::SetAttr(std::string_view name, std::u16string_view value) const {
  SetAttr(name, std::string_view(Filtered(value)));
}

void TXmlNode::SetText(std::string_view text) const {
  while (xmlNode* child = node_->children) {
    xmlUnlinkNode(child);
    xmlFreeNode(child);
  }
  AddText(text);
}

void TXmlNode::SetText(std::u16string_view text) const {
  SetText(std::string_view(Filtered(text)));
}

void TXmlNode::AddText(std::string_view text) const {
  std::string filtered = Filtered(text);
  if (filtered.empty()) return;
  xmlAddChild(node_,
              xmlNewDocTextLen(node_->doc, Xml(filtered), static_cast<int>(filtered.size())));
}

void TXmlNode::Remove() const {
  xmlUnlinkNode(node_);
  xmlFreeNode(node_);
}

}  // namespace workbook
