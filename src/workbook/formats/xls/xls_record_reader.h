#pragma once
// Walks the records of a BIFF8 stream (16-bit id, 16-bit data size, data) and reads inside the
// current record only, through the stream primitives (each read puts the stream where it reads): a
// read past the record's declared size is a damaged file, whatever the bytes that follow hold. Data
// that goes on in CONTINUE records is reached explicitly.
#include <cstdint>

#include "workbook/core/stream.h"

namespace workbook {

class TXLSRecordReader {
 public:
  // Reads the records from Stream's current position on.
  explicit TXLSRecordReader(TMemoryStream& stream);

  // Moves to the end of the current record and reads the next header; False when the stream
  // holds no further complete header.
  bool Next();
  // The next call of Next reads the header at position.
  void SetPosition(std::int64_t position);

  std::uint16_t Id() const { return id_; }
  std::uint16_t Size() const { return size_; }
  // Stream position of the current record's header.
  std::int64_t Position() const { return position_; }
  // Data bytes of the current record not read yet.
  std::uint32_t Left() const { return size_ - read_; }

  // Reads of the current record's data; EWorkbookFileException (WorkbookLng_InvalidXLS) when
  // the record holds fewer bytes, the stream's read error when the stream ends first.
  std::uint8_t ReadByte();
  std::uint16_t ReadWord();
  std::uint32_t ReadDWord();
  double ReadDouble();
  void ReadBytes(void* buffer, std::size_t count);
  void Skip(std::uint32_t count);

  // Whether a CONTINUE record follows the current one.
  bool NextIsContinue();
  // Moves into the CONTINUE record that follows the current one, for data that goes on there;
  // EXLSSharedStrings "Expected CONTINUE not found." when another record (or nothing) follows.
  void NextContinue();

 private:
  // Checks that the record holds count more bytes and puts the stream at the next of them; the
  // read that follows moves read_ on by count.
  TStream& Data(std::size_t count);

  std::int64_t RecordEnd() const { return position_ + 4 + size_; }

  TMemoryStream& stream_;
  std::int64_t streamSize_;
  std::int64_t position_;
  bool started_ = false;
  std::uint16_t id_ = 0;
  std::uint16_t size_ = 0;
  std::uint16_t read_ = 0;
};

}  // namespace workbook
