#include "workbook/formats/xls/xls_strings.h"

#include <gtest/gtest.h>

#include "biff_builder.h"
#include "workbook/core/exceptions.h"

using namespace workbook;
using namespace xls_test;

namespace {

// A reader standing in the first record of Bytes.
struct Records {
  explicit Records(const Bytes& bytes) : stream(bytes), reader(stream) { reader.Next(); }
  TMemoryStream stream;
  TXLSRecordReader reader;
};

}  // namespace

TEST(XlsStrings, ReadsCountAndBody) {
  Records byteCount(Record(0x0204, Join({Bytes{3, 0}, Chars(u"abc", false)})));
  EXPECT_EQ(XLSReadString(byteCount.reader, TXLSLengthRecord::Byte), u"abc");
  Records wordCount(Record(0x0204, Join({Word(2), Bytes{1}, Chars(u"čž", true)})));
  EXPECT_EQ(XLSReadString(wordCount.reader, TXLSLengthRecord::Word), u"čž");
  Records empty(Record(0x0204, Join({Word(0), Bytes{0}})));
  EXPECT_EQ(XLSReadString(empty.reader, TXLSLengthRecord::Word), u"");
  EXPECT_EQ(empty.reader.Left(), 0u);
}

// A string split by a CONTINUE record whose fresh option byte switches the character width.
TEST(XlsStrings, JoinsPiecesOfDifferentCharacterWidth) {
  Records wideThenNarrow(Join({Record(0x00FC, Join({Bytes{1}, Chars(u"čš", true)})),
                               Continue(Join({Bytes{0}, Chars(u"ab", false)}))}));
  EXPECT_EQ(XLSReadStringOfLength(wideThenNarrow.reader, 4), u"čšab");
  Records narrowThenWide(Join({Record(0x00FC, Join({Bytes{0}, Chars(u"ab", false)})),
                               Continue(Join({Bytes{1}, Chars(u"žý", true)}))}));
  EXPECT_EQ(XLSReadStringOfLength(narrowThenWide.reader, 4), u"abžý");
}

TEST(XlsStrings, KeepsRunsThatCrossARecordBoundary) {
  Records records(Join({Record(0x00FC, Join({Bytes{0x08}, Word(2), Chars(u"abc", false), Word(0),
                                             Word(5), Bytes{2}})),
                        Continue(Join({Bytes{0}, Word(6), Word(0x7777)}))}));
  std::vector<TXLSRichTextRun> runs;
  EXPECT_EQ(XLSReadRichString(records.reader, 3, runs), u"abc");
  EXPECT_EQ(runs, (std::vector<TXLSRichTextRun>{{0, 5}, {2, 6}}));
  EXPECT_EQ(records.reader.ReadWord(), 0x7777);
}

TEST(XlsStrings, PassesOverExtendedDataAcrossRecords) {
  // Phonetic data of 20 bytes: 3 in the string's record, 5 in the next, 12 in the one after.
  Records records(
      Join({Record(0x00FC, Join({Bytes{0x0D}, Word(1), DWord(20), Chars(u"ň", true), Word(1),
                                 Word(9), Bytes(3, 0xEE)})),
            Continue(Bytes(5, 0xEE)), Continue(Join({Bytes(12, 0xEE), Word(0x7777)}))}));
  std::vector<TXLSRichTextRun> runs;
  EXPECT_EQ(XLSReadRichString(records.reader, 1, runs), u"ň");
  EXPECT_EQ(runs, (std::vector<TXLSRichTextRun>{{1, 9}}));
  EXPECT_EQ(records.reader.ReadWord(), 0x7777);
  EXPECT_EQ(records.reader.Left(), 0u);
}

TEST(XlsStrings, TextOnlyReadsPassOverRunsAndExtendedData) {
  Records records(Record(0x00D6, Join({Bytes{0x0C}, Word(1), DWord(2), Chars(u"xy", false),
                                       DWord(0), Word(0xABCD), Word(0x1234)})));
  EXPECT_EQ(XLSReadStringOfLength(records.reader, 2), u"xy");
  EXPECT_EQ(records.reader.ReadWord(), 0x1234);
}

TEST(XlsStrings, AStringCutWithoutContinueFails) {
  Records records(Join({Record(0x0204, Join({Word(10), Bytes{0}, Chars(u"abcd", false)})),
                        Record(0x0203, Bytes(14, 0))}));
  try {
    XLSReadString(records.reader, TXLSLengthRecord::Word);
    FAIL() << "no exception";
  } catch (const EXLSSharedStrings& e) {
    EXPECT_EQ(e.Message(), u"Expected CONTINUE not found.");
  }
}

TEST(XlsStrings, ReadsWideCharactersWithoutOptionByte) {
  Records url(Record(
      0x01B8, Join({Chars(std::u16string(u"http://x.sk") + u'\0', true), Chars(u"Q", true)})));
  EXPECT_EQ(XLSReadWideChars(url.reader, 12, true), u"http://x.sk");
  EXPECT_EQ(XLSReadWideChars(url.reader, 1, true), u"Q");
  EXPECT_EQ(XLSReadWideChars(url.reader, 0, true), u"");
  // A damaged count fails at the record's end instead of reserving memory for it.
  Records damaged(Record(0x01B8, Chars(u"ab", true)));
  EXPECT_THROW(XLSReadWideChars(damaged.reader, 0x7FFFFFFF, false), EWorkbookFileException);
}
