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
