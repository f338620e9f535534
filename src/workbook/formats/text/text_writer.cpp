#include "workbook/formats/text/text_writer.h"

#include <algorithm>

#include "platform/text_codec.h"

namespace workbook {

TTextWriter::TTextWriter(TStream& stream, std::size_t bufferSize, const TTextEncoding& encoding,
                         bool writeBOM)
    : stream_(stream),
      encoding_(encoding),
      // Room for two, so a surrogate held back for its partner never fills the buffer.
      bufferSize_(std::max<std::size_t>(bufferSize, 2)),
      bomPending_(writeBOM) {
  buffer_.reserve(bufferSize_ + 1);
}

void TTextWriter::Write(std::u16string_view text) {
  while (!text.empty()) {
    const std::size_t room = bufferSize_ > buffer_.size() ? bufferSize_ - buffer_.size() : 0;
    const std::size_t take = std::min(room, text.size());
    buffer_.append(text.substr(0, take));
    text.remove_prefix(take);
    if (buffer_.size() >= bufferSize_) WriteBuffer(false);
  }
}

void TTextWriter::Write(char16_t c) { Write(std::u16string_view(&c, 1)); }

void TTextWriter::Flush() { WriteBuffer(true); }

void TTextWriter::WriteBuffer(bool final) {
  bytes_.clear();
  if (bomPending_) {
    bytes_ = encoding_.Preamble();
    bomPending_ = false;
  }
  std::size_t count = buffer_.size();
  if (!final && count > 0 && platform::IsHighSurrogate(buffer_[count - 1])) --count;
  encoding_.Encode(std::u16string_view(buffer_).substr(0, count), bytes_);
  buffer_.erase(0, count);
  stream_.WriteBuffer(bytes_.data(), bytes_.size());
}

}  // namespace workbook
