#pragma once
// Little-endian reads and writes of the BIFF8 value types on a stream.
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/core/stream.h"

namespace workbook {

// Little-endian values in place, for record data already in memory; the stream reads below decode
// with them too.
inline std::uint16_t XLSDecodeWord(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}
inline std::uint32_t XLSDecodeDWord(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(XLSDecodeWord(bytes)) |
         static_cast<std::uint32_t>(XLSDecodeWord(bytes + 2)) << 16;
}
inline double XLSDecodeDouble(const std::uint8_t* bytes) {
  return std::bit_cast<double>(static_cast<std::uint64_t>(XLSDecodeDWord(bytes)) |
                               static_cast<std::uint64_t>(XLSDecodeDWord(bytes + 4)) << 32);
}

void XLSWriteByte(TStream& stream, std::uint8_t value);
void XLSWriteWord(TStream& stream, std::uint16_t value);
void XLSWriteDWord(TStream& stream, std::uint32_t value);
void XLSWriteDouble(TStream& stream, double value);
// The same read from the stream's position; EWorkbookFileException "Unexpected end of stream."
// when the stream ends first.
std::uint8_t XLSReadByte(TStream& stream);
std::uint16_t XLSReadWord(TStream& stream);
std::uint32_t XLSReadDWord(TStream& stream);
double XLSReadDouble(TStream& stream);
// Whether the two buffers agree over count bytes (true for count 0).
bool XLSCompareBytes(const void* a, const void* b, std::size_t count);
// The same appended to record data built in memory.
void XLSPutWord(std::vector<std::uint8_t>& data, std::uint16_t value);
void XLSPutDWord(std::vector<std::uint8_t>& data, std::uint32_t value);
void XLSPutDouble(std::vector<std::uint8_t>& data, double value);
void XLSPutRecordHeader(std::vector<std::uint8_t>& data, std::uint16_t id, std::uint16_t size);

// A record header: the 16-bit id and the 16-bit size of the data that follows.
void XLSWriteRecordHeader(TStream& stream, std::uint16_t id, std::uint16_t size);
// BOF of a BIFF8 substream of the given type (xls_record::kBofWorkbookGlobals, kBofWorksheet).
void XLSWriteBOF(TStream& stream, std::uint16_t substreamType);
void XLSWriteEOF(TStream& stream);
// A cell record's header: the record header, row, column and the XF index + 16 (the first 16 XF
// records are style XFs).
void XLSWriteCellHeader(TStream& stream, std::uint16_t id, std::uint16_t size, int row, int col,
                        int xfIndex);
// How a written string's character count is stored: one byte (at most 255) or a word (65535).
enum class TXLSWriteLength { Byte, Word };
// The count, the option byte 0x01 and the characters as UTF-16LE; a longer text is cut to the
// count's largest value.
void XLSWriteString(TStream& stream, std::u16string_view text, TXLSWriteLength length);

}  // namespace workbook
