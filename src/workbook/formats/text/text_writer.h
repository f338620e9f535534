#pragma once
// TTextWriter: library text written to a stream in a given encoding, gathered in a buffer of
// characters so the stream sees few large writes.
#include <cstddef>
#include <string>
#include <string_view>

#include "workbook/core/stream.h"
#include "workbook/formats/text/text_encoding.h"

namespace workbook {

class TTextWriter {
 public:
  // Writes at Stream's position. The encoding is kept, not owned. With writeBOM the encoding's
  // byte-order mark goes before everything else (the 8-bit encodings have none).
  TTextWriter(TStream& stream, std::size_t bufferSize, const TTextEncoding& encoding,
              bool writeBOM);

  void Write(std::u16string_view text);
  void Write(char16_t c);
  // Encodes and writes everything buffered. Call it before the writer goes away: the destructor
  // writes nothing, so a failed write is never hidden in it.
  void Flush();

  const TTextEncoding& Encoding() const { return encoding_; }

 private:
  // Writes the buffer; unless final, a last high surrogate waits for its partner, so a character
  // is never encoded in halves.
  void WriteBuffer(bool final);

  TStream& stream_;
  const TTextEncoding& encoding_;
  std::size_t bufferSize_;
  bool bomPending_;
  std::u16string buffer_;
  std::string bytes_;
};

}  // namespace workbook
