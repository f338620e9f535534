#include "workbook/core/stream.h"

#include <gtest/gtest.h>

#include "workbook/core/exceptions.h"

using namespace workbook;

TEST(MemoryStream, ReadWriteSeek) {
  TMemoryStream s;
  s.WriteString("hello");
  EXPECT_EQ(s.Size(), 5);
  s.SetPosition(1);
  char buf[4];
  s.ReadBuffer(buf, 4);
  EXPECT_EQ(std::string(buf, 4), "ello");
  EXPECT_EQ(s.Read(buf, 4), 0u);
  s.Seek(-2, TSeekOrigin::End);
  s.WriteString("LO!");
  EXPECT_EQ(s.AsString(), "helLO!");
}

TEST(MemoryStream, ShortReadIsAFileError) {
  TMemoryStream s(std::vector<std::uint8_t>{1, 2, 3});
  char buf[8];
  EXPECT_THROW(s.ReadBuffer(buf, 8), EWorkbookFileException);
}

TEST(FileStream, MissingFileIsALibraryError) {
  EXPECT_THROW(TFileStream("/nonexistent/x.xlsx", TFileMode::OpenRead), EWorkbookException);
}

TEST(Exceptions, ClassNamesAndMessages) {
  try {
    throw EWorkbookFileException(u"Zlý súbor");
  } catch (const EWorkbookException& e) {
    EXPECT_STREQ(e.ClassName(), "EWorkbookFileException");
    EXPECT_EQ(e.Message(), u"Zlý súbor");
    EXPECT_STREQ(e.what(), "Zl\xC3\xBD s\xC3\xBA\x62or");
  }
}
