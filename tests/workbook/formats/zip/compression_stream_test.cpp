#include "workbook/formats/zip/compression_stream.h"

#include <gtest/gtest.h>

using namespace workbook;

TEST(CompressionStream, BytesPassThroughUnchanged) {
  TMemoryStream buffer;
  {
    TCompressionStream out(buffer);
    out.WriteString("row data");
    out.SetSize(3);
    out.Seek(0, TSeekOrigin::End);
    out.WriteString("!");
  }
  EXPECT_EQ(buffer.AsString(), "row!");
  buffer.SetPosition(0);
  TDecompressionStream in(buffer);
  char text[4];
  in.ReadBuffer(text, 4);
  EXPECT_EQ(std::string(text, 4), "row!");
  EXPECT_EQ(in.Size(), 4);
}
