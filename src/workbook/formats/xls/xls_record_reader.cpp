#include "workbook/formats/xls/xls_record_reader.h"

#include <bit>
#include <cstring>

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/xls/xls_record_ids.h"

namespace workbook {

namespace {

// Little-endian, as BIFF stores its values.
std::uint64_t FromLittleEndian(const std::uint8_t* bytes, std::size_t size) {
  std::uint64_t value = 0;
  for (std::size_t i = size; i-- > 0;) value = value << 8 | bytes[i];
  return value;
}

}  // namespace

TXLSRecordReader::TXLSRecordReader(TMemoryStream& stream)
    : memory_(stream.Memory()), streamSize_(stream.Size()), position_(stream.Position()) {}

void TXLSRecordReader::Fetch(std::int64_t at, void* buffer, std::size_t count) const {
  if (at < 0 || at > streamSize_ || static_cast<std::uint64_t>(streamSize_ - at) < count)
    throw EWorkbookFileException(u"Unexpected end of stream.");
  if (count > 0) std::memcpy(buffer, memory_ + at, count);
}

bool TXLSRecordReader::Next() {
  const std::int64_t next = started_ ? RecordEnd() : position_;
  if (next + 4 > streamSize_) return false;
  std::uint8_t header[4];
  Fetch(next, header, 4);
  position_ = next;
  started_ = true;
  id_ = static_cast<std::uint16_t>(FromLittleEndian(header, 2));
  size_ = static_cast<std::uint16_t>(FromLittleEndian(header + 2, 2));
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

void TXLSRecordReader::Need(std::size_t count) const {
  if (!started_ || count > Left()) throw EWorkbookFileException(WorkbookLng_InvalidXLS);
}

void TXLSRecordReader::ReadData(void* buffer, std::size_t count) {
  Need(count);
  Fetch(position_ + 4 + read_, buffer, count);
  read_ += static_cast<std::uint16_t>(count);
}

std::uint8_t TXLSRecordReader::ReadByte() {
  std::uint8_t value;
  ReadData(&value, 1);
  return value;
}

std::uint16_t TXLSRecordReader::ReadWord() {
  std::uint8_t bytes[2];
  ReadData(bytes, 2);
  return static_cast<std::uint16_t>(FromLittleEndian(bytes, 2));
}

std::uint32_t TXLSRecordReader::ReadDWord() {
  std::uint8_t bytes[4];
  ReadData(bytes, 4);
  return static_cast<std::uint32_t>(FromLittleEndian(bytes, 4));
}

double TXLSRecordReader::ReadDouble() {
  std::uint8_t bytes[8];
  ReadData(bytes, 8);
  return std::bit_cast<double>(FromLittleEndian(bytes, 8));
}

void TXLSRecordReader::ReadBytes(void* buffer, std::size_t count) { ReadData(buffer, count); }

void TXLSRecordReader::Skip(std::uint32_t count) {
  Need(count);
  read_ += static_cast<std::uint16_t>(count);
}

bool TXLSRecordReader::NextIsContinue() {
  if (!started_ || RecordEnd() + 4 > streamSize_) return false;
  std::uint8_t id[2];
  Fetch(RecordEnd(), id, 2);
  return FromLittleEndian(id, 2) == xls_record::kContinue;
}

void TXLSRecordReader::NextContinue() {
  if (!NextIsContinue()) throw EXLSSharedStrings(u"Expected CONTINUE not found.");
  Next();
}

}  // namespace workbook
