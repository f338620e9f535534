// Compound files written by TOleStorage: header layout by hand, and the stream read back by
// python3-olefile (through the mini stream, sector chains and, in the largest, DIFAT sectors).
#include <gtest/gtest.h>

#include "compound_file_builder.h"
#include "workbook/core/stream.h"
#include "workbook/formats/xls/ole_storage.h"
#include "xls_test_support.h"

using namespace workbook;
using namespace xls_test;

namespace {

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
  const auto file = Write(Pattern(c.size, 1));
  ASSERT_EQ(file.size(), c.fileSize);
  EXPECT_EQ(DWord(file, 0), 0xE011CFD0u);
  EXPECT_EQ(DWord(file, 44), c.fatSectors);
  EXPECT_EQ(DWord(file, 48), c.directorySector);
  EXPECT_EQ(DWord(file, 56), 4096u);
  EXPECT_EQ(DWord(file, 64), c.miniFATSectors);
  EXPECT_EQ(DWord(file, 72), c.difatSectors);
  EXPECT_EQ(DWord(file, 68), c.difatSectors > 0 ? 0u : 0xFFFFFFFEu);
}

// File sizes: header + sectors (DIFAT + directory + mini FAT + FAT + data) x 512.
INSTANTIATE_TEST_SUITE_P(
    Sizes, OleStorageWriteLayout,
    testing::Values(LayoutCase{0, 1, 0, 0, 1, 512 + 3 * 512},
                    LayoutCase{4095, 1, 0, 0, 1, 512 + (3 + 8) * 512},
                    LayoutCase{4096, 1, 0, 0, 0, 512 + (2 + 8) * 512},
                    // 109 FAT sectors hold 13952 sectors: the first size that needs a DIFAT.
                    LayoutCase{13900 * 512, 110, 1, 1, 0, 512 + (1 + 1 + 110 + 13900) * 512}));

TEST(OleStorageWrite, OlefileReadsWhatWeWrite) {
  TScratchDir dir;
  std::vector<std::string> args = {dir.Path()};
  const std::vector<std::size_t> sizes = {0, 100, 4095, 4096, 70000, 13900 * 512, 20000 * 512};
  for (std::size_t k = 0; k < sizes.size(); ++k) {
    const auto file = Write(Pattern(sizes[k], 2));
    const auto path = dir.File("f" + std::to_string(k) + ".xls");
    WriteFileBytes(path, file);
    args.push_back(path);
  }
  const auto lines = SplitLines(RunPeer(kPeers + "ole_streams.py", args));
  ASSERT_EQ(lines.size(), 2 * sizes.size());
  for (std::size_t k = 0; k < sizes.size(); ++k) {
    EXPECT_EQ(lines[2 * k], std::to_string(k) + "\topen");
    EXPECT_EQ(lines[2 * k + 1], std::to_string(k) + "\tstream\t57006f0072006b0062006f006f006b00\t" +
                                    std::to_string(sizes[k]) + "\tcomplete");
    EXPECT_TRUE(ReadFileBytes(dir.File(std::to_string(k) + "_0.bin")) == Pattern(sizes[k], 2))
        << sizes[k];
  }
}

}  // namespace
