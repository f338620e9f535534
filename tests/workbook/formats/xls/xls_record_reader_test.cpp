#include "workbook/formats/xls/xls_record_reader.h"

#include <gtest/gtest.h>

#include "biff_builder.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"

using namespace workbook;
using namespace xls_test;

TEST(XlsRecordReader, WalksRecordsWhateverTheHandlerRead) {
  TMemoryStream stream(Join({Record(0x0809, Join({Word(0x0600), Word(5)})), Record(0x0022, Word(1)),
                             Record(0x000A, {}), Bytes{0x01, 0x02}}));
  TXLSRecordReader reader(stream);
  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.Id(), 0x0809);
  EXPECT_EQ(reader.Size(), 4);
  EXPECT_EQ(reader.Position(), 0);
  EXPECT_EQ(reader.ReadWord(), 0x0600);
  ASSERT_TRUE(reader.Next());  // two bytes of the BOF left unread
  EXPECT_EQ(reader.Id(), 0x0022);
  EXPECT_EQ(reader.Position(), 8);
  EXPECT_EQ(reader.ReadWord(), 1);
  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.Id(), 0x000A);
  EXPECT_EQ(reader.Left(), 0u);
  EXPECT_FALSE(reader.Next());  // two stray bytes make no header
}

TEST(XlsRecordReader, NeverReadsPastTheDeclaredSize) {
  TMemoryStream stream(Join({Record(0x0203, Join({Word(1), Word(2)})), Record(0x0022, Word(7))}));
  TXLSRecordReader reader(stream);
  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.ReadWord(), 1);
  try {
    reader.ReadDWord();
    FAIL() << "read beyond the record";
  } catch (const EWorkbookFileException& e) {
    EXPECT_EQ(e.Message(), WorkbookLng_InvalidXLS);
  }
  EXPECT_THROW(reader.Skip(3), EWorkbookFileException);
  EXPECT_EQ(reader.ReadWord(), 2);
  EXPECT_THROW(reader.ReadByte(), EWorkbookFileException);
  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.ReadWord(), 7);
}

TEST(XlsRecordReader, ARecordCutByTheStreamEndFailsWhenRead) {
  Bytes bytes = Record(0x0203, Bytes(14, 0));
  bytes.resize(10);
  TMemoryStream stream(bytes);
  TXLSRecordReader reader(stream);
  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.ReadDWord(), 0u);
  EXPECT_THROW(reader.ReadDouble(), EWorkbookFileException);
  EXPECT_FALSE(reader.Next());
}

TEST(XlsRecordReader, ReadsLittleEndianValues) {
  TMemoryStream stream(Record(0x0203, Join({Bytes{0xAB}, Word(0x1234), DWord(0xDEADBEEF),
                                            Bytes{0, 0, 0, 0, 0, 0, 0xF8, 0x3F}})));
  TXLSRecordReader reader(stream);
  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.ReadByte(), 0xAB);
  EXPECT_EQ(reader.ReadWord(), 0x1234);
  EXPECT_EQ(reader.ReadDWord(), 0xDEADBEEFu);
  EXPECT_EQ(reader.ReadDouble(), 1.5);
}

TEST(XlsRecordReader, ContinueRecordsAreEnteredOnlyWhenTheyFollow) {
  TMemoryStream stream(
      Join({Record(0x00FC, Bytes{1}), Continue(Bytes{2}), Record(0x00FD, Bytes{3})}));
  TXLSRecordReader reader(stream);
  ASSERT_TRUE(reader.Next());
  EXPECT_TRUE(reader.NextIsContinue());
  reader.NextContinue();
  EXPECT_EQ(reader.Id(), 0x003C);
  EXPECT_EQ(reader.ReadByte(), 2);
  EXPECT_FALSE(reader.NextIsContinue());
  try {
    reader.NextContinue();
    FAIL() << "entered a record that is not CONTINUE";
  } catch (const EXLSSharedStrings& e) {
    EXPECT_EQ(e.Message(), u"Expected CONTINUE not found.");
  }
}

TEST(XlsRecordReader, RestartsAtAPosition) {
  TMemoryStream stream(Join({Record(0x0001, Bytes{1}), Record(0x0002, Bytes{2})}));
  TXLSRecordReader reader(stream);
  ASSERT_TRUE(reader.Next());
  ASSERT_TRUE(reader.Next());
  reader.SetPosition(0);
  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.Id(), 0x0001);
  stream.SetPosition(3);  // the caller may move the stream in between
  EXPECT_EQ(reader.ReadByte(), 1);
}
