#include "workbook/formats/xls/xls_stream_primitives.h"

#include <algorithm>
#include <bit>

namespace workbook {

namespace {

void WriteLittleEndian(TStream& stream, std::uint64_t value, std::size_t size) {
  std::uint8_t bytes[8];
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
  stream.WriteBuffer(bytes, size);
}

}  // namespace

void XLSWriteByte(TStream& stream, std::uint8_t value) { WriteLittleEndian(stream, value, 1); }
void XLSWriteWord(TStream& stream, std::uint16_t value) { WriteLittleEndian(stream, value, 2); }
void XLSWriteDWord(TStream& stream, std::uint32_t value) { WriteLittleEndian(stream, value, 4); }
void XLSWriteDouble(TStream& stream, double value) {
  WriteLittleEndian(stream, std::bit_cast<std::uint64_t>(value), 8);
}

void XLSWriteRecordHeader(TStream& stream, std::uint16_t id, std::uint16_t size) {
  XLSWriteWord(stream, id);
  XLSWriteWord(stream, size);
}

std::u16string XLSWellFormedText(std::u16string_view text) {
  std::u16string result(text);
  for (std::size_t i = 0; i < result.size(); ++i) {
    const char16_t c = result[i];
    if (c < 0xD800 || c > 0xDFFF) continue;
    if (c <= 0xDBFF && i + 1 < result.size() && result[i + 1] >= 0xDC00 && result[i + 1] <= 0xDFFF)
      ++i;
    else
      result[i] = u'\uFFFD';
  }
  return result;
}

void XLSWriteString(TStream& stream, std::u16string_view whole, TXLSWriteLength length) {
  const std::size_t limit = length == TXLSWriteLength::Byte ? 255 : 65535;
  const std::u16string text = XLSWellFormedText(whole.substr(0, limit));
  const std::size_t count = text.size();
  if (length == TXLSWriteLength::Byte)
    XLSWriteByte(stream, static_cast<std::uint8_t>(count));
  else
    XLSWriteWord(stream, static_cast<std::uint16_t>(count));
  XLSWriteByte(stream, 0x01);
  for (std::size_t i = 0; i < count; ++i) XLSWriteWord(stream, text[i]);
}

}  // namespace workbook
