// Writing a compound file of one stream: version 3, 512-byte sectors, the stream in the mini
// stream when it is below the cutoff. Layout: DIFAT sectors, directory, mini FAT, FAT, data.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "workbook/core/exceptions.h"
#include "workbook/formats/xls/ole_storage.h"

namespace workbook {

namespace {

constexpr std::uint32_t kSectorSize = 512;
constexpr std::uint32_t kEntriesPerSector = kSectorSize / 4;
constexpr std::uint32_t kMiniSectorSize = 64;
constexpr std::uint32_t kMiniCutoff = 4096;
constexpr std::uint32_t kHeaderDIFATEntries = 109;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFree = 0xFFFFFFFF;
constexpr std::uint32_t kDIFATSector = 0xFFFFFFFC;

std::uint64_t CeilDiv(std::uint64_t a, std::uint64_t b) { return (a + b - 1) / b; }

void PutWord(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t value) {
  out[at] = static_cast<std::uint8_t>(value);
  out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutDWord(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  PutWord(out, at, static_cast<std::uint16_t>(value));
  PutWord(out, at + 2, static_cast<std::uint16_t>(value >> 16));
}

// A table of 32-bit entries completed with fill to whole sectors.
std::vector<std::uint8_t> TableBytes(const std::vector<std::uint32_t>& entries,
                                     std::uint32_t fill) {
  const std::uint64_t sectors =
      std::max<std::uint64_t>(1, CeilDiv(entries.size(), kEntriesPerSector));
  std::vector<std::uint8_t> out(sectors * kSectorSize);
  for (std::size_t i = 0; i < sectors * kEntriesPerSector; ++i)
    PutDWord(out, i * 4, i < entries.size() ? entries[i] : fill);
  return out;
}

void WriteDirectoryEntry(std::vector<std::uint8_t>& out, std::size_t at, const std::u16string& name,
                         std::uint8_t type, std::uint32_t child, std::uint32_t start,
                         std::uint32_t size) {
  const std::size_t chars = std::min<std::size_t>(name.size(), 31);
  for (std::size_t i = 0; i < chars; ++i) PutWord(out, at + 2 * i, name[i]);
  PutWord(out, at + 64, static_cast<std::uint16_t>((chars + 1) * 2));
  out[at + 66] = type;
  out[at + 67] = 1;  // black
  PutDWord(out, at + 68, kFree);
  PutDWord(out, at + 72, kFree);
  PutDWord(out, at + 76, child);
  PutDWord(out, at + 116, start);
  PutDWord(out, at + 120, size);
}

}  // namespace

void TOleStorage::WriteStorage(TStream& target, TStream& data, const std::u16string& name) {
  const std::int64_t dataStart = data.Position();
  const std::int64_t remaining = data.Size() - dataStart;
  // The size field is 32-bit and sector numbers must stay below the special values.
  if (remaining < 0 || remaining > 0xFFFFFFFFLL - 2 * kSectorSize)
    throw EOleStorageException(u"The stream is too large for a compound file.");
  const std::uint64_t S = static_cast<std::uint64_t>(remaining);

  const std::uint64_t D = CeilDiv(S, kSectorSize);
  const std::uint64_t mini = S < kMiniCutoff ? 1 : 0;
  auto difatSectors = [](std::uint64_t f) {
    return f > kHeaderDIFATEntries ? CeilDiv(f - kHeaderDIFATEntries, kEntriesPerSector - 1) : 0;
  };
  std::uint64_t F = CeilDiv(D, kEntriesPerSector);
  std::uint64_t X = difatSectors(F);
  for (;;) {
    const std::uint64_t total = D + 1 + F + X + mini;
    const std::uint64_t f = CeilDiv(total, kEntriesPerSector);
    const std::uint64_t x = difatSectors(f);
    if (f == F && x == X) break;
    F = f;
    X = x;
  }
  const std::uint32_t directorySector = static_cast<std::uint32_t>(X);
  const std::uint32_t firstFATSector = static_cast<std::uint32_t>(X + 1 + mini);
  const std::uint32_t firstDataSector = static_cast<std::uint32_t>(firstFATSector + F);

  // Header.
  std::vector<std::uint8_t> header(kSectorSize, 0);
  static constexpr std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::copy(std::begin(kSignature), std::end(kSignature), header.begin());
  PutWord(header, 24, 0x003E);
  PutWord(header, 26, 3);
  PutWord(header, 28, 0xFFFE);
  PutWord(header, 30, 9);
  PutWord(header, 32, 6);
  PutDWord(header, 44, static_cast<std::uint32_t>(F));
  PutDWord(header, 48, directorySector);
  PutDWord(header, 56, kMiniCutoff);
  PutDWord(header, 60, mini != 0 ? static_cast<std::uint32_t>(X + 1) : kEndOfChain);
  PutDWord(header, 64, static_cast<std::uint32_t>(mini));
  PutDWord(header, 68, X > 0 ? 0 : kEndOfChain);
  PutDWord(header, 72, static_cast<std::uint32_t>(X));
  for (std::uint32_t i = 0; i < kHeaderDIFATEntries; ++i)
    PutDWord(header, 76 + 4 * i, i < F ? firstFATSector + i : kFree);
  target.WriteBuffer(header.data(), header.size());

  // DIFAT sectors: the FAT sectors beyond the header's 109, the last slot of each sector
  // pointing to the next DIFAT sector (end-of-chain in the last one, as [MS-CFB] has it).
  if (X > 0) {
    std::vector<std::uint32_t> difat(X * kEntriesPerSector, kFree);
    std::uint64_t slot = 0;
    for (std::uint64_t i = kHeaderDIFATEntries; i < F; ++i) {
      if (slot % kEntriesPerSector == kEntriesPerSector - 1) ++slot;
      difat[slot++] = firstFATSector + static_cast<std::uint32_t>(i);
    }
    for (std::uint64_t s = 0; s < X; ++s)
      difat[s * kEntriesPerSector + kEntriesPerSector - 1] =
          s + 1 < X ? static_cast<std::uint32_t>(s + 1) : kEndOfChain;
    const auto bytes = TableBytes(difat, kFree);
    target.WriteBuffer(bytes.data(), bytes.size());
  }

  // Directory: root, the stream, two unused entries.
  std::vector<std::uint8_t> directory(kSectorSize, 0);
  const std::uint32_t miniSectors = static_cast<std::uint32_t>(CeilDiv(S, kMiniSectorSize));
  if (mini != 0) {
    WriteDirectoryEntry(directory, 0, u"Root Entry", 5, 1, firstDataSector,
                        miniSectors * kMiniSectorSize);
    WriteDirectoryEntry(directory, 128, name, 2, kFree, 0, static_cast<std::uint32_t>(S));
  } else {
    WriteDirectoryEntry(directory, 0, u"Root Entry", 5, 1, kEndOfChain, 0);
    WriteDirectoryEntry(directory, 128, name, 2, kFree, firstDataSector,
                        static_cast<std::uint32_t>(S));
  }
  for (std::size_t at : {256u, 384u}) {
    PutWord(directory, at + 64, 2);
    for (std::size_t f : {68u, 72u, 76u}) PutDWord(directory, at + f, kFree);
  }
  // An empty root keeps its start at end-of-chain: it owns no sector.
  if (mini != 0 && S == 0) PutDWord(directory, 116, kEndOfChain);
  target.WriteBuffer(directory.data(), directory.size());

  if (mini != 0) {
    std::vector<std::uint32_t> miniFAT;
    for (std::uint32_t i = 0; i < miniSectors; ++i)
      miniFAT.push_back(i + 1 < miniSectors ? i + 1 : kEndOfChain);
    const auto bytes = TableBytes(miniFAT, kFree);
    target.WriteBuffer(bytes.data(), bytes.size());
  }

  // FAT: DIFAT sectors, directory, mini FAT, the FAT sectors marked as such, the data chain.
  std::vector<std::uint32_t> fat;
  fat.reserve(F * kEntriesPerSector);
  fat.insert(fat.end(), X, kDIFATSector);
  fat.push_back(kEndOfChain);
  if (mini != 0) fat.push_back(kEndOfChain);
  fat.insert(fat.end(), F, 0xFFFFFFFD);
  for (std::uint64_t i = 0; i < D; ++i)
    fat.push_back(i + 1 < D ? firstDataSector + static_cast<std::uint32_t>(i + 1) : kEndOfChain);
  const auto fatBytes = TableBytes(fat, kFree);
  target.WriteBuffer(fatBytes.data(), F * kSectorSize);

  // Data, padded to a whole sector.
  data.SetPosition(dataStart);
  if (S > 0) target.CopyFrom(data, static_cast<std::int64_t>(S));
  const std::uint64_t padding = D * kSectorSize - S;
  const std::vector<std::uint8_t> zeros(padding, 0);
  if (padding > 0) target.WriteBuffer(zeros.data(), zeros.size());
}

}  // namespace workbook
