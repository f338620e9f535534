#pragma once
// Little-endian writes of the BIFF8 value types on a stream.
#include <cstdint>
#include <string>
#include <string_view>

#include "workbook/core/stream.h"

namespace workbook {

void XLSWriteByte(TStream& stream, std::uint8_t value);
void XLSWriteWord(TStream& stream, std::uint16_t value);
void XLSWriteDWord(TStream& stream, std::uint32_t value);
void XLSWriteDouble(TStream& stream, double value);
// A record header: the 16-bit id and the 16-bit size of the data that follows.
void XLSWriteRecordHeader(TStream& stream, std::uint16_t id, std::uint16_t size);
// Text as a BIFF8 file may hold it: readers decode strings as strict UTF-16, so a lone surrogate
// (a cut pair) becomes U+FFFD.
std::u16string XLSWellFormedText(std::u16string_view text);
// How a written string's character count is stored: one byte (at most 255) or a word (65535).
enum class TXLSWriteLength { Byte, Word };
// The count, the option byte 0x01 and the characters as UTF-16LE; a longer text is cut to the
// count's largest value.
void XLSWriteString(TStream& stream, std::u16string_view text, TXLSWriteLength length);

}  // namespace workbook
