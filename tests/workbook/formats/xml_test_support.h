#pragma once
// A scratch document for the XML forms of the style classes.
#include <string>
#include <string_view>

#include "workbook/core/xml/xml_document.h"

namespace workbook::test {

class XmlScratch {
 public:
  explicit XmlScratch(std::string_view rootName) : root_(doc_.CreateRoot(rootName)) {}
  // Replaces the tree by the one parsed from Text.
  void Load(std::string_view text) {
    doc_.LoadFromString(text);
    root_ = doc_.DocumentElement();
  }

  TXmlNode Root() const { return root_; }
  // The root element as compact XML text (UTF-8), without the declaration.
  std::string Text() const {
    std::string text = doc_.SaveToString();
    text.erase(0, text.find('<', text.find("?>")));
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
  }

 private:
  TXmlDocument doc_;
  TXmlNode root_;
};

}  // namespace workbook::test
