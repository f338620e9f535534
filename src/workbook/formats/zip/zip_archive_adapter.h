#pragma once
// The adapter between TZipArchive and libzip: opens an archive held in a caller-owned stream,
// inserts entries from streams and inflates entries into streams. Entry names are UTF-8 here.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "workbook/core/stream.h"

typedef struct zip zip_t;
typedef struct zip_source zip_source_t;

namespace workbook {

enum class TZipArchiveMode { Read = 0, Update = 1, Create = 2 };

class TZipArchiveAdapter {
 public:
  // Read and Update read the central directory at once (EZipFileInvalid when the stream holds no
  // valid archive); Create reads nothing.
  TZipArchiveAdapter(TStream& stream, TZipArchiveMode mode);
  ~TZipArchiveAdapter();
  TZipArchiveAdapter(const TZipArchiveAdapter&) = delete;
  TZipArchiveAdapter& operator=(const TZipArchiveAdapter&) = delete;

  int Count() const { return static_cast<int>(names_.size()); }
  const std::string& Name(int index) const { return names_[static_cast<std::size_t>(index)]; }
  // The entry stored under name, reading every "\" in stored names as "/"; -1 when absent.
  int Locate(const std::string& name) const;
  // The uncompressed size the entry declares (inflating never goes past it); 0 when unknown.
  std::uint64_t DeclaredSize(int index) const;

  // Adds an entry with the rest of data (deflated, or stored with stored), replacing one of the
  // same name, and writes the whole archive to the stream.
  void Insert(const std::string& name, TStream& data, bool stored = false);
  // The same with data deflated beforehand: the buffers TCompressionStream finished, joined in
  // order and copied as they are. They are read here and may be freed afterwards.
  void InsertDeflated(const std::string& name, const std::vector<TStream*>& pieces);
  // Writes the archive to the stream; an archive without entries becomes an empty archive.
  void Save();

  // Inflates an entry, appending it to target (EZipFileInvalid on damaged or oversized data).
  void Extract(int index, TStream& target);
  // The same into a buffer; an entry declaring more than maxSize bytes is refused as too large.
  std::vector<std::uint8_t> ExtractToBuffer(int index, std::uint64_t maxSize = UINT64_MAX);

  // The most bytes all extractions of this archive may inflate together.
  std::uint64_t InflateLimit() const { return inflateLimit_; }
  void SetInflateLimit(std::uint64_t limit) { inflateLimit_ = limit; }

  struct TSourceState;

 private:
  void Open(bool truncate);
  // AppendOnly: the changes since the last commit only add entries.
  void Commit(bool appendOnly);
  void IndexNames();
  void CheckWritable() const;
  void AddSource(const std::string& name, zip_source_t* source, std::int32_t method,
                 std::uint32_t level);
  // Checks the entry's declared sizes (against maxSize too) and returns its uncompressed size.
  std::uint64_t CheckedEntrySize(int index, std::uint64_t maxSize = UINT64_MAX);
  template <typename Sink>
  void Inflate(int index, Sink&& sink, std::uint64_t maxSize);

  TStream& stream_;
  TZipArchiveMode mode_;
  std::unique_ptr<TSourceState> state_;
  zip_t* zip_ = nullptr;
  std::vector<std::string> names_;
  std::unordered_map<std::string, int> lookup_;
  std::uint64_t inflateLimit_;
  std::uint64_t inflated_ = 0;
};

}  // namespace workbook
