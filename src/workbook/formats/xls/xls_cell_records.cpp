#include "workbook/formats/xls/xls_cell_records.h"

#include <cstring>

#include "workbook/formats/xls/xls_stream_primitives.h"

namespace workbook {

void BiffWriteWord(TStream& stream, std::uint16_t value) {
  std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
  stream.WriteBuffer(bytes, 2);
}

void BiffWriteDWord(TStream& stream, std::uint32_t value) {
  BiffWriteWord(stream, static_cast<std::uint16_t>(value));
  BiffWriteWord(stream, static_cast<std::uint16_t>(value >> 16));
}

void BiffWriteDouble(TStream& stream, double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  BiffWriteDWord(stream, static_cast<std::uint32_t>(bits));
  BiffWriteDWord(stream, static_cast<std::uint32_t>(bits >> 32));
}

void BiffWriteCellHeader(TStream& stream, std::uint16_t recordId, std::uint16_t length, int row,
                         int col, int xfIndex) {
  BiffWriteWord(stream, recordId);
  BiffWriteWord(stream, length);
  BiffWriteWord(stream, static_cast<std::uint16_t>(row));
  BiffWriteWord(stream, static_cast<std::uint16_t>(col));
  BiffWriteWord(stream, static_cast<std::uint16_t>((xfIndex & 0xFFFF) + 16));
}

void BiffWriteLabelString(TStream& stream, std::u16string_view raw) {
  const std::u16string text = XLSWellFormedText(raw);
  BiffWriteWord(stream, static_cast<std::uint16_t>(text.size()));
  std::uint8_t option = 1;
  stream.WriteBuffer(&option, 1);
  for (char16_t c : text) BiffWriteWord(stream, static_cast<std::uint16_t>(c));
}

}  // namespace workbook
