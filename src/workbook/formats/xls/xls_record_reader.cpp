#include "workbook/formats/xls/xls_record_reader.h"

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_stream_primitives.h"

namespace workbook {

TXLSRecordReader::TXLSRecordReader(TMemoryStream& stream)
    : stream_(stream), streamSize_(stream.Size()), position_(stream.Position()) {}

bool TXLSRecordReader::Next() {
  const std::int64_t next = started_ ? RecordEnd() : position_;
  if (next + 4 > streamSize_) return false;
  // A header per record, a million in a big file: taken in place from the stream's memory rather
  // than through the stream's virtual seek and reads, which cost about a tenth of the load.
  const std::uint8_t* header = stream_.Memory() + next;
  id_ = XLSDecodeWord(header);
  size_ = XLSDecodeWord(header + 2);
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
}

TStream& TXLSRecordReader::Data(std::size_t count) {
  if (!started_ || count > Left()) throw EWorkbookFileException(WorkbookLng_InvalidXLS);
  stream_.SetPosition(position_ + 4 + read_);
  read_ += static_cast<std::uint16_t>(count);
  return stream_;
}

std::uint8_t TXLSRecordReader::ReadByte() { return XLSReadByte(Data(1)); }
std::uint16_t TXLSRecordReader::ReadWord() { return XLSReadWord(Data(2)); }
std::uint32_t TXLSRecordReader::ReadDWord() { return XLSReadDWord(Data(4)); }
double TXLSRecordReader::ReadDouble() { return XLSReadDouble(Data(8)); }

void TXLSRecordReader::ReadBytes(void* buffer, std::size_t count) {
  if (count > 0) Data(count).ReadBuffer(buffer, count);
}

void TXLSRecordReader::Skip(std::uint32_t count) {
  if (!started_ || count > Left()) throw EWorkbookFileException(WorkbookLng_InvalidXLS);
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
