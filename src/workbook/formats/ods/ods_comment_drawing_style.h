#pragma once
// The ODS frame of a comment box: it keeps its size whatever the text.
#include <memory>

#include "workbook/model/drawing_style.h"

namespace workbook {

class TExportCommentDrawingStyle : public TExportDrawingStyle {
 public:
  // The frame's attributes and the two that fix its size.
  void WriteODS(const TXmlNode& graphicProperties) const;
  std::unique_ptr<TOwnedListObject> NewInstance() const override;
};

}  // namespace workbook
