#pragma once
// What the conditional-format rules need of an XLSX style sheet while they are read and written.
#include "workbook/core/color.h"
#include "workbook/model/font.h"

namespace workbook {

// The dxf list of an XLSX style sheet as the rules use it.
class IXLSXCondFormStyles {
 public:
  virtual ~IXLSXCondFormStyles() = default;
  // The dxf index of the format (find or add).
  virtual int AddStyle(TColor fontColor, const TExportFontStyle& fontStyle, TColor fillColor) = 0;
  // The next cfRule priority, 1 first.
  virtual int NextPriority() = 0;
  virtual int Count() const = 0;
  // index within 0..Count() - 1.
  virtual void GetStyle(int index, TColor& fontColor, TExportFontStyle& fontStyle,
                        TColor& fillColor) const = 0;
};

}  // namespace workbook
