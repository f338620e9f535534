#pragma once
// Pixels as the lengths OpenDocument styles and frames give.
#include <string>

namespace workbook {

std::u16string PixelsToCmText(double pixels);  // 3 decimals + "cm"
std::u16string PixelsToPtText(double pixels);  // x 0.75 + "pt"

}  // namespace workbook
