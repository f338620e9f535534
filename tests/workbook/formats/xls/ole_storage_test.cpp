// Compound files: storages built by hand read (sound, odd and damaged ones), and files
// TOleStorage writes: header layout by hand, the stream read back by python3-olefile (through the
// mini stream, sector chains and, in the largest, DIFAT sectors).
#include "workbook/formats/xls/ole_storage.h"

#include <gtest/gtest.h>

#include <functional>

#include "compound_file_builder.h"
#include "workbook/core/exceptions.h"
#include "xls_test_support.h"

using namespace workbook;
using namespace xls_test;

namespace {

std::vector<std::uint8_t> ReadNamed(const CompoundFile& file, const std::u16string& name) {
  TMemoryStream source = file.Stream();
  TOleStorage storage;
  storage.Open(source);
  TMemoryStream target;
  EXPECT_TRUE(storage.ReadStream(name, target));
  return target.Data();
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

struct StreamSizeCase {
  unsigned shift;
  std::size_t size;
  std::uint32_t extraFatSectors = 0;  // 300: the FAT sectors are listed in DIFAT sectors
  friend void PrintTo(const StreamSizeCase& c, std::ostream* os) {
    *os << "shift " << c.shift << ", " << c.size << " bytes, " << c.extraFatSectors << " more";
  }
};

class OleStorageStreamSize : public testing::TestWithParam<StreamSizeCase> {};

// Sizes on both sides of the mini-stream cutoff and of sector boundaries, beside a small stream
// that shares the mini stream.
TEST_P(OleStorageStreamSize, ReadsTheStreamBytes) {
  const auto [shift, size, extraFatSectors] = GetParam();
  const std::vector<std::uint8_t> data = Pattern(size, 1);
  const std::vector<std::uint8_t> summary = Pattern(200, 2);
  CompoundFile file = BuildCompoundFile(
      {{u"\x05SummaryInformation", summary}, {u"Workbook", data}, {u"Ctls", Pattern(70, 3)}}, shift,
      extraFatSectors);
  EXPECT_EQ(ReadNamed(file, u"Workbook"), data);
  EXPECT_EQ(ReadNamed(file, u"\x05SummaryInformation"), summary);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, OleStorageStreamSize,
    testing::Values(StreamSizeCase{9, 0}, StreamSizeCase{9, 1}, StreamSizeCase{9, 64},
                    StreamSizeCase{9, 65}, StreamSizeCase{9, 4095}, StreamSizeCase{9, 4096},
                    StreamSizeCase{9, 4097}, StreamSizeCase{9, 70000}, StreamSizeCase{12, 100},
                    StreamSizeCase{12, 4095}, StreamSizeCase{12, 4096}, StreamSizeCase{12, 40000},
                    StreamSizeCase{9, 9000, 300}, StreamSizeCase{12, 9000, 300}));

TEST(OleStorage, LooksOnlyAmongTheRootsStreams) {
  // An unused entry does not end the search; a storage named like the stream, and the stream
  // itself inside another storage, are not the stream.
  CompoundFile file = BuildCompoundFile({{u"", {}, 0},
                                         {u"Workbook", {}, 1},
                                         {u"Sub", {}, 1},
                                         {u"Workbook", Pattern(5000, 5), 2, 3},
                                         {u"Other", Pattern(300, 6)}});
  TMemoryStream source = file.Stream();
  TOleStorage storage;
  storage.Open(source);
  EXPECT_FALSE(storage.StreamExists(u"Workbook"));
  EXPECT_EQ(ReadNamed(file, u"Other"), Pattern(300, 6));
}

TEST(OleStorage, ReadsFromTheSourcesPositionAndAppendsToTheTarget) {
  CompoundFile file = BuildCompoundFile({{u"Workbook", Pattern(5000, 10)}, {u"S", {1, 2, 3}}});
  file.bytes.insert(file.bytes.begin(), 77, 0xAA);
  TMemoryStream source(file.bytes);
  source.SetPosition(77);
  TOleStorage storage;
  storage.Open(source);
  EXPECT_EQ(source.Position(), 77);
  TMemoryStream target;
  target.WriteString("abc");
  ASSERT_TRUE(storage.ReadStream(u"S", target));  // through the mini stream's sectors
  EXPECT_EQ(target.AsString(), std::string("abc\1\2\3"));
}

TEST(OleStorage, ToleratesALastSectorCutShortAfterTheData) {
  CompoundFile file = BuildCompoundFile({{u"Workbook", Pattern(5000, 11)}});
  file.bytes.resize(file.bytes.size() - (512 - 5000 % 512));
  EXPECT_EQ(ReadNamed(file, u"Workbook"), Pattern(5000, 11));
}

// Damaged storages: each case spoils one field of a sound file with a big "Workbook" stream (three
// sectors), a small stream "Small" (three mini sectors) and one more stream "Ctls".
struct Spoil {
  const char* name;
  std::function<void(CompoundFile&)> damage;
  std::uint32_t extraFatSectors = 0;  // 300: a file with DIFAT sectors
  unsigned shift = 9;
  friend void PrintTo(const Spoil& c, std::ostream* os) { *os << c.name; }
};
using F = CompoundFile&;

class OleStorageDamage : public testing::TestWithParam<Spoil> {};

TEST_P(OleStorageDamage, FailsWithTheStorageException) {
  CompoundFile file = BuildCompoundFile({{u"Workbook", Pattern(4096 + 700, 12)},
                                         {u"Small", Pattern(150, 13)},
                                         {u"Ctls", Pattern(20, 14)}},
                                        GetParam().shift, GetParam().extraFatSectors);
  GetParam().damage(file);
  TMemoryStream source = file.Stream();
  TMemoryStream target;
  target.WriteString("kept");
  auto readBoth = [&] {
    TOleStorage storage;
    storage.Open(source);
    storage.ReadStream(u"Workbook", target);
    storage.ReadStream(u"Small", target);
  };
  try {
    readBoth();
    FAIL() << "no exception";
  } catch (const EOleStorageException& e) {
    EXPECT_EQ(e.Message(), u"The file could not be opened.");
  }
  EXPECT_EQ(target.AsString().substr(0, 4), "kept");
}

const std::uint32_t kHuge = 0x7FFFFFF0;

INSTANTIATE_TEST_SUITE_P(
    Cases, OleStorageDamage,
    testing::Values(
        Spoil{"Signature", [](F f) { f.bytes[7] = 0; }},
        Spoil{"ShorterThanHeader", [](F f) { f.bytes.resize(300); }},
        Spoil{"SectorShift10", [](F f) { f.SetWord(30, 10); }},
        Spoil{"SectorShift30", [](F f) { f.SetWord(30, 30); }},
        Spoil{"MiniSectorShift", [](F f) { f.SetWord(32, 7); }},
        Spoil{"MiniStreamCutoff", [](F f) { f.SetDWord(56, 0x10000); }},
        Spoil{"FatSectorCount", [](F f) { f.SetDWord(44, kHuge); }},
        Spoil{"FatSectorOutOfRange", [](F f) { f.SetDWord(76, 5000); }},
        Spoil{"FatSectorFree", [](F f) { f.SetDWord(76, kFree); }},
        Spoil{"DifatMissing", [](F f) { f.SetDWord(44, 2); }},
        Spoil{"DirectoryStartFree", [](F f) { f.SetDWord(48, kFree); }},
        Spoil{"DirectoryStartOutOfRange", [](F f) { f.SetDWord(48, kHuge); }},
        Spoil{"DirectoryCycle",
              [](F f) { f.SetFat(f.directorySectors[0], f.directorySectors[0]); }},
        Spoil{"RootNotRoot", [](F f) { f.bytes[f.DirectoryEntryPos(0) + 66] = 1; }},
        Spoil{"SiblingOutOfRange", [](F f) { f.SetDWord(f.DirectoryEntryPos(2) + 68, 4000); }},
        Spoil{"SiblingCycle", [](F f) { f.SetDWord(f.DirectoryEntryPos(3) + 72, 1); }},
        Spoil{"ChildIsRoot", [](F f) { f.SetDWord(f.DirectoryEntryPos(3) + 68, 0); }},
        Spoil{"StreamStartOutOfRange",
              [](F f) { f.SetDWord(f.DirectoryEntryPos(1) + 116, kHuge); }},
        Spoil{"StreamSizeBeyondFile",
              [](F f) { f.SetDWord(f.DirectoryEntryPos(1) + 120, 0xFFFFFF00); }},
        Spoil{"StreamChainCycle", [](F f) { f.SetFat(f.chains[1][1], f.chains[1][0]); }},
        Spoil{"StreamChainEndsEarly", [](F f) { f.SetFat(f.chains[1][0], kEnd); }},
        Spoil{"StreamChainFree", [](F f) { f.SetFat(f.chains[1][1], kFree); }},
        Spoil{"StreamChainIntoFatSector", [](F f) { f.SetFat(f.chains[1][0], 0xFFFFFFFD); }},
        Spoil{"StreamChainOutOfRange", [](F f) { f.SetFat(f.chains[1][0], kHuge); }},
        Spoil{"FileCutInsideStream",
              [](F f) { f.bytes.resize(f.SectorPos(f.chains[1].back()) + 10); }},
        Spoil{"MiniChainCycle", [](F f) { f.SetMiniFat(f.chains[2][1], f.chains[2][0]); }},
        Spoil{"MiniChainEndsEarly", [](F f) { f.SetMiniFat(f.chains[2][0], kEnd); }},
        Spoil{"MiniSectorBeyondMiniStream", [](F f) { f.SetMiniFat(f.chains[2][0], 100); }},
        Spoil{"MiniFatMissing", [](F f) { f.SetDWord(60, kEnd); }},
        Spoil{"MiniStreamStartFree", [](F f) { f.SetDWord(f.DirectoryEntryPos(0) + 116, kFree); }},
        Spoil{"MiniStreamBeyondFile", [](F f) { f.SetDWord(f.DirectoryEntryPos(0) + 120, kHuge); }},
        Spoil{"DifatStartIsAFatSector", [](F f) { f.SetDWord(68, f.fatSectors[0]); }, 300},
        Spoil{"DifatStartOutOfRange", [](F f) { f.SetDWord(68, kHuge); }, 300},
        Spoil{"DifatStartEnd", [](F f) { f.SetDWord(68, kEnd); }, 300},
        Spoil{"DifatCycle",
              [](F f) {
                const std::size_t last = f.sectorSize - 4;
                f.SetDWord(f.SectorPos(f.difatSectors[1]) + last, f.difatSectors[0]);
                f.SetDWord(f.SectorPos(f.difatSectors[0]) + last, f.difatSectors[0]);
              },
              300},
        // 512-byte sector files may leave garbage in the size's high half; 4096-byte ones may not
        Spoil{"SizeHighHalf", [](F f) { f.SetDWord(f.DirectoryEntryPos(1) + 124, 1); }, 0, 12}),
    [](const testing::TestParamInfo<Spoil>& info) { return std::string(info.param.name); });

TEST(OleStorage, SizeHighHalfIgnoredWithSmallSectors) {
  CompoundFile small = BuildCompoundFile({{u"Workbook", Pattern(5000, 16)}});
  small.SetDWord(small.DirectoryEntryPos(1) + 124, 0xDEADBEEF);
  EXPECT_EQ(ReadNamed(small, u"Workbook"), Pattern(5000, 16));
}

struct LayoutCase {
  std::size_t size;
  std::uint32_t fatSectors, difatSectors, directorySector, miniFATSectors;
  std::size_t fileSize;
};

class OleStorageWriteLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(OleStorageWriteLayout, Header) {
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
