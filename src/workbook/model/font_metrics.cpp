#include "workbook/model/font_metrics.h"

namespace workbook {

bool FindFontMetrics(std::u16string_view fontName, const TFontMetrics*& entry) {
  for (const TFontMetrics& candidate : kFontMetricsTable) {
    if (fontName == candidate.Name) {
      entry = &candidate;
      return true;
    }
  }
  entry = &kFontMetricsTable[0];
  return false;
}

}  // namespace workbook
