#include "compound_file_builder.h"

namespace xls_test {

namespace {

std::uint32_t CeilDiv(std::size_t value, std::size_t divisor) {
  return static_cast<std::uint32_t>((value + divisor - 1) / divisor);
}

}  // namespace

std::size_t CompoundFile::DirectoryEntryPos(std::uint32_t index) const {
  const std::uint32_t perSector = sectorSize / 128;
  return SectorPos(directorySectors[index / perSector]) + 128 * (index % perSector);
}

void CompoundFile::SetWord(std::size_t pos, std::uint16_t value) {
  bytes[pos] = value & 0xFF;
  bytes[pos + 1] = value >> 8;
}

void CompoundFile::SetDWord(std::size_t pos, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[pos + i] = (value >> (8 * i)) & 0xFF;
}

void CompoundFile::SetFat(std::uint32_t sector, std::uint32_t next) {
  const std::uint32_t perSector = sectorSize / 4;
  SetDWord(SectorPos(fatSectors[sector / perSector]) + 4 * (sector % perSector), next);
}

void CompoundFile::SetMiniFat(std::uint32_t miniSector, std::uint32_t next) {
  const std::uint32_t perSector = sectorSize / 4;
  SetDWord(SectorPos(miniFatSectors[miniSector / perSector]) + 4 * (miniSector % perSector), next);
}

void CompoundFile::ReverseChain(std::uint32_t index) {
  std::vector<std::uint32_t>& chain = chains[index];
  const std::size_t pos = DirectoryEntryPos(index);
  const bool mini = (bytes[pos + 120] | bytes[pos + 121] << 8 | bytes[pos + 122] << 16) < 4096;
  const std::uint32_t unit = mini ? 64 : sectorSize;
  auto at = [&](std::uint32_t sector) {
    if (!mini) return SectorPos(sector);
    const std::size_t offset = std::size_t{sector} * 64;
    return SectorPos(miniStreamSectors[offset / sectorSize]) + offset % sectorSize;
  };
  std::vector<std::vector<std::uint8_t>> pieces;
  for (std::uint32_t sector : chain)
    pieces.emplace_back(bytes.begin() + at(sector), bytes.begin() + at(sector) + unit);
  std::vector<std::uint32_t> reversed(chain.rbegin(), chain.rend());
  for (std::size_t k = 0; k < reversed.size(); ++k) {
    std::copy(pieces[k].begin(), pieces[k].end(), bytes.begin() + at(reversed[k]));
    const std::uint32_t next = k + 1 < reversed.size() ? reversed[k + 1] : kEnd;
    if (mini)
      SetMiniFat(reversed[k], next);
    else
      SetFat(reversed[k], next);
  }
  if (!reversed.empty()) SetDWord(pos + 116, reversed[0]);
  chain = reversed;
}

CompoundFile BuildCompoundFile(const std::vector<TestEntry>& entries, unsigned shift,
                               std::uint32_t extraFatSectors) {
  CompoundFile file;
  file.sectorSize = 1u << shift;
  const std::uint32_t ss = file.sectorSize;
  const std::size_t count = entries.size() + 1;
  file.chains.resize(count);

  // Mini stream: small streams one after another, each padded to whole 64-byte mini sectors.
  std::vector<std::uint8_t> miniStream;
  std::uint32_t bigSectors = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const TestEntry& e = entries[i];
    if (e.type != 2) continue;
    if (e.data.size() < 4096) {
      for (std::uint32_t m = 0; m < CeilDiv(e.data.size(), 64); ++m)
        file.chains[i + 1].push_back(static_cast<std::uint32_t>(miniStream.size() / 64) + m);
      miniStream.insert(miniStream.end(), e.data.begin(), e.data.end());
      miniStream.resize(CeilDiv(miniStream.size(), 64) * 64);
    } else {
      bigSectors += CeilDiv(e.data.size(), ss);
    }
  }
  const std::uint32_t miniSectors = static_cast<std::uint32_t>(miniStream.size() / 64);
  const std::uint32_t dirCount = CeilDiv(count * 128, ss);
  const std::uint32_t miniFatCount = CeilDiv(miniSectors * 4, ss);
  const std::uint32_t miniStreamCount = CeilDiv(miniStream.size(), ss);
  const std::uint32_t dataCount = dirCount + miniFatCount + miniStreamCount + bigSectors;
  std::uint32_t fatCount = 1, difatCount = 0;
  for (;;) {
    std::uint32_t f = CeilDiv(dataCount + fatCount + difatCount, ss / 4) + extraFatSectors;
    std::uint32_t x = f > 109 ? CeilDiv(f - 109, ss / 4 - 1) : 0;
    if (f == fatCount && x == difatCount) break;
    fatCount = f;
    difatCount = x;
  }
  const std::uint32_t total = fatCount + difatCount + dataCount;
  std::vector<std::uint32_t> fat(std::size_t{fatCount} * (ss / 4), kFree);
  std::uint32_t next = 0;
  auto take = [&](std::uint32_t n, std::vector<std::uint32_t>& into, bool chained) {
    for (std::uint32_t i = 0; i < n; ++i) {
      into.push_back(next);
      if (chained) fat[next] = i + 1 < n ? next + 1 : kEnd;
      ++next;
    }
  };
  take(fatCount, file.fatSectors, false);
  for (std::uint32_t s : file.fatSectors) fat[s] = 0xFFFFFFFD;
  take(difatCount, file.difatSectors, false);
  for (std::uint32_t s : file.difatSectors) fat[s] = 0xFFFFFFFC;
  take(dirCount, file.directorySectors, true);
  take(miniFatCount, file.miniFatSectors, true);
  take(miniStreamCount, file.miniStreamSectors, true);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].type == 2 && entries[i].data.size() >= 4096)
      take(CeilDiv(entries[i].data.size(), ss), file.chains[i + 1], true);
  }

  file.bytes.assign(std::size_t{total + 1} * ss, 0);
  static const std::uint8_t signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::copy(signature, signature + 8, file.bytes.begin());
  file.SetWord(24, 0x3E);
  file.SetWord(26, shift == 9 ? 3 : 4);
  file.SetWord(28, 0xFFFE);
  file.SetWord(30, static_cast<std::uint16_t>(shift));
  file.SetWord(32, 6);
  file.SetDWord(40, shift == 9 ? 0 : dirCount);
  file.SetDWord(44, fatCount);
  file.SetDWord(48, file.directorySectors[0]);
  file.SetDWord(56, 4096);
  file.SetDWord(60, miniFatCount ? file.miniFatSectors[0] : kEnd);
  file.SetDWord(64, miniFatCount);
  file.SetDWord(68, difatCount ? file.difatSectors[0] : kEnd);
  file.SetDWord(72, difatCount);
  for (std::uint32_t i = 0; i < 109; ++i)
    file.SetDWord(76 + 4 * i, i < fatCount ? file.fatSectors[i] : kFree);
  std::uint32_t listed = 109;
  for (std::uint32_t d = 0; d < difatCount; ++d) {
    const std::size_t pos = file.SectorPos(file.difatSectors[d]);
    for (std::uint32_t i = 0; i < ss / 4 - 1; ++i, ++listed)
      file.SetDWord(pos + 4 * i, listed < fatCount ? file.fatSectors[listed] : kFree);
    file.SetDWord(pos + ss - 4, d + 1 < difatCount ? file.difatSectors[d + 1] : kEnd);
  }
  for (std::size_t i = 0; i < fat.size(); ++i) file.SetFat(static_cast<std::uint32_t>(i), fat[i]);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& chain = file.chains[i + 1];
    for (std::size_t k = 0; entries[i].data.size() < 4096 && k < chain.size(); ++k)
      file.SetMiniFat(chain[k], k + 1 < chain.size() ? chain[k + 1] : kEnd);
  }
  for (std::size_t k = 0; k < miniStream.size(); ++k)
    file.bytes[file.SectorPos(file.miniStreamSectors[k / ss]) + k % ss] = miniStream[k];

  // Directory: every storage's children hang in a chain of right siblings under its child link.
  std::vector<std::uint32_t> lastChild(count, kFree);
  auto writeEntry = [&](std::uint32_t index, const std::u16string& name, std::uint8_t type,
                        std::uint32_t start, std::uint32_t size) {
    const std::size_t pos = file.DirectoryEntryPos(index);
    for (std::size_t c = 0; c < name.size(); ++c) file.SetWord(pos + 2 * c, name[c]);
    file.SetWord(pos + 64, static_cast<std::uint16_t>(2 * (name.size() + 1)));
    file.bytes[pos + 66] = type;
    file.bytes[pos + 67] = 1;
    for (std::size_t link : {68, 72, 76}) file.SetDWord(pos + link, kFree);  // no siblings, child
    file.SetDWord(pos + 116, start);
    file.SetDWord(pos + 120, size);
  };
  writeEntry(0, u"Root Entry", 5, miniStreamCount ? file.miniStreamSectors[0] : kEnd,
             static_cast<std::uint32_t>(miniStream.size()));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const TestEntry& e = entries[i];
    const auto index = static_cast<std::uint32_t>(i + 1);
    const auto& chain = file.chains[index];
    writeEntry(index, e.name, e.type, chain.empty() ? kEnd : chain[0],
               static_cast<std::uint32_t>(e.data.size()));
    if (e.type == 0) continue;  // unused entries hang in no tree
    if (lastChild[e.parent] == kFree) {
      file.SetDWord(file.DirectoryEntryPos(e.parent) + 76, index);
    } else {
      file.SetDWord(file.DirectoryEntryPos(lastChild[e.parent]) + 72, index);
    }
    lastChild[e.parent] = index;
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& chain = file.chains[i + 1];
    if (entries[i].type != 2 || entries[i].data.size() < 4096) continue;  // small ones: mini stream
    for (std::size_t k = 0; k < entries[i].data.size(); ++k)
      file.bytes[file.SectorPos(chain[k / ss]) + k % ss] = entries[i].data[k];
  }
  return file;
}

std::vector<std::uint8_t> Pattern(std::size_t size, unsigned seed) {
  std::vector<std::uint8_t> data(size);
  std::uint32_t x = seed * 2654435761u + 1;
  for (auto& b : data) {
    x = x * 1103515245u + 12345u;
    b = static_cast<std::uint8_t>(x >> 16);
  }
  return data;
}

}  // namespace xls_test
