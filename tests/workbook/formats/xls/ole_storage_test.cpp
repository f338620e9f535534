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
  // A storage named like the stream, and the stream itself inside another storage.
  CompoundFile file = BuildCompoundFile({{u"Workbook", {}, 1},
                                         {u"Sub", {}, 1},
                                         {u"Workbook", Pattern(5000, 5), 2, 2},
                                         {u"Other", Pattern(10, 6)}});
  TMemoryStream source = file.Stream();
  TOleStorage storage;
  storage.Open(source);
  EXPECT_FALSE(storage.StreamExists(u"Workbook"));
  EXPECT_TRUE(storage.StreamExists(u"Other"));
}

TEST(OleStorage, PassesOverUnusedEntries) {
  // An unused entry in front of the stream does not end the search.
  CompoundFile file = BuildCompoundFile({{u"", {}, 0}, {u"Workbook", Pattern(300, 7)}});
  EXPECT_EQ(ReadNamed(file, u"Workbook"), Pattern(300, 7));
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
  std::vector<std::uint8_t> bytes = file.bytes;
  bytes.insert(bytes.begin(), 77, 0xAA);
  TMemoryStream source(bytes);
  source.SetPosition(77);
  TOleStorage storage;
  storage.Open(source);
  EXPECT_EQ(source.Position(), 77);
  TMemoryStream target;
  target.WriteString("abc");
  ASSERT_TRUE(storage.ReadStream(u"S", target));
  ASSERT_TRUE(storage.ReadStream(u"Workbook", target));
  std::vector<std::uint8_t> expected{'a', 'b', 'c', 1, 2, 3};
  const std::vector<std::uint8_t> workbook = Pattern(5000, 10);
  expected.insert(expected.end(), workbook.begin(), workbook.end());
  EXPECT_EQ(target.Data(), expected);
}

TEST(OleStorage, ToleratesALastSectorCutShortAfterTheData) {
  CompoundFile file = BuildCompoundFile({{u"Workbook", Pattern(5000, 11)}});
  file.bytes.resize(file.bytes.size() - (512 - 5000 % 512));
  EXPECT_EQ(ReadNamed(file, u"Workbook"), Pattern(5000, 11));
}

// Damaged storages: each case spoils one field of a sound file with a big "Workbook" stream (three
// sectors), a small stream "Small" (three mini sectors) and one more stream "Ctls".
struct DamageCase {
  const char* name;
  std::function<void(CompoundFile&)> damage;
  friend void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }
};

class OleStorageDamage : public testing::TestWithParam<DamageCase> {};

