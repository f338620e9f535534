#pragma once
// Byte streams: the one interface every reader and writer of the library works on, with an
// in-memory and a file implementation.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace workbook {

enum class TSeekOrigin { Beginning, Current, End };

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to count bytes; returns how many were read (0 at the end).
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  // Writes count bytes; returns how many were written.
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  // Moves the position; returns the new position.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
  virtual std::int64_t Size();
  // Truncates or extends the stream; the position stays unless it lies beyond the new end.
  virtual void SetSize(std::int64_t size);

  std::int64_t Position() { return Seek(0, TSeekOrigin::Current); }
  void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::Beginning); }
  // Exactly count bytes or EWorkbookFileException (a truncated file).
  void ReadBuffer(void* buffer, std::size_t count);
  // Exactly count bytes or EWorkbookException.
  void WriteBuffer(const void* buffer, std::size_t count);
  void WriteString(const std::string& bytes) { WriteBuffer(bytes.data(), bytes.size()); }
  // Copies count bytes from Source's position (count 0: the whole of source from its start).
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> data) : data_(std::move(data)) {}

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }

  void SetSize(std::int64_t size) override;
  void Clear();
  const std::uint8_t* Memory() const { return data_.data(); }
  std::uint8_t* Memory() { return data_.data(); }
  const std::vector<std::uint8_t>& Data() const { return data_; }
  std::string AsString() const { return std::string(data_.begin(), data_.end()); }
  void LoadFromFile(const std::string& fileName);
  // Raises when the file cannot be written whole.
  void SaveToFile(const std::string& fileName) const;

 private:
  std::vector<std::uint8_t> data_;
  std::size_t position_ = 0;
};

// Create replaces a file of the name; CreateNew refuses to take an existing one.
enum class TFileMode { OpenRead, Create, CreateNew };

// File names are UTF-8 paths of this platform. A failed write, and a failed flush on a seek or on
// Close, raises EWorkbookException naming the file ("disk full" when the disk is).
class TFileStream : public TStream {
 public:
  TFileStream(const std::string& fileName, TFileMode mode);
  // Only releases the file: a caller that wrote calls Close, which reports what the last bytes
  // met.
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  void SetSize(std::int64_t size) override;

  // Writes what is buffered and closes the file, raising when either fails; nothing may be done
  // with the stream afterwards.
  void Close();

 private:
  [[noreturn]] void RaiseWriteError(int error) const;

  std::string fileName_;
  std::FILE* file_ = nullptr;
};

}  // namespace workbook
