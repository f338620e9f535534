#include "workbook/formats/xls/xls_record_reader.h"

#include <algorithm>
#include <cstring>

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_stream_primitives.h"

namespace workbook {

TXLSRecordReader::TXLSRecordReader(TOleStreamReader& bytes, std::int64_t position)
    : bytes_(bytes), position_(position) {}

void TXLSRecordReader::SetPosition(std::int64_t position) {
  position_ = position;
  started_ = false;
  id_ = 0;
  size_ = 0;
  read_ = 0;
  data_ = nullptr;
  present_ = 0;
}

void TXLSRecordReader::Invalid() { throw EWorkbookFileException(WorkbookLng_InvalidXLS); }

const std::uint8_t* TXLSRecordReader::ReadInPlace(std::size_t count) {
  if (!started_ || count > Left()) Invalid();
  if (read_ + count > present_) throw EWorkbookFileException(u"Unexpected end of stream.");
  const std::uint8_t* at = data_ + read_;
  read_ += static_cast<std::uint16_t>(count);
  return at;
}

std::uint8_t TXLSRecordReader::ReadByte() { return *ReadInPlace(1); }
std::uint16_t TXLSRecordReader::ReadWord() { return XLSDecodeWord(ReadInPlace(2)); }
std::uint32_t TXLSRecordReader::ReadDWord() { return XLSDecodeDWord(ReadInPlace(4)); }
double TXLSRecordReader::ReadDouble() { return XLSDecodeDouble(ReadInPlace(8)); }

void TXLSRecordReader::ReadBytes(void* buffer, std::size_t count) {
  if (count > 0) std::memcpy(buffer, ReadInPlace(count), count);
}

void TXLSRecordReader::Skip(std::uint32_t count) {
  if (!started_ || count > Left()) Invalid();
  read_ += static_cast<std::uint16_t>(count);
}

bool TXLSRecordReader::NextIsContinue() {
  if (!started_ || RecordEnd() + 4 > bytes_.Size()) return false;
  std::uint8_t id[2];
  bytes_.Copy(RecordEnd(), id, sizeof id);
  return XLSDecodeWord(id) == xls_record::kContinue;
}

void TXLSRecordReader::NextContinue() {
  if (!NextIsContinue()) throw EXLSSharedStrings(u"Expected CONTINUE not found.");
  Next();
}

}  // namespace workbook
