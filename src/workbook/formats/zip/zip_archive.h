#pragma once
// TZipArchive: the library's only way into zip packages (XLSX, ODS, zipped CSV). It works on whole
// entries held in streams, on an archive held in a caller-owned stream, and never touches the
// file system. Entry names always use "/" between segments.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "workbook/core/stream.h"
#include "workbook/formats/zip/zip_archive_adapter.h"

namespace workbook {

class TZipArchive {
 public:
  // Read: the archive in stream, its central directory read at once. Update: the same, and adds
  // replace entries of the same name. Create: a new archive; nothing is read. A stream without a
  // valid archive (Read, Update) raises EZipFileInvalid. The stream is not owned.
  TZipArchive(TStream& stream, TZipArchiveMode mode);

  // Adds an entry holding Stream's bytes from its position on, deflated (stored as they are
  // with stored), after the entries added before (an entry of the same name is replaced in its
  // place). "\" in the name becomes "/", and a trailing separator is dropped. The stream then
  // holds the complete archive.
  void AddFile(const std::u16string& fileName, TStream& stream, bool stored = false);
  // Adds an entry whose data was deflated while it was made: Pieces, buffers TCompressionStream
  // finished, joined in order and copied into the archive as they are.
  void AddDeflated(const std::u16string& fileName, const std::vector<TStream*>& pieces);

  // The entry's index, or -1. "\" and "/" are the same separator here, also in stored names.
  int IndexOf(const std::u16string& fileName) const;

  // Inflate an entry, appending its bytes at Stream's position. False (nothing written) when the
  // entry is absent or the index negative. Damaged or oversized entries raise EZipFileInvalid.
  bool ExtractToStream(const std::u16string& fileName, TStream& stream);
  bool ExtractIndexToStream(int index, TStream& stream);
  // Inflate an entry into a new memory stream at position 0; size is its size. When the entry
  // is absent stream is reset (by name) or left alone (by index). An entry declaring more than
  // maxSize bytes is refused as the load's limits refuse parts, before it is inflated.
  bool ExtractToMemoryStream(const std::u16string& fileName, std::unique_ptr<TMemoryStream>& stream,
                             std::int64_t& size, std::uint64_t maxSize = UINT64_MAX);
  bool ExtractIndexToMemoryStream(int index, std::unique_ptr<TMemoryStream>& stream,
                                  std::int64_t& size, std::uint64_t maxSize = UINT64_MAX);

  int GetCount() const { return adapter_.Count(); }
  // The uncompressed size an entry declares, which its extraction never exceeds: the measure of
  // progress through it. 0 when absent.
  std::int64_t GetUncompressedSize(int index) const {
    return static_cast<std::int64_t>(adapter_.DeclaredSize(index));
  }
  // The stored name of an entry, as written by the tool that made the archive.
  std::u16string GetFileName(int index) const;

  // Writes the archive to its stream (every add already has; a new archive without entries
  // becomes an empty archive).
  void Save() { adapter_.Save(); }

  // The most bytes the extractions of this archive may inflate together; beyond it they raise
  // EZipFileInvalid.
  std::uint64_t GetInflateLimit() const { return adapter_.InflateLimit(); }
  void SetInflateLimit(std::uint64_t limit) { adapter_.SetInflateLimit(limit); }

 private:
  bool ValidIndex(int index) const { return index >= 0 && index < GetCount(); }

  TZipArchiveAdapter adapter_;
};

}  // namespace workbook
