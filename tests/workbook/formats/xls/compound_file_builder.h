#pragma once
// Builds compound files for the storage tests, laid out by hand from the format's description, so
// that tests can then damage exactly one field of a known layout.
#include <cstdint>
#include <string>
#include <vector>

#include "workbook/core/stream.h"

namespace xls_test {

constexpr std::uint32_t kEnd = 0xFFFFFFFE;
constexpr std::uint32_t kFree = 0xFFFFFFFF;

struct TestEntry {
  std::u16string name;
  std::vector<std::uint8_t> data;
  std::uint8_t type = 2;  // 0 unused (left out of the tree), 1 storage, 2 stream
  // The directory index of the parent storage; entry i of the list is index i + 1.
  std::uint32_t parent = 0;
};

struct CompoundFile {
  std::vector<std::uint8_t> bytes;
  std::uint32_t sectorSize = 512;
  std::vector<std::uint32_t> fatSectors;
  std::vector<std::uint32_t> difatSectors;
  std::vector<std::uint32_t> directorySectors;
  std::vector<std::uint32_t> miniFatSectors;
  std::vector<std::uint32_t> miniStreamSectors;
  // Per directory index: the stream's sectors, or mini sectors when it lives in the mini stream.
  std::vector<std::vector<std::uint32_t>> chains;

  std::size_t SectorPos(std::uint32_t sector) const {
    return (std::size_t{sector} + 1) * sectorSize;
  }
  std::size_t DirectoryEntryPos(std::uint32_t index) const;
  void SetWord(std::size_t pos, std::uint16_t value);
  void SetDWord(std::size_t pos, std::uint32_t value);
  void SetFat(std::uint32_t sector, std::uint32_t next);
  void SetMiniFat(std::uint32_t miniSector, std::uint32_t next);
  // Lays the sectors (or mini sectors) of the stream at directory index in reverse order: its
  // first bytes move to its last sector and the chain runs backwards, so no two of its sectors
  // follow one another.
  void ReverseChain(std::uint32_t index);
  workbook::TMemoryStream Stream() const { return workbook::TMemoryStream(bytes); }
};

// Streams below 4096 bytes go to the mini stream. ExtraFatSectors adds FAT sectors that map
// nothing, to make a small file need DIFAT sectors.
CompoundFile BuildCompoundFile(const std::vector<TestEntry>& entries, unsigned shift = 9,
                               std::uint32_t extraFatSectors = 0);

std::vector<std::uint8_t> Pattern(std::size_t size, unsigned seed);

}  // namespace xls_test
