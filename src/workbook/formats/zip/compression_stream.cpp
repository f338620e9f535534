#include "workbook/formats/zip/compression_stream.h"

#include <zlib.h>

#include <algorithm>
#include <vector>

#include "workbook/core/exceptions.h"

namespace workbook {

bool WorkbookCompressTempData = true;

namespace {

constexpr std::size_t kChunk = 32 * 1024;
// The trailer: uncompressed size (64-bit), CRC-32, then a mark that tells a finished buffer.
constexpr std::size_t kTrailerSize = 16;
constexpr std::uint8_t kTrailerMark[4] = {'W', 'B', 'D', 'Z'};
// zlib counts in 32 bits: larger writes and reads go in pieces.
constexpr std::size_t kMaxStep = std::size_t{1} << 30;

void PutLE(std::uint8_t* at, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint64_t GetLE(const std::uint8_t* at, int bytes) {
  std::uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | at[i];
  return value;
}

[[noreturn]] void ThrowDamaged() {
  throw EWorkbookException(u"A compressed temporary buffer is damaged.");
}

}  // namespace

struct TCompressionStream::TState {
  z_stream z{};
  bool open = false;
  // Small writes (a record's fields one by one) gather here: deflate pays per call.
  std::vector<std::uint8_t> in = std::vector<std::uint8_t>(kChunk);
  std::size_t held = 0;
  // The deflate data, handed to the wrapped stream in one write at the end: a memory stream then
  // holds it without the spare room of a buffer grown piece by piece.
  std::vector<std::uint8_t> out;
};

TCompressionStream::TCompressionStream(TStream& stream, int level)
    : TCustomCompressionStream(stream), state_(std::make_unique<TState>()) {
  // Negative window bits: raw deflate, without the zlib header and trailer zip entries lack.
  if (deflateInit2(&state_->z, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw EWorkbookException(u"The deflate stream could not be created.");
  state_->open = true;
  crc_ = static_cast<std::uint32_t>(crc32(0, Z_NULL, 0));
}

TCompressionStream::~TCompressionStream() {
  if (state_->open) deflateEnd(&state_->z);
}

void TCompressionStream::Deflate(int flush) {
  z_stream& z = state_->z;
  std::vector<std::uint8_t>& out = state_->out;
  // Deflate has taken all the input when it leaves room in the output.
  do {
    const std::size_t used = out.size();
    out.resize(used + kChunk);
    z.next_out = out.data() + used;
    z.avail_out = static_cast<uInt>(kChunk);
    const int result = deflate(&z, flush);
    out.resize(used + kChunk - z.avail_out);
    if (result == Z_STREAM_ERROR) throw EWorkbookException(u"Deflating a temporary buffer failed.");
  } while (z.avail_out == 0);
}

void TCompressionStream::DeflateInput(const std::uint8_t* bytes, std::size_t count) {
  while (count > 0) {
    const auto step = static_cast<uInt>(std::min(count, kMaxStep));
    crc_ = static_cast<std::uint32_t>(crc32(crc_, bytes, step));
    state_->z.next_in = const_cast<Bytef*>(bytes);
    state_->z.avail_in = step;
    Deflate(Z_NO_FLUSH);
    bytes += step;
    count -= step;
  }
}

void TCompressionStream::DeflateHeld() {
  DeflateInput(state_->in.data(), state_->held);
  state_->held = 0;
}

std::size_t TCompressionStream::Write(const void* buffer, std::size_t count) {
  if (!state_->open) throw EWorkbookException(u"TCompressionStream written after its end.");
  const auto* bytes = static_cast<const std::uint8_t*>(buffer);
  if (state_->held + count > kChunk) DeflateHeld();
  if (count >= kChunk) {
    DeflateInput(bytes, count);
  } else {
    std::copy(bytes, bytes + count, state_->in.data() + state_->held);
    state_->held += count;
  }
  size_ += count;
  return count;
}

std::int64_t TCompressionStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const auto here = static_cast<std::int64_t>(size_);
  if (origin == TSeekOrigin::Beginning ? offset == here : offset == 0) return here;
  throw EWorkbookException(u"TCompressionStream can only tell its position.");
}

void TCompressionStream::SetSize(std::int64_t size) {
  if (size != static_cast<std::int64_t>(size_))
    throw EWorkbookException(u"TCompressionStream cannot change its size.");
}

void TCompressionStream::Finish() {
  if (!state_->open) return;
  // A sync flush ends the data on a byte boundary without marking the last block, so buffers
  // can follow one another in one deflate stream.
  DeflateHeld();
  Deflate(Z_SYNC_FLUSH);
  deflateEnd(&state_->z);
  state_->open = false;
  std::vector<std::uint8_t>& out = state_->out;
  const std::size_t at = out.size();
  out.resize(at + kTrailerSize);
  PutLE(out.data() + at, size_, 8);
  PutLE(out.data() + at + 8, crc_, 4);
  std::copy(std::begin(kTrailerMark), std::end(kTrailerMark), out.data() + at + 8 + 4);
  stream_.WriteBuffer(out.data(), out.size());
  std::vector<std::uint8_t>().swap(out);
}

struct TDecompressionStream::TState {
  z_stream z{};
  std::vector<std::uint8_t> in = std::vector<std::uint8_t>(kChunk);
};

TDecompressionStream::TDecompressionStream(TStream& stream)
    : TCustomCompressionStream(stream), info_(ReadInfo(stream)) {}

TDecompressionStream::~TDecompressionStream() {
  if (state_) inflateEnd(&state_->z);
}

TCompressedBufferInfo TDecompressionStream::ReadInfo(TStream& stream) {
  const std::int64_t size = stream.Size();
  std::uint8_t trailer[kTrailerSize];
  if (size < static_cast<std::int64_t>(kTrailerSize))
    throw EWorkbookException(u"The stream holds no buffer finished by TCompressionStream.");
  stream.SetPosition(size - static_cast<std::int64_t>(kTrailerSize));
  stream.ReadBuffer(trailer, kTrailerSize);
  stream.SetPosition(0);
  if (!std::equal(std::begin(kTrailerMark), std::end(kTrailerMark), trailer + 12))
    throw EWorkbookException(u"The stream holds no buffer finished by TCompressionStream.");
  TCompressedBufferInfo info;
  info.Size = GetLE(trailer, 8);
  info.Crc = static_cast<std::uint32_t>(GetLE(trailer + 8, 4));
  info.CompressedSize = size - static_cast<std::int64_t>(kTrailerSize);
  return info;
}

std::size_t TDecompressionStream::Read(void* buffer, std::size_t count) {
  if (position_ >= info_.Size) return 0;
  count = static_cast<std::size_t>(std::min<std::uint64_t>(count, info_.Size - position_));
  if (!state_) {
    // Created on the first read: a buffer only measured never pays for the inflate state.
    auto state = std::make_unique<TState>();
    if (inflateInit2(&state->z, -MAX_WBITS) != Z_OK)
      throw EWorkbookException(u"The inflate stream could not be created.");
    state_ = std::move(state);
  }
  z_stream& z = state_->z;
  auto* out = static_cast<Bytef*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    if (z.avail_in == 0) {
      const auto left = static_cast<std::size_t>(info_.CompressedSize - consumed_);
      const std::size_t got =
          left > 0 ? stream_.Read(state_->in.data(), std::min(left, kChunk)) : 0;
      if (got == 0) ThrowDamaged();
      consumed_ += static_cast<std::int64_t>(got);
      z.next_in = state_->in.data();
      z.avail_in = static_cast<uInt>(got);
    }
    const auto step = static_cast<uInt>(std::min(count - done, kMaxStep));
    z.next_out = out + done;
    z.avail_out = step;
    const int result = inflate(&z, Z_NO_FLUSH);
    done += step - z.avail_out;
    // A buffer never holds a last block: an end before the size the trailer gives is damage.
    if (result != Z_OK && result != Z_BUF_ERROR) ThrowDamaged();
    if (result == Z_BUF_ERROR && z.avail_in > 0 && z.avail_out > 0) ThrowDamaged();
  }
  position_ += done;
  return done;
}

void TDecompressionStream::Rewind() {
  stream_.SetPosition(0);
  consumed_ = 0;
  position_ = 0;
  if (state_) {
    inflateReset(&state_->z);
    state_->z.avail_in = 0;
  }
}

std::int64_t TDecompressionStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const auto here = static_cast<std::int64_t>(position_);
  if (origin == TSeekOrigin::Beginning && offset == 0) {
    Rewind();
    return 0;
  }
  if (origin == TSeekOrigin::End && offset == 0) return Size();
  if (origin == TSeekOrigin::Current && offset == 0) return here;
  if (origin == TSeekOrigin::Beginning && offset == here) return here;
  throw EWorkbookException(u"TDecompressionStream can only rewind and tell its position.");
}

}  // namespace workbook
