#pragma once
// Wrappers the writers put around their temporary part buffers, so that a large part is held
// deflated while a file is assembled. TCompressionStream deflates what is written into the
// buffer it wraps; TDecompressionStream inflates such a buffer again. A buffer holds raw deflate
// data, the way a zip entry holds it, ended on a byte boundary without the final-block mark, then
// a trailer with the uncompressed size and CRC-32: so buffers join into one zip entry as they are
// (TZipArchive::AddDeflated), and their size is known without inflating them.
#include <cstdint>
#include <memory>

#include "workbook/core/stream.h"

namespace workbook {

// Whether streamed memory parts are written through TCompressionStream (and read back through
// TDecompressionStream) while a package is assembled.
extern bool WorkbookCompressTempData;

// The deflate level of every zip entry the library writes. On worksheet XML, level 5 packs as
// tightly as zlib's default (6) in about two thirds of its time; lower levels leave packages
// about a tenth larger.
inline constexpr int kZipDeflateLevel = 5;
// For buffers only read back, never stored: the fastest level still packs records tenfold.
inline constexpr int kTempDeflateLevel = 1;

// What a finished buffer says of itself.
struct TCompressedBufferInfo {
  std::uint64_t Size = 0;           // uncompressed
  std::uint32_t Crc = 0;            // CRC-32 of the uncompressed bytes
  std::int64_t CompressedSize = 0;  // the deflate data from the buffer's start
};

class TCustomCompressionStream : public TStream {
 public:
  // The wrapped stream is kept, not owned.
  explicit TCustomCompressionStream(TStream& stream) : stream_(stream) {}

  TStream& Stream() { return stream_; }

 protected:
  TStream& stream_;
};

class TCompressionStream : public TCustomCompressionStream {
 public:
  // Stream holds nothing else: the buffer starts at its start. Level: zlib's 1 to 9.
  explicit TCompressionStream(TStream& stream, int level = kZipDeflateLevel);
  ~TCompressionStream() override;

  // Write only: nothing is read.
  std::size_t Read(void*, std::size_t) override { return 0; }
  std::size_t Write(const void* buffer, std::size_t count) override;
  // Tells the count written so far (the position and the size); any other seek raises
  // EWorkbookException.
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(size_); }
  void SetSize(std::int64_t size) override;

  // Ends the buffer: the rest of the deflate data and the trailer go to the wrapped stream.
  // Nothing may be written after it. A buffer never finished is not one TDecompressionStream
  // reads.
  void Finish();

 private:
  void Deflate(int flush);
  void DeflateInput(const std::uint8_t* bytes, std::size_t count);
  void DeflateHeld();

  struct TState;
  std::unique_ptr<TState> state_;
  std::uint64_t size_ = 0;
  std::uint32_t crc_ = 0;
};

class TDecompressionStream : public TCustomCompressionStream {
 public:
  // Stream holds a buffer TCompressionStream finished, from its start; anything else raises
  // EWorkbookException.
  explicit TDecompressionStream(TStream& stream);
  ~TDecompressionStream() override;

  // The trailer of a finished buffer, read without inflating it.
  static TCompressedBufferInfo ReadInfo(TStream& stream);

  std::size_t Read(void* buffer, std::size_t count) override;
  // Read only: nothing is written.
  std::size_t Write(const void*, std::size_t) override { return 0; }
  // Rewinding and telling the position or size; any other seek raises EWorkbookException.
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(info_.Size); }

 private:
  void Rewind();

  struct TState;
  std::unique_ptr<TState> state_;
  TCompressedBufferInfo info_;
  std::uint64_t position_ = 0;
  std::int64_t consumed_ = 0;
};

}  // namespace workbook
