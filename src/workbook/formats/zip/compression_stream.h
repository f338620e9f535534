#pragma once
// Wrappers the writers put around their temporary part buffers. They pass every operation through
// to the wrapped stream unchanged, so a buffer holds the same bytes with or without them.
#include <cstdint>

#include "workbook/core/stream.h"

namespace workbook {

// Whether streamed memory parts are written through TCompressionStream (and read back through
// TDecompressionStream) while a package is assembled.
extern bool WorkbookCompressTempData;

class TCustomCompressionStream : public TStream {
 public:
  // The wrapped stream is kept, not owned.
  explicit TCustomCompressionStream(TStream& stream) : stream_(stream) {}

  std::size_t Read(void* buffer, std::size_t count) override { return stream_.Read(buffer, count); }
  std::size_t Write(const void* buffer, std::size_t count) override {
    return stream_.Write(buffer, count);
  }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override {
    return stream_.Seek(offset, origin);
  }
  std::int64_t Size() override { return stream_.Size(); }
  void SetSize(std::int64_t size) override { stream_.SetSize(size); }

  TStream& Stream() { return stream_; }

 private:
  TStream& stream_;
};

class TCompressionStream : public TCustomCompressionStream {
 public:
  using TCustomCompressionStream::TCustomCompressionStream;
};

class TDecompressionStream : public TCustomCompressionStream {
 public:
  using TCustomCompressionStream::TCustomCompressionStream;
};

}  // namespace workbook