TEST_P(OleStorageDamage, FailsWithTheStorageException) {
  CompoundFile file = BuildCompoundFile({{u"Workbook", Pattern(4096 + 700, 12)},
                                         {u"Small", Pattern(150, 13)},
                                         {u"Ctls", Pattern(20, 14)}},
                                        9, 0);
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
        DamageCase{"Signature", [](CompoundFile& f) { f.bytes[7] = 0; }},
        DamageCase{"ShorterThanHeader", [](CompoundFile& f) { f.bytes.resize(300); }},
        DamageCase{"SectorShift10", [](CompoundFile& f) { f.SetWord(30, 10); }},
        DamageCase{"SectorShift30", [](CompoundFile& f) { f.SetWord(30, 30); }},
        DamageCase{"MiniSectorShift", [](CompoundFile& f) { f.SetWord(32, 7); }},
        DamageCase{"MiniStreamCutoff", [](CompoundFile& f) { f.SetDWord(56, 0x10000); }},
        DamageCase{"FatSectorCount", [](CompoundFile& f) { f.SetDWord(44, kHuge); }},
        DamageCase{"FatSectorOutOfRange", [](CompoundFile& f) { f.SetDWord(76, 5000); }},
        DamageCase{"FatSectorFree", [](CompoundFile& f) { f.SetDWord(76, kFree); }},
        DamageCase{"DifatMissing", [](CompoundFile& f) { f.SetDWord(44, 2); }},
        DamageCase{"DirectoryStartFree", [](CompoundFile& f) { f.SetDWord(48, kFree); }},
        DamageCase{"DirectoryStartOutOfRange", [](CompoundFile& f) { f.SetDWord(48, kHuge); }},
        DamageCase{"DirectoryCycle",
                   [](CompoundFile& f) { f.SetFat(f.directorySectors[0], f.directorySectors[0]); }},
        DamageCase{"RootNotRoot",
                   [](CompoundFile& f) { f.bytes[f.DirectoryEntryPos(0) + 66] = 1; }},
        DamageCase{"SiblingOutOfRange",
                   [](CompoundFile& f) { f.SetDWord(f.DirectoryEntryPos(2) + 68, 4000); }},
        DamageCase{"SiblingCycle",
                   [](CompoundFile& f) { f.SetDWord(f.DirectoryEntryPos(3) + 72, 1); }},
        DamageCase{"ChildIsRoot",
                   [](CompoundFile& f) { f.SetDWord(f.DirectoryEntryPos(3) + 68, 0); }},
        DamageCase{"StreamStartOutOfRange",
                   [](CompoundFile& f) { f.SetDWord(f.DirectoryEntryPos(1) + 116, kHuge); }},
        DamageCase{"StreamSizeBeyondFile",
                   [](CompoundFile& f) { f.SetDWord(f.DirectoryEntryPos(1) + 120, 0xFFFFFF00); }},
        DamageCase{"StreamChainCycle",
                   [](CompoundFile& f) { f.SetFat(f.chains[1][1], f.chains[1][0]); }},
        DamageCase{"StreamChainEndsEarly", [](CompoundFile& f) { f.SetFat(f.chains[1][0], kEnd); }},
        DamageCase{"StreamChainFree", [](CompoundFile& f) { f.SetFat(f.chains[1][1], kFree); }},
        DamageCase{"StreamChainIntoFatSector",
                   [](CompoundFile& f) { f.SetFat(f.chains[1][0], 0xFFFFFFFD); }},
        DamageCase{"StreamChainOutOfRange",
                   [](CompoundFile& f) { f.SetFat(f.chains[1][0], kHuge); }},
        DamageCase{"FileCutInsideStream",
                   [](CompoundFile& f) { f.bytes.resize(f.SectorPos(f.chains[1].back()) + 10); }},
        DamageCase{"MiniChainCycle",
                   [](CompoundFile& f) { f.SetMiniFat(f.chains[2][1], f.chains[2][0]); }},
        DamageCase{"MiniChainEndsEarly",
                   [](CompoundFile& f) { f.SetMiniFat(f.chains[2][0], kEnd); }},
        DamageCase{"MiniSectorBeyondMiniStream",
                   [](CompoundFile& f) { f.SetMiniFat(f.chains[2][0], 100); }},
        DamageCase{"MiniFatMissing", [](CompoundFile& f) { f.SetDWord(60, kEnd); }},
        DamageCase{"MiniStreamStartFree",
                   [](CompoundFile& f) { f.SetDWord(f.DirectoryEntryPos(0) + 116, kFree); }},
        DamageCase{"MiniStreamBeyondFile",
                   [](CompoundFile& f) { f.SetDWord(f.DirectoryEntryPos(0) + 120, kHuge); }}),
    [](const testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.name); });

TEST(OleStorage, DamagedDifatChainsFail) {
  const std::vector<std::function<void(CompoundFile&)>> damages = {
      [](CompoundFile& f) { f.SetDWord(68, f.fatSectors[0]); },  // FAT sector as DIFAT: bad entries
      [](CompoundFile& f) { f.SetDWord(68, kHuge); },
      [](CompoundFile& f) { f.SetDWord(68, kEnd); },
      [](CompoundFile& f) {  // the second DIFAT sector points back at the first
        f.SetDWord(f.SectorPos(f.difatSectors[1]) + f.sectorSize - 4, f.difatSectors[0]);
        f.SetDWord(f.SectorPos(f.difatSectors[0]) + f.sectorSize - 4, f.difatSectors[0]);
      },
  };
  for (std::size_t i = 0; i < damages.size(); ++i) {
    CompoundFile file = BuildCompoundFile({{u"Workbook", Pattern(5000, 15)}}, 9, 300);
    ASSERT_GE(file.difatSectors.size(), 2u);
    damages[i](file);
    TMemoryStream source = file.Stream();
    TOleStorage storage;
    EXPECT_THROW(
        {
          storage.Open(source);
          TMemoryStream target;
          storage.ReadStream(u"Workbook", target);
        },
        EOleStorageException)
        << "case " << i;
  }
}

TEST(OleStorage, SizeHighHalfCountsOnlyWithLargeSectors) {
  // 512-byte sector files may leave garbage in the size's high half; 4096-byte ones may not.
  CompoundFile small = BuildCompoundFile({{u"Workbook", Pattern(5000, 16)}});
  small.SetDWord(small.DirectoryEntryPos(1) + 124, 0xDEADBEEF);
  EXPECT_EQ(ReadNamed(small, u"Workbook"), Pattern(5000, 16));

  CompoundFile large = BuildCompoundFile({{u"Workbook", Pattern(5000, 16)}}, 12);
  large.SetDWord(large.DirectoryEntryPos(1) + 124, 1);
  TMemoryStream source = large.Stream();
  TOleStorage storage;
  storage.Open(source);
  TMemoryStream target;
  EXPECT_THROW(storage.ReadStream(u"Workbook", target), EOleStorageException);
}
