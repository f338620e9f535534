#pragma once
// The "Conditional" styles of an ODS export, written into styles.xml.
#include <vector>

#include "workbook/core/hashed_strings.h"
#include "workbook/core/xml/xml_node.h"
#include "workbook/model/conditional_formatting.h"

namespace workbook {

// The distinct formats of all rules of an ODS export, as "Conditional" + index styles.
class TExporterODS_ConditionalFormattingStyles {
 public:
  int AddStyle(const TExportConditionalFormattingRule& rule);
  int Count() const { return static_cast<int>(formats_.size()); }
  // One style:style per collected format into office:styles.
  void WriteODS(const TXmlNode& officeStyles) const;

 private:
  struct TFormat {
    TColor FontColor;
    TExportFontStyle FontStyle;
    TColor FillColor;
  };
  std::vector<TFormat> formats_;
  THashedStrings keys_;
};

}  // namespace workbook
