#include "workbook/formats/xls/xls_stream_primitives.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/text_codec.h"
#include "workbook/formats/xls/xls_record_ids.h"

namespace workbook {

namespace {

void WriteLittleEndian(TStream& stream, std::uint64_t value, std::size_t size) {
  std::uint8_t bytes[8];
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
  stream.WriteBuffer(bytes, size);
}

}  // namespace

std::uint8_t XLSReadByte(TStream& stream) {
  std::uint8_t value;
  stream.ReadBuffer(&value, 1);
  return value;
}
std::uint16_t XLSReadWord(TStream& stream) {
  std::uint8_t bytes[2];
  stream.ReadBuffer(bytes, 2);
  return XLSDecodeWord(bytes);
}
std::uint32_t XLSReadDWord(TStream& stream) {
  std::uint8_t bytes[4];
  stream.ReadBuffer(bytes, 4);
  return XLSDecodeDWord(bytes);
}
double XLSReadDouble(TStream& stream) {
  std::uint8_t bytes[8];
  stream.ReadBuffer(bytes, 8);
  return XLSDecodeDouble(bytes);
}

bool XLSCompareBytes(const void* a, const void* b, std::size_t count) {
  return count == 0 || std::memcmp(a, b, count) == 0;
}

void XLSWriteByte(TStream& stream, std::uint8_t value) { WriteLittleEndian(stream, value, 1); }
void XLSWriteWord(TStream& stream, std::uint16_t value) { WriteLittleEndian(stream, value, 2); }
void XLSWriteDWord(TStream& stream, std::uint32_t value) { WriteLittleEndian(stream, value, 4); }
void XLSWriteDouble(TStream& stream, double value) {
  WriteLittleEndian(stream, std::bit_cast<std::uint64_t>(value), 8);
}

void XLSPutWord(std::vector<std::uint8_t>& data, std::uint16_t value) {
  data.push_back(static_cast<std::uint8_t>(value));
  data.push_back(static_cast<std::uint8_t>(value >> 8));
}

void XLSPutDWord(std::vector<std::uint8_t>& data, std::uint32_t value) {
  XLSPutWord(data, static_cast<std::uint16_t>(value));
  XLSPutWord(data, static_cast<std::uint16_t>(value >> 16));
}

void XLSPutDouble(std::vector<std::uint8_t>& data, double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  XLSPutDWord(data, static_cast<std::uint32_t>(bits));
  XLSPutDWord(data, static_cast<std::uint32_t>(bits >> 32));
}

void XLSPutRecordHeader(std::vector<std::uint8_t>& data, std::uint16_t id, std::uint16_t size) {
  XLSPutWord(data, id);
  XLSPutWord(data, size);
}

void XLSWriteRecordHeader(TStream& stream, std::uint16_t id, std::uint16_t size) {
  XLSWriteWord(stream, id);
  XLSWriteWord(stream, size);
}

void XLSWriteBOF(TStream& stream, std::uint16_t substreamType) {
  XLSWriteRecordHeader(stream, xls_record::kBof, 16);
  // Build and year of the application that wrote the file.
  for (std::uint16_t v :
       {xls_record::kBiff8Version, substreamType, std::uint16_t{8146}, std::uint16_t{1997}})
    XLSWriteWord(stream, v);
  XLSWriteDWord(stream, 0);
  XLSWriteDWord(stream, 0);
}

void XLSWriteEOF(TStream& stream) { XLSWriteRecordHeader(stream, xls_record::kEof, 0); }

void XLSWriteCellHeader(TStream& stream, std::uint16_t id, std::uint16_t size, int row, int col,
                        int xfIndex) {
  XLSWriteRecordHeader(stream, id, size);
  XLSWriteWord(stream, static_cast<std::uint16_t>(row));
  XLSWriteWord(stream, static_cast<std::uint16_t>(col));
  XLSWriteWord(stream, static_cast<std::uint16_t>((xfIndex & 0xFFFF) + 16));
}

void XLSWriteString(TStream& stream, std::u16string_view whole, TXLSWriteLength length) {
  const std::size_t limit = length == TXLSWriteLength::Byte ? 255 : 65535;
  const std::u16string text = platform::WellFormedUtf16(whole.substr(0, limit));
  const std::size_t count = text.size();
  if (length == TXLSWriteLength::Byte)
    XLSWriteByte(stream, static_cast<std::uint8_t>(count));
  else
    XLSWriteWord(stream, static_cast<std::uint16_t>(count));
  XLSWriteByte(stream, 0x01);
  for (std::size_t i = 0; i < count; ++i) XLSWriteWord(stream, text[i]);
}

}  // namespace workbook
