#include "workbook/formats/xlsx/xlsx_hyperlinks.h"

namespace workbook {

void TExporterXLSX_HyperLinks::Add(const std::u16string& ref, const std::u16string& target) {
  targets_.push_back(target);
  const TXmlNode link = element_.AddChild("hyperlink");
  link.SetAttr("ref", ref);
  link.SetAttr("r:id", "rId" + std::to_string(targets_.size()));
}

}  // namespace workbook
