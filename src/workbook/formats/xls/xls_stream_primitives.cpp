#include "workbook/formats/xls/xls_stream_primitives.h"

#include <bit>

namespace workbook {

namespace {

std::uint64_t ReadLittleEndian(TStream& stream, std::size_t size) {
  std::uint8_t bytes[8];
  stream.ReadBuffer(bytes, size);
  std::uint64_t value = 0;
  for (std::size_t i = size; i-- > 0;) value = value << 8 | bytes[i];
  return value;
}

}  // namespace

std::uint8_t XLSReadByte(TStream& stream) {
  return static_cast<std::uint8_t>(ReadLittleEndian(stream, 1));
}

std::uint16_t XLSReadWord(TStream& stream) {
  return static_cast<std::uint16_t>(ReadLittleEndian(stream, 2));
}

std::uint32_t XLSReadDWord(TStream& stream) {
  return static_cast<std::uint32_t>(ReadLittleEndian(stream, 4));
}

double XLSReadDouble(TStream& stream) { return std::bit_cast<double>(ReadLittleEndian(stream, 8)); }

}  // namespace workbook
