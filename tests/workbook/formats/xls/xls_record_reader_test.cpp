// The BIFF record reader and the string readers on top of it (strings across CONTINUE records
// are checked through the shared-string table).
#include "workbook/formats/xls/xls_record_reader.h"

#include <gtest/gtest.h>

#include "biff_builder.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/xls/xls_strings.h"

using namespace workbook;
using namespace xls_test;

TEST(XlsRecordReader, StaysInsideTheDeclaredSizeAndSkipsWhatWasLeftUnread) {
  TMemoryStream stream(Join({Record(0x0809, Join({Word(0x0600), Word(5)})), Record(0x0022, Word(1)),
                             Record(0x000A, {}), Bytes{0x01, 0x02}}));
  TXLSRecordReader reader(stream);
  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.ReadWord(), 0x0600);
  EXPECT_THROW(reader.ReadDWord(), EWorkbookFileException);  // two bytes left
  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.Id(), 0x0022);
  EXPECT_EQ(reader.Position(), 8);
  EXPECT_EQ(reader.ReadWord(), 1);
  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.Id(), 0x000A);
  EXPECT_FALSE(reader.Next());  // two stray bytes make no header
}

TEST(XlsStrings, ADamagedWideCharacterCountFailsAtTheRecordsEnd) {
  TMemoryStream stream(Record(0x01B8, Chars(u"ab", true)));
  TXLSRecordReader reader(stream);
  ASSERT_TRUE(reader.Next());
  // rather than reserving memory for the count
  EXPECT_THROW(XLSReadWideChars(reader, 0x7FFFFFFF, false), EWorkbookFileException);
}
