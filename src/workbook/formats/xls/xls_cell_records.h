#pragma once
// The BIFF8 records of cells and rows: a record header (id, data length), then the cell header
// (row, column, XF index + 16: the first 16 XF records are style XFs) and the value.
#include <cstdint>
#include <string_view>

#include "workbook/core/stream.h"

namespace workbook {

inline constexpr std::uint16_t kBiffBlank = 0x0201;
inline constexpr std::uint16_t kBiffNumber = 0x0203;
inline constexpr std::uint16_t kBiffLabel = 0x0204;
inline constexpr std::uint16_t kBiffBoolErr = 0x0205;
inline constexpr std::uint16_t kBiffRow = 0x0208;
inline constexpr std::uint16_t kBiffLabelSST = 0x00FD;

void BiffWriteWord(TStream& stream, std::uint16_t value);
void BiffWriteDWord(TStream& stream, std::uint32_t value);
void BiffWriteDouble(TStream& stream, double value);
// Record header, row, column and the XF word ((XFIndex and 0xFFFF) + 16, 16 bits).
void BiffWriteCellHeader(TStream& stream, std::uint16_t recordId, std::uint16_t length, int row,
                         int col, int xfIndex);
// LABEL's string: 16-bit count, option byte 1, UTF-16LE characters.
void BiffWriteLabelString(TStream& stream, std::u16string_view text);

}  // namespace workbook
