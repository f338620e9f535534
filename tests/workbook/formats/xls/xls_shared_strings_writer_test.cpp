// The SST writer: byte layouts derived by hand, long texts and runs spread over CONTINUE records
// read back by the SST reader, and the EXTSST index.
#include <gtest/gtest.h>

#include "workbook/formats/xls/xls_shared_strings.h"
#include "workbook/formats/xls/xls_shared_strings_writer.h"
#include "workbook/formats/xls/xls_stream_primitives.h"

using namespace workbook;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Join(const std::vector<std::unique_ptr<TMemoryStream>>& records) {
  Bytes out;
  for (const auto& r : records) out.insert(out.end(), r->Data().begin(), r->Data().end());
  return out;
}

// Record sizes (data bytes) in order.
std::vector<int> Sizes(const std::vector<std::unique_ptr<TMemoryStream>>& records) {
  std::vector<int> sizes;
  for (const auto& r : records) sizes.push_back(r->Data()[2] | r->Data()[3] << 8);
  return sizes;
}

void ReadBack(const std::vector<std::unique_ptr<TMemoryStream>>& records,
              TXLSSharedStrings_Import& table) {
  TMemoryStream stream(Join(records));
  table.LoadFromStream(stream);
}

TEST(XlsSharedStringsExport, PlainAndRichStringLayout) {
  TXLSSharedStrings_Export sst;
  std::vector<std::unique_ptr<TMemoryStream>> records;
  sst.SaveToRecords(records);
  EXPECT_TRUE(records.empty());  // no strings, no SST record
  EXPECT_EQ(sst.Add(u"", u"", {}), 0);
  EXPECT_EQ(sst.Add(u"Ab", u"", {}), 1);
  EXPECT_EQ(sst.Add(u"", u"", {}), 0);
  EXPECT_EQ(sst.Add(u"xy", u"|f5", {1, 0, 5, 0}), 2);
  EXPECT_EQ(sst.Add(u"xy", u"", {}), 3);  // the same text unformatted is a second entry
  sst.SaveToRecords(records);
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
  std::vector<std::unique_ptr<TMemoryStream>> records;
  sst.SaveToRecords(records);
  EXPECT_GT(records.size(), 15u);
  for (int size : Sizes(records)) EXPECT_LE(size, 8224);
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
  std::vector<std::unique_ptr<TMemoryStream>> records;
  sst.SaveToRecords(records);
  for (int size : Sizes(records)) EXPECT_LE(size, 8224);
  TXLSSharedStrings_Import back;
  ReadBack(records, back);
  EXPECT_EQ(back.GetEntry(0)->Runs().size(), 2056u);
}

TEST(XlsSharedStringsExport, ExtSSTPointsAtBucketStarts) {
  TXLSSharedStrings_Export sst;
  for (int i = 0; i < 20; ++i) sst.Add(u"s" + std::u16string(1, char16_t(u'A' + i)), u"", {});
  std::vector<std::unique_ptr<TMemoryStream>> records;
  sst.SaveToRecords(records);
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
