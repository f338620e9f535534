#include "workbook/formats/xls/ole_storage.h"

#include <gtest/gtest.h>

#include <functional>

#include "compound_file_builder.h"
#include "workbook/core/exceptions.h"

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

}  // namespace

struct StreamSizeCase {
  unsigned shift;
  std::size_t size;
  friend void PrintTo(const StreamSizeCase& c, std::ostream* os) {
    *os << "shift " << c.shift << ", " << c.size << " bytes";
  }
};

class OleStorageStreamSize : public testing::TestWithParam<StreamSizeCase> {};

// Sizes on both sides of the mini-stream cutoff and of sector boundaries, beside a small stream
// that shares the mini stream.
TEST_P(OleStorageStreamSize, ReadsTheStreamBytes) {
  const auto [shift, size] = GetParam();
  const std::vector<std::uint8_t> data = Pattern(size, 1);
  const std::vector<std::uint8_t> summary = Pattern(200, 2);
  CompoundFile file = BuildCompoundFile(
      {{u"\x05SummaryInformation", summary}, {u"Workbook", data}, {u"Ctls", Pattern(70, 3)}},
      shift);
  EXPECT_EQ(ReadNamed(file, u"Workbook"), data);
  EXPECT_EQ(ReadNamed(file, u"\x05SummaryInformation"), summary);
}

INSTANTIATE_TEST_SUITE_P(Sizes, OleStorageStreamSize,
                         testing::Values(StreamSizeCase{9, 0}, StreamSizeCase{9, 1},
                                         StreamSizeCase{9, 64}, StreamSizeCase{9, 65},
                                         StreamSizeCase{9, 4095}, StreamSizeCase{9, 4096},
                                         StreamSizeCase{9, 4097}, StreamSizeCase{9, 70000},
                                         StreamSizeCase{12, 100}, StreamSizeCase{12, 4095},
                                         StreamSizeCase{12, 4096}, StreamSizeCase{12, 40000}));

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

TEST(OleStorage, ReadsFatSectorsListedInDifatSectors) {
  for (unsigned shift : {9u, 12u}) {
    CompoundFile file = BuildCompoundFile({{u"Workbook", Pattern(9000, 9)}}, shift, 300);
    ASSERT_GT(file.difatSectors.size(), shift == 9 ? 1u : 0u);
    EXPECT_EQ(ReadNamed(file, u"Workbook"), Pattern(9000, 9));
  }
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
