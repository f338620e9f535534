#include "workbook/formats/zip/deflated_data.h"

#include <zlib.h>

#include <algorithm>

#include "workbook/core/exceptions.h"

namespace workbook {

struct TDeflatedData::TState {
  z_stream stream{};
  bool open = false;
};

TDeflatedData::TDeflatedData(int level) : state_(std::make_unique<TState>()) {
  // Negative window bits: raw deflate, without the zlib header and trailer zip entries lack.
  if (deflateInit2(&state_->stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw EWorkbookException(u"The deflate stream could not be created.");
  state_->open = true;
  crc_ = static_cast<std::uint32_t>(crc32(0, Z_NULL, 0));
}

TDeflatedData::~TDeflatedData() {
  if (state_->open) deflateEnd(&state_->stream);
}

void TDeflatedData::Deflate(int flush) {
  z_stream& z = state_->stream;
  do {
    // Room for at least what deflate can make of the input at hand in one go.
    const std::size_t room = std::max<std::size_t>(deflateBound(&z, z.avail_in), 64 * 1024);
    const std::size_t used = compressed_.size();
    compressed_.resize(used + room);
    z.next_out = compressed_.data() + used;
    z.avail_out = static_cast<uInt>(room);
    const int result = deflate(&z, flush);
    compressed_.resize(used + room - z.avail_out);
    if (result == Z_STREAM_ERROR) throw EWorkbookException(u"Deflating a zip entry failed.");
  } while (z.avail_in > 0 || z.avail_out == 0);
}

void TDeflatedData::Write(const void* buffer, std::size_t count) {
  if (!state_->open) throw EWorkbookException(u"Deflated data written after its end.");
  const auto* bytes = static_cast<const Bytef*>(buffer);
  while (count > 0) {
    const auto piece = static_cast<uInt>(std::min<std::size_t>(count, 1u << 30));
    crc_ = static_cast<std::uint32_t>(crc32(crc_, bytes, piece));
    size_ += piece;
    state_->stream.next_in = const_cast<Bytef*>(bytes);
    state_->stream.avail_in = piece;
    Deflate(Z_NO_FLUSH);
    bytes += piece;
    count -= piece;
  }
}

void TDeflatedData::Finish(bool last) {
  if (!state_->open) return;
  state_->stream.avail_in = 0;
  Deflate(last ? Z_FINISH : Z_SYNC_FLUSH);
  deflateEnd(&state_->stream);
  state_->open = false;
  compressed_.shrink_to_fit();
}

}  // namespace workbook
