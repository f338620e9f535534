#include "workbook/core/stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"

namespace workbook {

std::int64_t TStream::Size() {
  std::int64_t here = Position();
  std::int64_t end = Seek(0, TSeekOrigin::End);
  SetPosition(here);
  return end;
}

void TStream::SetSize(std::int64_t) {
  throw EWorkbookException(u"The stream's size cannot be changed.");
}

void TStream::ReadBuffer(void* buffer, std::size_t count) {
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    std::size_t got = Read(out + done, count - done);
    if (got == 0) throw EWorkbookFileException(u"Unexpected end of stream.");
    done += got;
  }
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
  if (Write(buffer, count) != count) throw EWorkbookException(u"Stream write error.");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::vector<std::uint8_t> chunk(static_cast<std::size_t>(std::min<std::int64_t>(count, 1 << 16)));
  std::int64_t left = count;
  while (left > 0) {
    std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(left, chunk.size()));
    source.ReadBuffer(chunk.data(), n);
    WriteBuffer(chunk.data(), n);
    left -= n;
  }
  return count;
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  if (position_ >= data_.size()) return 0;
  std::size_t n = std::min(count, data_.size() - position_);
  std::memcpy(buffer, data_.data() + position_, n);
  position_ += n;
  return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
  if (count == 0) return 0;
  const auto* bytes = static_cast<const std::uint8_t*>(buffer);
  if (position_ == data_.size()) {
    // Appending copies once, without first filling the new room with zeros.
    data_.insert(data_.end(), bytes, bytes + count);
  } else {
    if (position_ + count > data_.size()) data_.resize(position_ + count);
    std::memcpy(data_.data() + position_, bytes, count);
  }
  position_ += count;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  std::int64_t base = origin == TSeekOrigin::Beginning ? 0
                      : origin == TSeekOrigin::Current ? static_cast<std::int64_t>(position_)
                                                       : static_cast<std::int64_t>(data_.size());
  std::int64_t target = base + offset;
  if (target < 0) target = 0;
  position_ = static_cast<std::size_t>(target);
  return target;
}

void TMemoryStream::SetSize(std::int64_t size) {
  if (size < 0) throw EWorkbookException(u"Negative stream size.");
  data_.resize(static_cast<std::size_t>(size));
  position_ = std::min(position_, data_.size());
}

void TMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, TFileMode::OpenRead);
  std::int64_t size = file.Size();
  std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
  if (size > 0) file.ReadBuffer(data.data(), data.size());
  data_ = std::move(data);
  position_ = 0;
}

void TMemoryStream::SaveToFile(const std::string& fileName) const {
  TFileStream file(fileName, TFileMode::Create);
  if (!data_.empty()) file.WriteBuffer(data_.data(), data_.size());
  file.Close();
}

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) : fileName_(fileName) {
  file_ = std::fopen(fileName.c_str(), mode == TFileMode::OpenRead ? "rb"
                                       : mode == TFileMode::Create ? "w+b"
                                                                   : "w+bx");
  if (!file_) {
    std::string reason = std::strerror(errno);
    throw EWorkbookException(
        platform::Utf8ToUtf16("Cannot open file \"" + fileName + "\". " + reason));
  }
}

TFileStream::~TFileStream() {
  if (file_) std::fclose(file_);
}

void TFileStream::Close() {
  if (!file_) return;
  std::FILE* file = file_;
  file_ = nullptr;
  const int error = std::fflush(file) != 0 ? errno : 0;
  if (std::fclose(file) != 0 && error == 0) RaiseWriteError(errno);
  if (error != 0) RaiseWriteError(error);
}

// ENOSPC and EDQUOT are the disk (or the user's share of it) filling up.
void TFileStream::RaiseWriteError(int error) const {
  const std::string reason =
      error == ENOSPC || error == EDQUOT ? "disk full" : std::string(std::strerror(error));
  throw EWorkbookException(
      platform::Utf8ToUtf16("Cannot write file \"" + fileName_ + "\": " + reason + "."));
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
  return std::fread(buffer, 1, count, file_);
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
  const std::size_t written = std::fwrite(buffer, 1, count, file_);
  if (written != count) RaiseWriteError(errno);
  return written;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  int whence = origin == TSeekOrigin::Beginning ? SEEK_SET
               : origin == TSeekOrigin::Current ? SEEK_CUR
                                                : SEEK_END;
  if (fseeko(file_, offset, whence) != 0) {
    // A seek first writes what is buffered: that is what fails when the disk is full.
    if (std::ferror(file_)) RaiseWriteError(errno);
    throw EWorkbookException(u"Stream seek error.");
  }
  return ftello(file_);
}

void TFileStream::SetSize(std::int64_t size) {
  if (size >= 0 && std::fflush(file_) != 0) RaiseWriteError(errno);
  if (size < 0 || ftruncate(fileno(file_), size) != 0)
    throw EWorkbookException(u"Stream size change error.");
  if (ftello(file_) > size) Seek(size, TSeekOrigin::Beginning);
}

}  // namespace workbook
