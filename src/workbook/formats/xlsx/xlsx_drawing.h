#pragma once
// DrawingML lengths of the XLSX drawing parts.
#include <cstdint>

namespace workbook {

// EMU per pixel as the drawing parts are written and read (9535, not the 9525 of 96 dpi).
inline constexpr std::int64_t kEMUPerPixel = 9535;

}  // namespace workbook
