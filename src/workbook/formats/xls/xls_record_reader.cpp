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

bool TXLSRecordReader::Next() {
  const std::int64_t next = started_ ? RecordEnd() : position_;
  const std::int64_t streamSize = bytes_.Size();
  if (next < 0 || next + 4 > streamSize) return false;
  // The header and as much of the data as the stream holds, in one piece: the record is then read
  // where it lies.
  const std::uint8_t* header = bytes_.Bytes(next, 4);
  const std::uint16_t size = XLSDecodeWord(header + 2);
  present_ = static_cast<std::uint16_t>(std::min<std::int64_t>(size, streamSize - next - 4));
  header = bytes_.Bytes(next, 4 + std::size_t{present_});
  id_ = XLSDecodeWord(header);
  size_ = size;
  data_ = header + 4;
  position_ = next;
  started_ = true;
  read_ = 0;
  return true;
}

void TXLSRecordReader::SetPosition(std::int64_t position) {
  position_ = position;
  started_ = false;
  id_ = 0;
  size_ = 0;
  read_ = 0;
  data_ = nullptr;
  present_ = 0;
}

std::span<const std::uint8_t> TXLSRecordReader::Data() const {
  if (!started_ || present_ < size_) throw EWorkbookFileException(WorkbookLng_InvalidXLS);
  return {data_, size_};
}

const std::uint8_t* TXLSRecordReader::ReadInPlace(std::size_t count) {
  if (!started_ || count > Left()) throw EWorkbookFileException(WorkbookLng_InvalidXLS);
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
  if (!started_ || count > Left()) throw EWorkbookFileException(WorkbookLng_InvalidXLS);
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
