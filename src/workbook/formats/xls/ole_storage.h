#pragma once
// Compound-file storage (the OLE2 container of .xls files): finds the streams directly under the
// root storage and reads them out through the DIFAT, FAT and mini FAT.
//
// Everything read from the file is checked before use: header fields, table sizes, every sector
// number and every chain (cycles, early ends, special values) are validated against the file's
// actual length, so a damaged file fails with EOleStorageException and never makes the storage
// allocate more than the file holds.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "workbook/core/stream.h"
#include "workbook/formats/xls/ole_stream_reader.h"

namespace workbook {

class TOleStorage {
 public:
  TOleStorage() = default;
  TOleStorage(const TOleStorage&) = delete;
  TOleStorage& operator=(const TOleStorage&) = delete;

  // Keeps source (not owned) and reads the header, the FAT and the directory from Source's current
  // position on; leaves source at that position. EOleStorageException when source is not a sound
  // compound file.
  void Open(TStream& source);
  // Whether the root storage holds a stream of that name (compared case-insensitively).
  bool StreamExists(const std::u16string& name) const;
  // Appends the named stream's bytes to target; false when there is no such stream. target is
  // only touched once the whole stream has been read, so a damaged file adds nothing.
  bool ReadStream(const std::u16string& name, TStream& target);
  // The named stream to read where it lies in Source (which must stay open and unchanged while
  // the reader is used); false when there is no such stream. Its chain is checked whole first.
  bool OpenStream(const std::u16string& name, std::optional<TOleStreamReader>& reader);

  // A compound file holding one stream (the rest of data), written from the start of target.
  // Sizes are checked first, so an oversized stream fails without a half-written file.
  static void WriteStorage(TStream& target, TStream& data, const std::u16string& name);

 private:
  struct TDirectoryEntry {
    std::u16string Name;
    std::uint8_t Type = 0;
    std::uint32_t Left = 0;
    std::uint32_t Right = 0;
    std::uint32_t Child = 0;
    std::uint32_t StartSector = 0;
    std::uint64_t Size = 0;
  };
  // A run of bytes of the file, relative to BasePosition.
  struct TExtent {
    std::int64_t Offset;
    std::uint32_t Length;
  };

  void ReadHeader();
  void ReadFAT();
  void ReadDirectory();
  void CollectRootChildren();
  void LoadMiniStream();
  const TDirectoryEntry* FindStream(const std::u16string& name) const;
  std::vector<std::uint32_t> Chain(std::uint32_t start, std::uint64_t count, bool toEnd,
                                   const std::vector<std::uint32_t>& table,
                                   std::uint64_t limit) const;
  std::vector<TExtent> StreamExtents(const TDirectoryEntry& entry);
  std::int64_t SectorOffset(std::uint32_t sector) const;
  void ReadAt(std::int64_t offset, void* buffer, std::size_t count);
  std::vector<std::uint32_t> ReadTable(const std::vector<std::uint32_t>& sectors);

  TStream* Stream = nullptr;
  std::int64_t BasePosition = 0;
  std::array<std::uint8_t, 512> Header{};
  std::vector<std::uint32_t> FAT;
  std::vector<std::uint32_t> MiniFAT;

  std::int64_t FileLength = 0;  // bytes from BasePosition to the end of Source
  unsigned SectorShift = 9;
  std::uint64_t SectorCount = 0;  // sectors that start inside the file
  std::vector<TDirectoryEntry> Directory;
  std::vector<std::uint32_t> RootChildren;  // directory indexes of the root storage's children
  bool MiniStreamLoaded = false;
  std::vector<std::uint32_t> MiniStreamSectors;  // the root entry's chain
};

}  // namespace workbook
