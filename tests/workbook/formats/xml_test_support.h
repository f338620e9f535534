#pragma once
// A scratch document for the XML forms of the style classes.
#include <algorithm>
#include <fstream>
#include <iterator>
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

// A long golden kept in tests/data/workbook/, without the line breaks it holds for reading.
inline std::string GoldenText(const std::string& name) {
  std::ifstream file(std::string(TEST_DATA_DIR) + "/workbook/" + name, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(file)), {});
  text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
  return text;
}

}  // namespace workbook::test
