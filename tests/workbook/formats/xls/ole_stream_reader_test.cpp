// Streams of compound files read where they lie: sectors in order and in reverse order, in the
// mini stream, from memory (in place or gathered) and from a source that is not in memory (through
// the window), and the records read through the window where it is refilled.
#include "workbook/formats/xls/ole_stream_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <optional>

#include "biff_builder.h"
#include "compound_file_builder.h"
#include "support/thrown.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/xls/ole_storage.h"
#include "workbook/formats/xls/xls_record_reader.h"
#include "workbook/formats/xls/xls_sheet_reader.h"
#include "xls_workbook_builder.h"

using namespace workbook;
using namespace xls_test;

namespace {

constexpr std::size_t kWindow = TOleStreamReader::kWindowSize;

// A source that is not a memory stream, as a file is not: the reader reads it through its window.
class TOpaqueStream : public TStream {
 public:
  explicit TOpaqueStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
  std::size_t Read(void* buffer, std::size_t count) override { return bytes_.Read(buffer, count); }
  std::size_t Write(const void*, std::size_t) override { return 0; }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override {
    return bytes_.Seek(offset, origin);
  }

 private:
  TMemoryStream bytes_;
};

std::unique_ptr<TStream> Source(const CompoundFile& file, bool inMemory) {
  if (inMemory) return std::make_unique<TMemoryStream>(file.bytes);
  return std::make_unique<TOpaqueStream>(file.bytes);
}

TOleStreamReader OpenWorkbook(TStream& source) {
  TOleStorage storage;
  storage.Open(source);
  std::optional<TOleStreamReader> reader;
  EXPECT_TRUE(storage.OpenStream(u"Workbook", reader));
  return std::move(*reader);
}

struct LayoutCase {
  const char* name;
  std::size_t size;
  unsigned shift;
  bool reversed;
  bool inMemory;
};

class OleStreamReaderLayout : public testing::TestWithParam<LayoutCase> {};

// Pieces of every size a record reader asks for, from every kind of position: across sector
// ends, across runs and across the window's end.
TEST_P(OleStreamReaderLayout, ReadsEveryByteInPieces) {
  const LayoutCase& c = GetParam();
  const std::vector<std::uint8_t> data = Pattern(c.size, 7);
  CompoundFile file = BuildCompoundFile({{u"Ctls", Pattern(90, 1)}, {u"Workbook", data}}, c.shift);
  if (c.reversed) file.ReverseChain(2);
  std::unique_ptr<TStream> source = Source(file, c.inMemory);
  TOleStreamReader reader = OpenWorkbook(*source);
  ASSERT_EQ(reader.Size(), static_cast<std::int64_t>(c.size));
  const std::size_t steps[] = {4, 8228, 1, TOleStreamReader::kMaxPiece, 513, 63};
  std::size_t at = 0;
  for (std::size_t i = 0; at < c.size; ++i) {
    const std::size_t count = std::min(steps[i % std::size(steps)], c.size - at);
    ASSERT_EQ(std::memcmp(reader.Bytes(static_cast<std::int64_t>(at), count), &data[at], count), 0)
        << "at " << at;
    at += count;
  }
  std::vector<std::uint8_t> copy(c.size);
  reader.Copy(0, copy.data(), copy.size());
  EXPECT_EQ(copy, data);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, OleStreamReaderLayout,
    testing::Values(LayoutCase{"InOrderFromMemory", 700000, 9, false, true},
                    LayoutCase{"InOrderThroughTheWindow", 700000, 9, false, false},
                    LayoutCase{"ReversedFromMemory", 600000, 9, true, true},
                    LayoutCase{"ReversedThroughTheWindow", 600000, 9, true, false},
                    LayoutCase{"ReversedLargeSectors", 300000, 12, true, false},
                    LayoutCase{"MiniStreamReversed", 4000, 9, true, false},
                    LayoutCase{"MiniStreamFromMemory", 1000, 9, true, true},
                    LayoutCase{"Empty", 0, 9, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OleStreamReader, SectorsInOrderInMemoryAreReadInPlace) {
  const CompoundFile file = BuildCompoundFile({{u"Workbook", Pattern(50000, 3)}});
  TMemoryStream source = file.Stream();
  TOleStreamReader reader = OpenWorkbook(source);
  EXPECT_EQ(reader.Bytes(0, 4), source.Memory() + file.SectorPos(file.chains[1][0]));
}

TEST(OleStreamReader, AskingPastTheEndFailsAsATruncatedStream) {
  for (bool inMemory : {true, false}) {
    CompoundFile file = BuildCompoundFile({{u"Workbook", Pattern(10000, 3)}});
    file.ReverseChain(1);
    std::unique_ptr<TStream> source = Source(file, inMemory);
    TOleStreamReader reader = OpenWorkbook(*source);
    std::uint8_t buffer[8];
    for (const auto& read : std::vector<std::function<void()>>{
             [&] { reader.Bytes(9998, 4); }, [&] { reader.Bytes(10001, 0); },
             [&] { reader.Bytes(-1, 1); }, [&] { reader.Copy(9996, buffer, 8); }}) {
      EXPECT_EQ(test_support::Thrown<EWorkbookFileException>(read), "Unexpected end of stream.");
    }
  }
}

// A record that ends where the window ends, followed by a CONTINUE record: looking at the record
// after it leaves the record's data in place.
TEST(OleStreamReader, LookingForAContinueLeavesTheRecordInPlace) {
  const Bytes filler = Record(0x0203, Pattern(8000, 4));
  const std::size_t fillers = kWindow / filler.size() - 1;
  Bytes stream;
  for (std::size_t i = 0; i < fillers; ++i) Append(stream, filler);
  const Bytes last = Pattern(kWindow - stream.size() - 4, 5);
  Append(stream, Record(0x00FC, last));
  Append(stream, Continue(Pattern(30, 6)));
  Append(stream, Pattern(kWindow, 9));  // a refilled window would be written over whole
  CompoundFile file = BuildCompoundFile({{u"Workbook", stream}});
  file.ReverseChain(1);
  TOpaqueStream source(file.bytes);
  TOleStreamReader bytes = OpenWorkbook(source);
  TXLSRecordReader reader(bytes);
  for (std::size_t i = 0; i <= fillers; ++i) ASSERT_TRUE(reader.Next());
  ASSERT_EQ(reader.Id(), 0x00FC);
  ASSERT_EQ(reader.Position() + 4 + reader.Size(), static_cast<std::int64_t>(kWindow));
  EXPECT_TRUE(reader.NextIsContinue());
  EXPECT_EQ(Bytes(reader.Data().begin(), reader.Data().end()), last);
  reader.NextContinue();
  EXPECT_EQ(Bytes(reader.Data().begin(), reader.Data().end()), Pattern(30, 6));
}

struct TTokenTarget : IXLSSheetTarget {
  void Cell(const TXLSCell& cell) override {
    tokens.emplace_back(cell.FormulaTokens.begin(), cell.FormulaTokens.end());
    texts.emplace_back(cell.Text);
  }
  void Row(const TXLSRowRecord&) override {}
  void DefaultRowHeight(std::uint16_t) override {}
  std::vector<Bytes> tokens;
  std::vector<std::u16string> texts;
};

// A formula whose text comes in the STRING record after it, the two records on either side of
// the window's end: the formula keeps its own tokens.
TEST(OleStreamReader, AFormulaWaitingForItsTextKeepsItsTokens) {
  const Bytes tokens = {0x1E, 0x34, 0x12};  // ptgInt 4660
  const Bytes formula =
      Record(0x0006, Join({Word(0), Word(0), Word(15), Bytes{0, 0, 0, 0, 0, 0, 0xFF, 0xFF}, Word(0),
                           DWord(0), Word(3), tokens}));
  Bytes stream = Bof(0x0010);
  std::size_t left = kWindow - stream.size() - formula.size();
  for (; left > 2 * 8004; left -= 8004) Append(stream, Record(0x0225, Pattern(8000, 8)));
  // Two fillers share the rest, so that the formula ends where the window does.
  Append(stream, Record(0x0225, Pattern(left / 2 - 4, 8)));
  Append(stream, Record(0x0225, Pattern(left - left / 2 - 4, 8)));
  Append(stream, formula);
  ASSERT_EQ(stream.size(), kWindow);
  Append(stream, StringRecord(u"text", false));
  // Enough after it that the refilled window is written over whole.
  for (std::size_t more = 0; more < kWindow; more += 8004)
    Append(stream, Record(0x0225, Pattern(8000, 9)));
  Append(stream, Eof());
  CompoundFile file = BuildCompoundFile({{u"Workbook", stream}});
  TOpaqueStream source(file.bytes);
  TOleStreamReader bytes = OpenWorkbook(source);
  TXLSRecordReader reader(bytes);
  TXLSSharedStrings_Import sst;
  TTokenTarget target;
  ASSERT_TRUE(XLSReadWorksheet(reader, sst, &target));
  ASSERT_EQ(target.tokens.size(), 1u);
  EXPECT_EQ(target.tokens[0], tokens);
  EXPECT_EQ(target.texts[0], u"text");
}

}  // namespace
