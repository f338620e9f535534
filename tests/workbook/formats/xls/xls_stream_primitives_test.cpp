// The BIFF8 read primitives on a stream, the record reader that reads through them, and a rich
// string read piece by piece across a CONTINUE record.
#include "workbook/formats/xls/xls_stream_primitives.h"

#include <gtest/gtest.h>

#include "biff_builder.h"
#include "support/thrown.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/xls/xls_record_reader.h"
#include "workbook/formats/xls/xls_strings.h"

using namespace workbook;
using namespace xls_test;

namespace {

TEST(XlsStreamPrimitives, ReadsLittleEndianValuesAndFailsAtTheEnd) {
  TMemoryStream stream(
      Join({{0xAB}, Word(0x1234), DWord(0x89ABCDEF), {0, 0, 0, 0, 0, 0, 0xF8, 0x3F}, {0x01}}));
  EXPECT_EQ(XLSReadByte(stream), 0xAB);
  EXPECT_EQ(XLSReadWord(stream), 0x1234);
  EXPECT_EQ(XLSReadDWord(stream), 0x89ABCDEFu);
  EXPECT_EQ(XLSReadDouble(stream), 1.5);
  EXPECT_EQ(test_support::Thrown<EWorkbookFileException>([&] { XLSReadWord(stream); }),
            "Unexpected end of stream.");
}

TEST(XlsStreamPrimitives, CompareBytes) {
  const std::uint8_t a[] = {1, 2, 3}, b[] = {1, 2, 4};
  EXPECT_TRUE(XLSCompareBytes(a, b, 0));
  EXPECT_TRUE(XLSCompareBytes(a, b, 2));
  EXPECT_FALSE(XLSCompareBytes(a, b, 3));
}

// A record's reads stop at its declared size even where the stream goes on.
TEST(XlsRecordReader, ReadsThroughThePrimitivesWithinTheRecord) {
  TMemoryStream stream(Join({Record(0x0203, Join({Word(7), {9}})), Record(0x000A, {})}));
  TOleStreamReader bytes(stream);
  TXLSRecordReader reader(bytes);
  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.ReadWord(), 7);
  EXPECT_EQ(reader.ReadByte(), 9);
  EXPECT_EQ(test_support::Thrown<EWorkbookFileException>([&] { reader.ReadByte(); }),
            "The file is not a valid XLS (Excel 97-2003) file.");
  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.Id(), 0x000A);
  EXPECT_FALSE(reader.Next());
}

// "abcd" of 16-bit characters with one run, cut after "ab"; the CONTINUE record's option byte
// says 8-bit characters, and the run follows the characters there.
TEST(XlsStrings, RichStringPartsAcrossAContinueRecord) {
  TMemoryStream stream(Join({Record(0x00FC, Join({{0x09}, Word(1), Chars(u"ab", true)})),
                             Continue(Join({{0x00}, Chars(u"cd", false), Word(1), Word(5)}))}));
  TOleStreamReader bytes(stream);
  TXLSRecordReader reader(bytes);
  ASSERT_TRUE(reader.Next());
  std::uint32_t charsLeft = 4, extSize = 0;
  std::uint16_t runCount = 0;
  std::vector<TXLSRichTextRun> runs;
  std::u16string text;
  XLSReadRichStringPart(reader, charsLeft, extSize, runCount, runs, text, true);
  EXPECT_EQ(text, u"ab");
  EXPECT_EQ(charsLeft, 2u);
  EXPECT_EQ(runCount, 1);
  EXPECT_TRUE(runs.empty());
  reader.NextContinue();
  XLSReadRichStringPart(reader, charsLeft, extSize, runCount, runs, text, false);
  EXPECT_EQ(text, u"abcd");
  EXPECT_EQ(charsLeft, 0u);
  EXPECT_EQ(runCount, 0);
  EXPECT_EQ(runs, (std::vector<TXLSRichTextRun>{{1, 5}}));
  EXPECT_EQ(reader.Left(), 0u);
}

}  // namespace
