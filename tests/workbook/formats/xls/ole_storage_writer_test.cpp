// Compound files written by TOleStorage: header layout by hand, and the stream read back by our
// reader and by python3-olefile (including a file large enough to need DIFAT sectors).
#include <gtest/gtest.h>

#include <fstream>

#include "workbook/core/stream.h"
#include "workbook/formats/xls/ole_storage.h"
#include "xls_test_support.h"

using namespace workbook;
using namespace xls_test;

namespace {

std::vector<std::uint8_t> Pattern(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  return bytes;
}

std::vector<std::uint8_t> Write(const std::vector<std::uint8_t>& payload) {
  TMemoryStream data(payload);
  TMemoryStream file;
  TOleStorage::WriteStorage(file, data, u"Workbook");
  return file.Data();
}

std::uint32_t DWord(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

struct LayoutCase {
  std::size_t size;
  std::uint32_t fatSectors, difatSectors, directorySector, miniFATSectors;
  std::size_t fileSize;
};

class OleStorageWriteLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(OleStorageWriteLayout, HeaderAndReadBack) {
  const LayoutCase& c = GetParam();
  const auto payload = Pattern(c.size);
  const auto file = Write(payload);
  ASSERT_EQ(file.size(), c.fileSize);
  EXPECT_EQ(DWord(file, 0), 0xE011CFD0u);
  EXPECT_EQ(DWord(file, 44), c.fatSectors);
  EXPECT_EQ(DWord(file, 48), c.directorySector);
  EXPECT_EQ(DWord(file, 56), 4096u);
  EXPECT_EQ(DWord(file, 64), c.miniFATSectors);
  EXPECT_EQ(DWord(file, 72), c.difatSectors);
  EXPECT_EQ(DWord(file, 68), c.difatSectors > 0 ? 0u : 0xFFFFFFFEu);

  TMemoryStream source(file);
  TOleStorage storage;
  storage.Open(source);
  TMemoryStream back;
  ASSERT_TRUE(storage.ReadStream(u"Workbook", back));
  EXPECT_EQ(back.Data(), payload);
}

// File sizes: header + sectors (DIFAT + directory + mini FAT + FAT + data) x 512.
INSTANTIATE_TEST_SUITE_P(
    Sizes, OleStorageWriteLayout,
    testing::Values(LayoutCase{0, 1, 0, 0, 1, 512 + 3 * 512},
                    LayoutCase{4095, 1, 0, 0, 1, 512 + (3 + 8) * 512},
                    LayoutCase{4096, 1, 0, 0, 0, 512 + (2 + 8) * 512},
                    // 109 FAT sectors hold 13952 sectors: the first size that needs a DIFAT.
                    LayoutCase{13900 * 512, 110, 1, 1, 0, 512 + (1 + 1 + 110 + 13900) * 512}));

TEST(OleStorageWrite, MiniStreamRootEntry) {
  const auto file = Write(Pattern(4095));
  // Directory at sector 0 (file offset 512): root size rounded to 64, stream size exact.
  EXPECT_EQ(DWord(file, 512 + 120), 4096u);
  EXPECT_EQ(DWord(file, 512 + 128 + 116), 0u);
  EXPECT_EQ(DWord(file, 512 + 128 + 120), 4095u);
  // Root starts at the first data sector: directory, mini FAT, one FAT sector before it.
  EXPECT_EQ(DWord(file, 512 + 116), 3u);
}

TEST(OleStorageWrite, BigStreamRootEntry) {
  const auto file = Write(Pattern(4096));
  EXPECT_EQ(DWord(file, 512 + 116), 0xFFFFFFFEu);
  EXPECT_EQ(DWord(file, 512 + 120), 0u);
  EXPECT_EQ(DWord(file, 512 + 128 + 116), 2u);
}

TEST(OleStorageWrite, OlefileReadsWhatWeWrite) {
  TScratchDir dir;
  std::vector<std::string> args = {dir.Path()};
  const std::vector<std::size_t> sizes = {0, 100, 4095, 4096, 70000, 13900 * 512, 20000 * 512};
  for (std::size_t k = 0; k < sizes.size(); ++k) {
    const auto file = Write(Pattern(sizes[k]));
    const auto path = dir.File("f" + std::to_string(k) + ".xls");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
    args.push_back(path);
  }
  const auto lines = SplitLines(RunPeer(kPeers + "ole_streams.py", args));
  ASSERT_EQ(lines.size(), 2 * sizes.size());
  for (std::size_t k = 0; k < sizes.size(); ++k) {
    EXPECT_EQ(lines[2 * k], std::to_string(k) + "\topen");
    EXPECT_EQ(lines[2 * k + 1], std::to_string(k) + "\tstream\t57006f0072006b0062006f006f006b00\t" +
                                    std::to_string(sizes[k]) + "\tcomplete");
    std::ifstream in(dir.File(std::to_string(k) + "_0.bin"), std::ios::binary);
    const std::vector<std::uint8_t> read((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
    EXPECT_TRUE(read == Pattern(sizes[k])) << sizes[k];
  }
}

}  // namespace
