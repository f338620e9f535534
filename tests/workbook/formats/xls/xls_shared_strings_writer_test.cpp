// The SST writer: byte layouts derived by hand, long texts and runs spread over CONTINUE records
// read back by the SST reader, and the EXTSST index.
#include <gtest/gtest.h>

#include "workbook/formats/xls/xls_shared_strings.h"
#include "workbook/formats/xls/xls_shared_strings_writer.h"
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/formats/xlsx/xlsx_memory_stream_list.h"

using namespace workbook;

namespace {

using Bytes = std::vector<std::uint8_t>;

using TList = TExporterXLSX_MemoryStreamList;

// The records as the output list reads them, one after the other.
Bytes Join(TList& records) {
  Bytes out(static_cast<std::size_t>(records.Size()));
  records.SetPosition(0);
  if (!out.empty()) records.ReadBuffer(out.data(), out.size());
  return out;
}

// Record sizes (data bytes) in order, walking the joined records.
std::vector<int> Sizes(TList& records) {
  const Bytes bytes = Join(records);
  std::vector<int> sizes;
  for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4 + sizes.back())
    sizes.push_back(bytes[at + 2] | bytes[at + 3] << 8);
  return sizes;
}

void ReadBack(TList& records, TXLSSharedStrings_Import& table) {
  TMemoryStream stream(Join(records));
  TOleStreamReader bytes(stream);
  table.LoadFromStream(bytes, 0);
}

TEST(XlsSharedStringsExport, PlainAndRichStringLayout) {
  TXLSSharedStrings_Export sst;
  TList records;
  sst.SaveToRecords(records, false);
  EXPECT_EQ(records.Count(), 0);  // no strings, no SST record
  EXPECT_EQ(sst.Add(u"", u"", {}), 0);
  EXPECT_EQ(sst.Add(u"Ab", u"", {}), 1);
  EXPECT_EQ(sst.Add(u"", u"", {}), 0);
  EXPECT_EQ(sst.Add(u"xy", u"|f5", {1, 0, 5, 0}), 2);
  EXPECT_EQ(sst.Add(u"xy", u"", {}), 3);  // the same text unformatted is a second entry
  sst.SaveToRecords(records, false);
  const Bytes expected = {0xFC, 0x00, 38,   0,   4, 0,   0, 0,   4, 0, 0, 0,  // 8 + 30 bytes
                          0,    0,    0x01,                                   // "": count, option
                          2,    0,    0x01, 'A', 0, 'b', 0,                   // "Ab"
                          2,    0,    0x09, 1,   0, 'x', 0, 'y', 0, 1, 0, 5, 0,  // one run
                          2,    0,    0x01, 'x', 0, 'y', 0};
  EXPECT_EQ(Join(records), expected);
}

// Strings of varying length push the record ends to every possible place inside a string; a text
// beyond 65535 characters is cut, and goes on over many CONTINUE records.
TEST(XlsSharedStringsExport, StringsAndRunsAcrossRecordBoundaries) {
  TXLSSharedStrings_Export sst;
  std::vector<std::u16string> texts;
  std::u16string longText(70000, u'a');
  for (std::size_t i = 0; i < longText.size(); ++i)
    longText[i] = static_cast<char16_t>(0x100 + i % 500);
  sst.Add(longText, u"", {});
  for (int i = 0; i < 600; ++i) {
    std::u16string t(static_cast<std::size_t>(i % 37), u'a' + static_cast<char16_t>(i % 26));
    t += static_cast<char16_t>(u'0' + i % 10);
    t += static_cast<char16_t>(0x3B1 + i % 20);
    texts.push_back(t + u"#" + std::u16string(1, static_cast<char16_t>(i)));
    std::vector<std::uint8_t> runs;
    for (int r = 0; r < i % 4; ++r)
      runs.insert(runs.end(), {static_cast<std::uint8_t>(r), 0, 5, 0});
    sst.Add(texts.back(), runs.empty() ? u"" : u"|" + std::u16string(1, char16_t(i)), runs);
  }
  TList records;
  sst.SaveToRecords(records, false);
  EXPECT_GT(records.Count(), 15);
  const std::vector<int> sizes = Sizes(records);
  EXPECT_EQ(sizes.size(), static_cast<std::size_t>(records.Count()));  // a part per record
  for (int size : sizes) EXPECT_LE(size, 8224);
  // Held through the compression wrappers, the parts read back as the same bytes.
  TList held;
  sst.SaveToRecords(held, true);
  EXPECT_EQ(held.Count(), records.Count());
  EXPECT_EQ(Join(held), Join(records));
  TXLSSharedStrings_Import back;
  ReadBack(records, back);
  ASSERT_EQ(back.Count(), texts.size() + 1);
  EXPECT_EQ(back.GetString(0), longText.substr(0, 65535));
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(back.GetString(i + 1), texts[i]) << i;
    EXPECT_EQ(back.GetEntry(i + 1)->Runs().size(), i % 4) << i;
  }
}

TEST(XlsSharedStringsExport, TooManyRunsAreCutToOneRecord) {
  TXLSSharedStrings_Export sst;
  std::vector<std::uint8_t> runs(3000 * 4, 0);
  sst.Add(u"x", u"|many", runs);
  EXPECT_EQ(sst.GetRunCount(0), 2056);
  TList records;
  sst.SaveToRecords(records, false);
  for (int size : Sizes(records)) EXPECT_LE(size, 8224);
  TXLSSharedStrings_Import back;
  ReadBack(records, back);
  EXPECT_EQ(back.GetEntry(0)->Runs().size(), 2056u);
}

TEST(XlsSharedStringsExport, ExtSSTPointsAtBucketStarts) {
  TXLSSharedStrings_Export sst;
  for (int i = 0; i < 20; ++i) sst.Add(u"s" + std::u16string(1, char16_t(u'A' + i)), u"", {});
  TList records;
  sst.SaveToRecords(records, false);
  const auto ext = sst.ExtSSTRecord(1000);
  // Buckets of 8 strings: 0, 8, 16; each string takes 2 + 1 + 4 bytes after the 12-byte start.
  const Bytes expected = {0xFF, 0x00, 26, 0, 8,   0, 0xF4, 0x03, 0, 0, 12, 0, 0, 0,  // 1000 + 12
                          0x2C, 0x04, 0,  0, 68,  0, 0,    0,   // 1000 + 12 + 56
                          0x64, 0x04, 0,  0, 124, 0, 0,    0};  // 1000 + 12 + 112
  EXPECT_EQ(ext->Data(), expected);
}

TEST(XlsStreamPrimitives, WriteStringCutsToItsCount) {
  TMemoryStream stream;
  XLSWriteString(stream, std::u16string(300, u'z'), TXLSWriteLength::Byte);
  ASSERT_EQ(stream.Size(), 2 + 255 * 2);
  EXPECT_EQ(stream.Data()[0], 255);
  EXPECT_EQ(stream.Data()[1], 0x01);
}

}  // namespace
