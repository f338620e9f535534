#pragma once
// Little-endian reads of the BIFF8 value types from a stream; a read past the end raises the
// stream's read error (EWorkbookFileException).
#include <cstdint>

#include "workbook/core/stream.h"

namespace workbook {

std::uint8_t XLSReadByte(TStream& stream);
std::uint16_t XLSReadWord(TStream& stream);
std::uint32_t XLSReadDWord(TStream& stream);
// An IEEE 754 binary64.
double XLSReadDouble(TStream& stream);

}  // namespace workbook
