#include "workbook/formats/xls/xls_rpn_byte_reader.h"

#include <cstring>

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"

namespace workbook {

void TRPNByteReader::Need(std::size_t count) const {
  if (bytes_.size() - pos_ < count) throw EWorkbookFileException(WorkbookLng_InvalidXLS);
}

std::uint8_t TRPNByteReader::ReadByte() {
  Need(1);
  return bytes_[pos_++];
}

std::uint16_t TRPNByteReader::ReadWord() {
  Need(2);
  auto value = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
  pos_ += 2;
  return value;
}

double TRPNByteReader::ReadDouble() {
  Need(8);
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | bytes_[pos_ + static_cast<std::size_t>(i)];
  pos_ += 8;
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void TRPNByteReader::Skip(std::size_t count) {
  Need(count);
  pos_ += count;
}

}  // namespace workbook
