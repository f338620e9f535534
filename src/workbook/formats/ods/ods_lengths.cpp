#include "workbook/formats/ods/ods_lengths.h"

#include <cmath>

#include "workbook/core/invariant_texts.h"

namespace workbook {

std::u16string PixelsToCmText(double pixels) {
  return ISOFloatToStr(std::round(pixels * 0.0280618686868686 * 1000) / 1000) + u"cm";
}

std::u16string PixelsToPtText(double pixels) { return ISOFloatToStr(pixels * 0.75) + u"pt"; }

}  // namespace workbook
