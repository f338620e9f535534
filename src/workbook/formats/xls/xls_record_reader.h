#pragma once
// Walks the records of a BIFF8 stream (16-bit id, 16-bit data size, data) and reads inside the
// current record only: a read past the record's declared size is a damaged file, whatever the
// bytes that follow hold. Data that goes on in CONTINUE records is reached explicitly.
#include <algorithm>
#include <cstdint>
#include <span>

#include "workbook/formats/xls/ole_stream_reader.h"

namespace workbook {

class TXLSRecordReader {
 public:
  // Reads the records of bytes from position on.
  explicit TXLSRecordReader(TOleStreamReader& bytes, std::int64_t position = 0);

  // Moves to the end of the current record and reads the next header; False when the stream
  // holds no further complete header. The record's data is then at hand in one piece.
  bool Next() {
    // Once per record, a million times in a big file: inline, and the record taken in place.
    const std::int64_t next = started_ ? RecordEnd() : position_;
    const std::int64_t streamSize = bytes_.Size();
    if (next < 0 || next + 4 > streamSize) return false;
    const std::uint8_t* header = bytes_.Bytes(next, 4);
    const auto size = static_cast<std::uint16_t>(header[2] | header[3] << 8);
    // The header and as much of the data as the stream holds, in one piece.
    present_ = static_cast<std::uint16_t>(std::min<std::int64_t>(size, streamSize - next - 4));
    header = bytes_.Bytes(next, 4 + std::size_t{present_});
    id_ = static_cast<std::uint16_t>(header[0] | header[1] << 8);
    size_ = size;
    data_ = header + 4;
    position_ = next;
    started_ = true;
    read_ = 0;
    return true;
  }
  // The next call of Next reads the header at position.
  void SetPosition(std::int64_t position);

  std::uint16_t Id() const { return id_; }
  std::uint16_t Size() const { return size_; }
  // Stream position of the current record's header.
  std::int64_t Position() const { return position_; }
  // Data bytes of the current record not read yet.
  std::uint32_t Left() const { return size_ - read_; }
  // The current record's whole data, valid until the reader (or another reader of the same
  // bytes) moves to another record; EWorkbookFileException (WorkbookLng_InvalidXLS) when the
  // record runs past the end of the stream.
  std::span<const std::uint8_t> Data() const {
    if (!started_ || present_ < size_) Invalid();
    return {data_, size_};
  }

  // Reads of the current record's data; EWorkbookFileException (WorkbookLng_InvalidXLS) when
  // the record holds fewer bytes, "Unexpected end of stream." when the stream ends first.
  std::uint8_t ReadByte();
  std::uint16_t ReadWord();
  std::uint32_t ReadDWord();
  double ReadDouble();
  void ReadBytes(void* buffer, std::size_t count);
  // The next count bytes of the record where they lie, valid as long as Data is.
  const std::uint8_t* ReadInPlace(std::size_t count);
  // The next count bytes of the record where they lie, left unread; nullptr when the record (or
  // the stream) holds fewer.
  const std::uint8_t* PeekInPlace(std::size_t count) const {
    return started_ && count <= Left() && read_ + count <= present_ ? data_ + read_ : nullptr;
  }
  void Skip(std::uint32_t count);

  // Whether a CONTINUE record follows the current one; the current record's data stays valid.
  bool NextIsContinue();
  // Moves into the CONTINUE record that follows the current one, for data that goes on there;
  // EXLSSharedStrings "Expected CONTINUE not found." when another record (or nothing) follows.
  void NextContinue();

 private:
  std::int64_t RecordEnd() const { return position_ + 4 + size_; }
  [[noreturn]] static void Invalid();

  TOleStreamReader& bytes_;
  std::int64_t position_;
  bool started_ = false;
  std::uint16_t id_ = 0;
  std::uint16_t size_ = 0;
  std::uint16_t read_ = 0;
  // The current record's data as far as the stream holds it.
  const std::uint8_t* data_ = nullptr;
  std::uint16_t present_ = 0;
};

}  // namespace workbook
