#include "workbook/formats/xls/ole_stream_reader.h"

#include <algorithm>
#include <cstring>

#include "workbook/core/exceptions.h"

namespace workbook {

namespace {

[[noreturn]] void EndOfStream() { throw EWorkbookFileException(u"Unexpected end of stream."); }

}  // namespace

TOleStreamReader::TOleStreamReader(const TMemoryStream& memory)
    : memory_(memory.Memory()),
      size_(static_cast<std::int64_t>(memory.Data().size())),
      base_(memory.Memory()),
      end_(size_) {}

TOleStreamReader::TOleStreamReader(TStream& source, std::vector<TOleStreamRun> runs,
                                   std::uint64_t size)
    : source_(&source), runs_(std::move(runs)), size_(static_cast<std::int64_t>(size)) {
  if (const auto* memory = dynamic_cast<const TMemoryStream*>(&source)) {
    memory_ = memory->Memory();
    if (runs_.size() == 1) {
      base_ = memory_ + runs_.front().SourcePosition;
      end_ = size_;
    }
  }
}

void TOleStreamReader::CheckRange(std::int64_t position, std::size_t count) const {
  if (position < 0 || position > size_ || static_cast<std::int64_t>(count) > size_ - position)
    EndOfStream();
}

const std::uint8_t* TOleStreamReader::Refill(std::int64_t position, std::size_t count) {
  CheckRange(position, count);
  // The window starts at the bytes asked for, so the records after them follow without a
  // refill; it never holds less than they need, since they lie inside the stream.
  const auto length = static_cast<std::size_t>(
      std::min<std::int64_t>(std::max(kWindowSize, count), size_ - position));
  window_.resize(std::max(window_.size(), length));
  // Nothing is at hand while the window is filled, should the source fail.
  start_ = end_ = 0;
  Fill(position, window_.data(), length);
  base_ = window_.data();
  start_ = position;
  end_ = position + static_cast<std::int64_t>(length);
  return base_;
}

void TOleStreamReader::Copy(std::int64_t position, void* buffer, std::size_t count) {
  CheckRange(position, count);
  if (count == 0) return;
  if (position >= start_ && static_cast<std::int64_t>(count) <= end_ - position)
    std::memcpy(buffer, base_ + (position - start_), count);
  else
    Fill(position, static_cast<std::uint8_t*>(buffer), count);
}

void TOleStreamReader::Fill(std::int64_t position, std::uint8_t* buffer, std::size_t count) {
  // The run holding position: the last one starting at or before it.
  auto run =
      std::upper_bound(runs_.begin(), runs_.end(), static_cast<std::uint64_t>(position),
                       [](std::uint64_t at, const TOleStreamRun& r) { return at < r.Start; });
  if (run == runs_.begin()) EndOfStream();
  --run;
  std::uint64_t at = static_cast<std::uint64_t>(position);
  while (count > 0) {
    if (run == runs_.end() || at < run->Start || at >= run->Start + run->Length) EndOfStream();
    const std::uint64_t into = at - run->Start;
    const std::size_t piece =
        static_cast<std::size_t>(std::min<std::uint64_t>(count, run->Length - into));
    const std::int64_t from = run->SourcePosition + static_cast<std::int64_t>(into);
    if (memory_ != nullptr) {
      std::memcpy(buffer, memory_ + from, piece);
    } else {
      source_->SetPosition(from);
      source_->ReadBuffer(buffer, piece);
    }
    buffer += piece;
    at += piece;
    count -= piece;
    ++run;
  }
}

}  // namespace workbook
