#pragma once
// One stream of a compound file read where it lies: in the source's own memory when the source is
// in memory and the stream's sectors follow one another, otherwise through a window of the stream
// refilled from its sectors, so a workbook stream of tens of megabytes is never copied whole.
#include <cstdint>
#include <vector>

#include "workbook/core/stream.h"

namespace workbook {

// A piece of the stream whose bytes lie one after another in the source.
struct TOleStreamRun {
  std::uint64_t Start;          // position in the stream
  std::int64_t SourcePosition;  // where it lies in the source
  std::uint64_t Length;
};

class TOleStreamReader {
 public:
  // The most bytes one call of Bytes may ask for: a BIFF record with its header.
  static constexpr std::size_t kMaxPiece = 4 + 0xFFFF;
  // The bytes a window holds: large enough that refills are rare next to the records read, small
  // next to a big stream.
  static constexpr std::size_t kWindowSize = 256 * 1024;

  // The whole of memory (a stream built or already copied in memory), read in place; memory must
  // outlive the reader and not change.
  explicit TOleStreamReader(const TMemoryStream& memory);
  // The runs of source (not owned, kept open and unchanged while the reader is used), checked by
  // the caller to lie inside it, making a stream of size bytes.
  TOleStreamReader(TStream& source, std::vector<TOleStreamRun> runs, std::uint64_t size);

  std::int64_t Size() const { return size_; }
  // count (at most kMaxPiece) bytes from position on in one piece, valid until the next call of
  // Bytes; EWorkbookFileException "Unexpected end of stream." when the stream ends first.
  const std::uint8_t* Bytes(std::int64_t position, std::size_t count) {
    // Asked for once or twice per record: what the window holds is given without a call.
    if (position >= start_ && static_cast<std::int64_t>(count) <= end_ - position)
      return base_ + (position - start_);
    return Refill(position, count);
  }
  // Copies count bytes from position on to buffer without moving the window, so the bytes Bytes
  // gave stay valid (a look at the record after the current one).
  void Copy(std::int64_t position, void* buffer, std::size_t count);

 private:
  // "Unexpected end of stream." unless count bytes from position on lie inside the stream.
  void CheckRange(std::int64_t position, std::size_t count) const;
  const std::uint8_t* Refill(std::int64_t position, std::size_t count);
  void Fill(std::int64_t position, std::uint8_t* buffer, std::size_t count);

  TStream* source_ = nullptr;
  const std::uint8_t* memory_ = nullptr;  // the source's bytes when it is in memory
  std::vector<TOleStreamRun> runs_;
  std::int64_t size_ = 0;
  // The bytes at hand, from start_ to end_ of the stream: the whole stream when it lies in one
  // piece of memory, otherwise the window.
  const std::uint8_t* base_ = nullptr;
  std::int64_t start_ = 0;
  std::int64_t end_ = 0;
  std::vector<std::uint8_t> window_;
};

}  // namespace workbook
