#pragma once
// TTextReader: the characters of a stream, decoded in buffer-sized pieces, delivered one at a
// time with one character of look-back, or a piece at a time to a caller that scans them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "workbook/core/stream.h"
#include "workbook/formats/text/text_encoding.h"

namespace workbook {

class TTextReader {
 public:
  // Reads from Stream's position on. A byte-order mark there (UTF-8, UTF-16 little- or
  // big-endian) names the encoding and is passed over; without one, encoding is used. A mark
  // says more surely than any default what the bytes are, so it wins. The encoding is kept, not
  // owned. bufferSize counts characters.
  TTextReader(TStream& stream, std::size_t bufferSize, const TTextEncoding& encoding);

  // The next character; false at the end of the stream. A NUL character is data like any other.
  bool Read(char16_t& c) {
    if (next_ >= chars_.size() && !Fill()) return false;
    c = chars_[next_++];
    return true;
  }
  // Makes the character just read the next one again (one step, after a Read or a Skip that gave
  // one).
  void StepBack() {
    if (next_ > 0) --next_;
  }
  // The characters decoded and not delivered yet, to scan in bulk; empty only at the end of the
  // stream. The view lasts until the next Read or Ahead.
  std::u16string_view Ahead() {
    if (next_ >= chars_.size()) Fill();
    return std::u16string_view(chars_).substr(next_);
  }
  // Delivers count of the characters Ahead gave.
  void Skip(std::size_t count) { next_ += count; }

  const TTextEncoding& Encoding() const { return *encoding_; }
  // The stream position up to which bytes have been decoded, and the stream's size.
  std::int64_t Position() const { return position_; }
  std::int64_t Size() const { return size_; }

 private:
  // Decodes the next piece; keeps the last character delivered, for StepBack. False at the end.
  bool Fill();
  // Reads up to count bytes onto the undecoded ones; false at the end of the stream.
  bool ReadBytes(std::size_t count);

  TStream& stream_;
  const TTextEncoding* encoding_;
  std::size_t pieceSize_;
  std::string bytes_;  // read but not decoded yet
  std::u16string chars_;
  std::size_t next_ = 0;
  bool streamEnd_ = false;
  std::int64_t position_;
  std::int64_t size_;
};

}  // namespace workbook
