#include "workbook/formats/xls/ole_storage.h"

#include <algorithm>
#include <utility>

#include "workbook/core/exceptions.h"

namespace workbook {

namespace {

constexpr std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::uint32_t kHeaderDIFATEntries = 109;
constexpr std::uint32_t kMiniSectorShift = 6;
constexpr std::uint32_t kMiniStreamCutoff = 4096;
constexpr std::size_t kDirectoryEntrySize = 128;
constexpr std::uint8_t kTypeStream = 2;
constexpr std::uint8_t kTypeRoot = 5;

[[noreturn]] void Fail() { throw EOleStorageException(u"The file could not be opened."); }

std::uint16_t Word(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

std::uint32_t DWord(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint64_t CeilDiv(std::uint64_t value, std::uint64_t divisor) {
  return value / divisor + (value % divisor != 0);
}

// Directory names compare case-insensitively; the names asked for are ASCII, so folding ASCII
// letters is enough.
char16_t FoldCase(char16_t c) { return c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c; }

bool SameName(const std::u16string& a, const std::u16string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

}  // namespace

void TOleStorage::Open(TStream& source) {
  Stream = &source;
  BasePosition = source.Position();
  FileLength = source.Size() - BasePosition;
  FAT.clear();
  MiniFAT.clear();
  Directory.clear();
  RootChildren.clear();
  MiniStreamSectors.clear();
  MiniStreamLoaded = false;

  ReadHeader();
  ReadFAT();
  ReadDirectory();
  CollectRootChildren();
  Stream->SetPosition(BasePosition);
}

void TOleStorage::ReadHeader() {
  if (FileLength < static_cast<std::int64_t>(Header.size())) Fail();
  ReadAt(0, Header.data(), Header.size());
  if (!std::equal(std::begin(kSignature), std::end(kSignature), Header.begin())) Fail();
  SectorShift = Word(&Header[30]);
  if (SectorShift != 9 && SectorShift != 12) Fail();
  if (Word(&Header[32]) != kMiniSectorShift) Fail();
  if (DWord(&Header[56]) != kMiniStreamCutoff) Fail();
  // The header takes the place of sector -1, so sector n starts at (n + 1) sector sizes; a last
  // sector cut short by the end of the file still counts, reads check the bytes they need.
  const std::int64_t sectorSize = std::int64_t{1} << SectorShift;
  SectorCount = FileLength > sectorSize ? CeilDiv(FileLength - sectorSize, sectorSize) : 0;
}

void TOleStorage::ReadFAT() {
  const std::uint32_t fatSectorCount = DWord(&Header[44]);
  if (fatSectorCount > SectorCount) Fail();
  std::vector<std::uint32_t> fatSectors;
  fatSectors.reserve(fatSectorCount);
  for (std::uint32_t i = 0; i < std::min(fatSectorCount, kHeaderDIFATEntries); ++i) {
    fatSectors.push_back(DWord(&Header[76 + 4 * i]));
  }
  // The FAT sectors beyond the header's 109 are listed in a chain of DIFAT sectors, each ending
  // with the number of the next one.
  const std::size_t sectorSize = std::size_t{1} << SectorShift;
  std::vector<std::uint8_t> sector(sectorSize);
  std::vector<bool> seen(SectorCount);
  std::uint32_t next = DWord(&Header[68]);
  while (fatSectors.size() < fatSectorCount) {
    if (next >= SectorCount || seen[next]) Fail();
    seen[next] = true;
    ReadAt(SectorOffset(next), sector.data(), sectorSize);
    const std::size_t perSector = sectorSize / 4 - 1;
    for (std::size_t i = 0; i < perSector && fatSectors.size() < fatSectorCount; ++i) {
      fatSectors.push_back(DWord(&sector[4 * i]));
    }
    next = DWord(&sector[4 * perSector]);
  }
  FAT = ReadTable(fatSectors);
}

void TOleStorage::ReadDirectory() {
  const std::vector<std::uint32_t> chain =
      Chain(DWord(&Header[48]), 0, true, FAT, std::min<std::uint64_t>(FAT.size(), SectorCount));
  if (chain.empty()) Fail();
  const std::size_t sectorSize = std::size_t{1} << SectorShift;
  std::vector<std::uint8_t> sector(sectorSize);
  Directory.reserve(chain.size() * (sectorSize / kDirectoryEntrySize));
  for (std::uint32_t number : chain) {
    ReadAt(SectorOffset(number), sector.data(), sectorSize);
    for (std::size_t at = 0; at < sectorSize; at += kDirectoryEntrySize) {
      const std::uint8_t* raw = &sector[at];
      TDirectoryEntry entry;
      // The name length counts bytes with the terminating zero; a damaged length is capped at
      // the 32 characters of the field and the name still ends at its first zero.
      const std::size_t chars = std::min<std::size_t>(Word(raw + 64) / 2, 32);
      for (std::size_t i = 0; i < chars && Word(raw + 2 * i) != 0; ++i) {
        entry.Name.push_back(static_cast<char16_t>(Word(raw + 2 * i)));
      }
      entry.Type = raw[66];
      entry.Left = DWord(raw + 68);
      entry.Right = DWord(raw + 72);
      entry.Child = DWord(raw + 76);
      entry.StartSector = DWord(raw + 116);
      entry.Size = DWord(raw + 120);
      // Version 3 files (512-byte sectors) may carry garbage in the size's high half.
      if (SectorShift != 9) entry.Size |= static_cast<std::uint64_t>(DWord(raw + 124)) << 32;
      Directory.push_back(std::move(entry));
    }
  }
  if (Directory[0].Type != kTypeRoot) Fail();
}

void TOleStorage::CollectRootChildren() {
  // The root's children form one tree of left and right siblings under its child link; walking
  // only that tree keeps entries of nested storages and orphaned entries out.
  std::vector<bool> seen(Directory.size());
  seen[0] = true;
  std::vector<std::uint32_t> pending{Directory[0].Child};
  while (!pending.empty()) {
    const std::uint32_t id = pending.back();
    pending.pop_back();
    if (id == kNoStream) continue;
    if (id >= Directory.size() || seen[id]) Fail();
    seen[id] = true;
    RootChildren.push_back(id);
    pending.push_back(Directory[id].Left);
    pending.push_back(Directory[id].Right);
  }
}

const TOleStorage::TDirectoryEntry* TOleStorage::FindStream(const std::u16string& name) const {
  for (std::uint32_t id : RootChildren) {
    const TDirectoryEntry& entry = Directory[id];
    if (entry.Type == kTypeStream && SameName(entry.Name, name)) return &entry;
  }
  return nullptr;
}

bool TOleStorage::StreamExists(const std::u16string& name) const {
  return FindStream(name) != nullptr;
}

bool TOleStorage::ReadStream(const std::u16string& name, TStream& target) {
  std::optional<TOleStreamReader> reader;
  if (!OpenStream(name, reader)) return false;
  // Everything is read before anything is written, so a damaged stream leaves Target untouched.
  std::vector<std::uint8_t> data(static_cast<std::size_t>(reader->Size()));
  reader->Copy(0, data.data(), data.size());
  // An empty memory stream takes the bytes over instead of a copy of them.
  auto* memory = dynamic_cast<TMemoryStream*>(&target);
  if (memory != nullptr && memory->Size() == 0) {
    *memory = TMemoryStream(std::move(data));
    memory->Seek(0, TSeekOrigin::End);
    return true;
  }
  target.WriteBuffer(data.data(), data.size());
  return true;
}

bool TOleStorage::OpenStream(const std::u16string& name, std::optional<TOleStreamReader>& reader) {
  const TDirectoryEntry* entry = FindStream(name);
  if (!entry) return false;
  // Sectors that follow one another in the file make one run: a stream written in one go is a
  // single run, read in place from memory.
  std::vector<TOleStreamRun> runs;
  std::uint64_t at = 0;
  for (const TExtent& extent : StreamExtents(*entry)) {
    const std::int64_t from = BasePosition + extent.Offset;
    if (!runs.empty() &&
        runs.back().SourcePosition + static_cast<std::int64_t>(runs.back().Length) == from)
      runs.back().Length += extent.Length;
    else
      runs.push_back({at, from, extent.Length});
    at += extent.Length;
  }
  reader.emplace(*Stream, std::move(runs), entry->Size);
  return true;
}

std::vector<TOleStorage::TExtent> TOleStorage::StreamExtents(const TDirectoryEntry& entry) {
  std::vector<TExtent> extents;
  if (entry.Size == 0) return extents;
  if (entry.Size > static_cast<std::uint64_t>(FileLength)) Fail();
  const std::uint64_t sectorSize = std::uint64_t{1} << SectorShift;
  std::uint64_t left = entry.Size;
  if (entry.Size >= kMiniStreamCutoff) {
    const std::vector<std::uint32_t> chain =
        Chain(entry.StartSector, CeilDiv(entry.Size, sectorSize), false, FAT,
              std::min<std::uint64_t>(FAT.size(), SectorCount));
    for (std::uint32_t number : chain) {
      const auto length = static_cast<std::uint32_t>(std::min(sectorSize, left));
      extents.push_back({SectorOffset(number), length});
      left -= length;
    }
  } else {
    LoadMiniStream();
    const std::uint64_t miniSectorSize = std::uint64_t{1} << kMiniSectorShift;
    const std::uint64_t miniSectorCount = CeilDiv(Directory[0].Size, miniSectorSize);
    const std::vector<std::uint32_t> chain =
        Chain(entry.StartSector, CeilDiv(entry.Size, miniSectorSize), false, MiniFAT,
              std::min<std::uint64_t>(MiniFAT.size(), miniSectorCount));
    for (std::uint32_t number : chain) {
      const std::uint64_t position = std::uint64_t{number} << kMiniSectorShift;
      const std::uint64_t index = position >> SectorShift;
      if (index >= MiniStreamSectors.size()) Fail();
      const auto length = static_cast<std::uint32_t>(std::min(miniSectorSize, left));
      extents.push_back({SectorOffset(MiniStreamSectors[index]) +
                             static_cast<std::int64_t>(position & (sectorSize - 1)),
                         length});
      left -= length;
    }
  }
  for (const TExtent& extent : extents) {
    if (extent.Offset + extent.Length > FileLength) Fail();
  }
  return extents;
}

void TOleStorage::LoadMiniStream() {
  if (MiniStreamLoaded) return;
  const TDirectoryEntry& root = Directory[0];
  if (root.Size > static_cast<std::uint64_t>(FileLength)) Fail();
  const std::uint64_t limit = std::min<std::uint64_t>(FAT.size(), SectorCount);
  MiniStreamSectors = Chain(root.StartSector, CeilDiv(root.Size, std::uint64_t{1} << SectorShift),
                            false, FAT, limit);
  MiniFAT = ReadTable(Chain(DWord(&Header[60]), 0, true, FAT, limit));
  MiniStreamLoaded = true;
}

std::vector<std::uint32_t> TOleStorage::Chain(std::uint32_t start, std::uint64_t count, bool toEnd,
                                              const std::vector<std::uint32_t>& table,
                                              std::uint64_t limit) const {
  // A chain visits each sector at most once, so it can be no longer than the sectors there are.
  if (!toEnd && count > limit) Fail();
  std::vector<std::uint32_t> chain;
  if (!toEnd) chain.reserve(static_cast<std::size_t>(count));
  std::vector<bool> seen(static_cast<std::size_t>(limit));
  std::uint32_t current = start;
  while (toEnd || chain.size() < count) {
    if (current == kEndOfChain && toEnd) break;
    // Free, FAT and DIFAT markers, an early end and numbers past the table all mean damage.
    if (current >= limit || seen[current]) Fail();
    seen[current] = true;
    chain.push_back(current);
    current = table[current];
  }
  return chain;
}

std::int64_t TOleStorage::SectorOffset(std::uint32_t sector) const {
  return (static_cast<std::int64_t>(sector) + 1) << SectorShift;
}

void TOleStorage::ReadAt(std::int64_t offset, void* buffer, std::size_t count) {
  if (offset < 0 || offset > FileLength ||
      count > static_cast<std::uint64_t>(FileLength - offset)) {
    Fail();
  }
  Stream->SetPosition(BasePosition + offset);
  try {
    Stream->ReadBuffer(buffer, count);
  } catch (const EWorkbookFileException&) {
    Fail();
  }
}

std::vector<std::uint32_t> TOleStorage::ReadTable(const std::vector<std::uint32_t>& sectors) {
  const std::size_t sectorSize = std::size_t{1} << SectorShift;
  std::vector<std::uint8_t> sector(sectorSize);
  std::vector<std::uint32_t> table;
  table.reserve(sectors.size() * (sectorSize / 4));
  for (std::uint32_t number : sectors) {
    if (number >= SectorCount) Fail();
    ReadAt(SectorOffset(number), sector.data(), sectorSize);
    for (std::size_t i = 0; i < sectorSize; i += 4) table.push_back(DWord(&sector[i]));
  }
  return table;
}

}  // namespace workbook
