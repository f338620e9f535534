#include "workbook/formats/text/text_reader.h"

#include <algorithm>

namespace workbook {

namespace {

const TTextEncoding* EncodingOfMark(std::string_view bytes, std::size_t& markLength) {
  for (const TTextEncoding* encoding :
       {&TTextEncoding::UTF8(), &TTextEncoding::Unicode(), &TTextEncoding::BigEndianUnicode()}) {
    const std::string_view mark = encoding->Preamble();
    if (bytes.substr(0, mark.size()) == mark) {
      markLength = mark.size();
      return encoding;
    }
  }
  markLength = 0;
  return nullptr;
}

}  // namespace

TTextReader::TTextReader(TStream& stream, std::size_t bufferSize, const TTextEncoding& encoding)
    : stream_(stream), encoding_(&encoding), position_(stream.Position()), size_(stream.Size()) {
  while (bytes_.size() < 3 && ReadBytes(3 - bytes_.size())) {
  }
  std::size_t markLength = 0;
  if (const TTextEncoding* marked = EncodingOfMark(bytes_, markLength)) encoding_ = marked;
  bytes_.erase(0, markLength);
  position_ += static_cast<std::int64_t>(markLength);
  pieceSize_ = std::max<std::size_t>(bufferSize, 1) * encoding_->UnitSize();
  chars_.reserve(std::max<std::size_t>(bufferSize, 1) + 1);
}

bool TTextReader::ReadBytes(std::size_t count) {
  if (streamEnd_) return false;
  const std::size_t old = bytes_.size();
  bytes_.resize(old + count);
  const std::size_t got = stream_.Read(bytes_.data() + old, count);
  bytes_.resize(old + got);
  if (got == 0) streamEnd_ = true;
  return got > 0;
}

bool TTextReader::Fill() {
  if (next_ > 0) {
    chars_.erase(0, next_ - 1);
    next_ = 1;
  }
  const std::size_t before = chars_.size();
  while (chars_.size() == before && !(streamEnd_ && bytes_.empty())) {
    ReadBytes(pieceSize_);
    const std::size_t used = encoding_->Decode(bytes_, streamEnd_, chars_);
    bytes_.erase(0, used);
    position_ += static_cast<std::int64_t>(used);
  }
  return chars_.size() > before;
}

}  // namespace workbook
