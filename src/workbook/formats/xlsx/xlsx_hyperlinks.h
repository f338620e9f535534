#pragma once
// TExporterXLSX_HyperLinks: the hyperlinks of one worksheet being written. The targets are kept
// in the order the cells add them (link k becomes the sheet's relationship "rId" + k), and each
// link adds its hyperlink element to the sheet's hyperlinks element, which the list does not own.
#include <string>
#include <vector>

#include "workbook/core/xml/xml_node.h"

namespace workbook {

class TExporterXLSX_HyperLinks {
 public:
  explicit TExporterXLSX_HyperLinks(TXmlNode hyperlinks) : element_(hyperlinks) {}

  // A link of the cell range ref to target.
  void Add(const std::u16string& ref, const std::u16string& target);
  int Count() const { return static_cast<int>(targets_.size()); }
  const std::u16string& GetTarget(int index) const {
    return targets_.at(static_cast<std::size_t>(index));
  }

 private:
  std::vector<std::u16string> targets_;
  TXmlNode element_;
};

}  // namespace workbook
