#include "workbook/core/stream.h"

#include <gtest/gtest.h>

#include "workbook/core/exceptions.h"

using namespace workbook;

TEST(MemoryStream, ReadWriteSeekAndShortReads) {
  TMemoryStream s;
  s.WriteString("hello");
  s.SetPosition(1);
  char buf[8];
  s.ReadBuffer(buf, 4);
  EXPECT_EQ(std::string(buf, 4), "ello");
  EXPECT_EQ(s.Read(buf, 4), 0u);
  s.Seek(-2, TSeekOrigin::End);
  s.WriteString("LO!");
  EXPECT_EQ(s.AsString(), "helLO!");
  s.SetPosition(0);
  EXPECT_THROW(s.ReadBuffer(buf, 8), EWorkbookFileException);
}

// A message's UTF-8 form is seen wherever a test compares a thrown message with letters beyond
// ASCII (the sheet password's).
TEST(FileStream, MissingFileIsALibraryError) {
  EXPECT_THROW(TFileStream("/nonexistent/x.xlsx", TFileMode::OpenRead), EWorkbookException);
}
