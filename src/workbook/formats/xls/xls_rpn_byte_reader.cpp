#include "workbook/formats/xls/xls_rpn_byte_reader.h"

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/xls/xls_stream_primitives.h"

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
  const std::uint16_t value = XLSDecodeWord(bytes_.data() + pos_);
  pos_ += 2;
  return value;
}

double TRPNByteReader::ReadDouble() {
  Need(8);
  const double value = XLSDecodeDouble(bytes_.data() + pos_);
  pos_ += 8;
  return value;
}

void TRPNByteReader::Skip(std::size_t count) {
  Need(count);
  pos_ += count;
}

}  // namespace workbook
