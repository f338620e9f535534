#include "workbook/formats/xls/xls_record_reader.h"

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_stream_primitives.h"

namespace workbook {

TXLSRecordReader::TXLSRecordReader(TStream& stream)
    : stream_(stream), streamSize_(stream.Size()), position_(stream.Position()) {}

bool TXLSRecordReader::Next() {
  const std::int64_t next = started_ ? RecordEnd() : position_;
  if (next + 4 > streamSize_) return false;
  stream_.SetPosition(next);
  position_ = next;
  started_ = true;
  id_ = XLSReadWord(stream_);
  size_ = XLSReadWord(stream_);
  read_ = 0;
  return true;
}

void TXLSRecordReader::SetPosition(std::int64_t position) {
  position_ = position;
  started_ = false;
  id_ = 0;
  size_ = 0;
  read_ = 0;
}

void TXLSRecordReader::Need(std::size_t count) {
  if (!started_ || count > Left()) throw EWorkbookFileException(WorkbookLng_InvalidXLS);
  // Seeking each time lets the caller use the stream in between.
  stream_.SetPosition(position_ + 4 + read_);
}

std::uint8_t TXLSRecordReader::ReadByte() {
  Need(1);
  read_ += 1;
  return XLSReadByte(stream_);
}

std::uint16_t TXLSRecordReader::ReadWord() {
  Need(2);
  read_ += 2;
  return XLSReadWord(stream_);
}

std::uint32_t TXLSRecordReader::ReadDWord() {
  Need(4);
  read_ += 4;
  return XLSReadDWord(stream_);
}

double TXLSRecordReader::ReadDouble() {
  Need(8);
  read_ += 8;
  return XLSReadDouble(stream_);
}

void TXLSRecordReader::ReadBytes(void* buffer, std::size_t count) {
  Need(count);
  read_ += static_cast<std::uint16_t>(count);
  stream_.ReadBuffer(buffer, count);
}

void TXLSRecordReader::Skip(std::uint32_t count) {
  Need(count);
  read_ += static_cast<std::uint16_t>(count);
}

bool TXLSRecordReader::NextIsContinue() {
  if (!started_ || RecordEnd() + 4 > streamSize_) return false;
  stream_.SetPosition(RecordEnd());
  return XLSReadWord(stream_) == xls_record::kContinue;
}

void TXLSRecordReader::NextContinue() {
  if (!NextIsContinue()) throw EXLSSharedStrings(u"Expected CONTINUE not found.");
  Next();
}

}  // namespace workbook
