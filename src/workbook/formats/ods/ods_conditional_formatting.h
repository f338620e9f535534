#pragma once
// The conditional-format rules as the ODS writer copies them into the cell styles.
#include <memory>
#include <string>

#include "workbook/core/xml/xml_node.h"
#include "workbook/model/conditional_formatting.h"

namespace workbook {

class TExporterODS_ConditionalFormattingStyles;

// A rule copied into an ODS cell style, knowing the cell it applies to.
class TExportConditionalFormattingRule_ODS : public TExportConditionalFormattingRule {
 public:
  std::string SheetName;  // UTF-8
  int Col = 0;
  int Row = 0;
  int ColSpan = 1;
  int RowSpan = 1;

  void WriteODS(const TXmlNode& styleNode,
                TExporterODS_ConditionalFormattingStyles& registry) const override;
  std::unique_ptr<TOwnedListObject> NewInstance() const override;
};

}  // namespace workbook
