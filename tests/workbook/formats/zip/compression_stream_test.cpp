#include "workbook/formats/zip/compression_stream.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

#include "workbook/core/exceptions.h"

using namespace workbook;

namespace {

// Text written through a compression wrapper in writes of Step bytes (0: one write), finished.
TMemoryStream Packed(const std::string& text, std::size_t step = 0, int level = kZipDeflateLevel) {
  TMemoryStream buffer;
  TCompressionStream out(buffer, level);
  if (step == 0) step = std::max<std::size_t>(text.size(), 1);
  for (std::size_t at = 0; at < text.size(); at += step)
    out.WriteBuffer(text.data() + at, std::min(step, text.size() - at));
  EXPECT_EQ(out.Position(), static_cast<std::int64_t>(text.size()));
  out.Finish();
  return buffer;
}

std::string Unpacked(TDecompressionStream& in, std::size_t step) {
  std::string text;
  std::string chunk(step, '\0');
  for (std::size_t got; (got = in.Read(chunk.data(), step)) > 0;) text.append(chunk, 0, got);
  return text;
}

std::string Random(std::size_t size) {
  std::mt19937 random(7);
  std::string text(size, '\0');
  for (char& c : text) c = static_cast<char>(random());
  return text;
}

std::string Rows(int count) {
  std::string text;
  for (int r = 1; r <= count; ++r)
    text += "<row r=\"" + std::to_string(r) + "\"><c r=\"A" + std::to_string(r) + "\"><v>" +
            std::to_string(r * 1.25) + "</v></c></row>";
  return text;
}

struct TRoundTrip {
  const char* Name;
  std::string Text;
  std::size_t WriteStep, ReadStep;
  int Level;
};

// Sizes around the wrappers' inner buffers (32 KB), small writes the way record writers make
// them, and data deflate cannot shrink.
TEST(CompressionStream, ReadsBackWhatWasWrittenWithItsSizeAndCrc) {
  const std::vector<TRoundTrip> cases = {
      {"empty", "", 0, 7, kZipDeflateLevel},
      {"one byte", "x", 0, 1, kZipDeflateLevel},
      {"two-byte writes", Rows(3000), 2, 4096, kTempDeflateLevel},
      {"buffer boundaries", std::string(32 * 1024 - 1, 'a') + "bc" + std::string(32 * 1024, 'd'),
       32 * 1024 - 1, 32 * 1024 + 1, kZipDeflateLevel},
      {"one large write", Rows(40000), 0, 100000, kZipDeflateLevel},
      {"incompressible", Random(300000), 5000, 333, kTempDeflateLevel},
  };
  for (const TRoundTrip& c : cases) {
    SCOPED_TRACE(c.Name);
    TMemoryStream buffer = Packed(c.Text, c.WriteStep, c.Level);
    const TCompressedBufferInfo info = TDecompressionStream::ReadInfo(buffer);
    EXPECT_EQ(info.Size, c.Text.size());
    EXPECT_EQ(info.Crc, crc32(0, reinterpret_cast<const Bytef*>(c.Text.data()),
                              static_cast<uInt>(c.Text.size())));
    EXPECT_EQ(info.CompressedSize, buffer.Size() - 16);
    TDecompressionStream in(buffer);
    EXPECT_EQ(in.Size(), static_cast<std::int64_t>(c.Text.size()));
    EXPECT_EQ(Unpacked(in, c.ReadStep), c.Text);
    EXPECT_EQ(in.Position(), in.Size());
  }
}

TEST(CompressionStream, RowsAreHeldDeflated) {
  const std::string text = Rows(10000);
  EXPECT_LT(Packed(text).Size() * 5, static_cast<std::int64_t>(text.size()));
  EXPECT_LT(Packed(text, 2, kTempDeflateLevel).Size() * 4, static_cast<std::int64_t>(text.size()));
}

// The deflate data of finished buffers, one after the other and closed by an empty last block,
// is one deflate stream: what a zip entry joined from them holds.
TEST(CompressionStream, BuffersJoinIntoOneDeflateStream) {
  const std::vector<std::string> texts = {"<head>", "", Rows(5000), Random(70000), "</head>"};
  std::string joined, deflated;
  for (const std::string& text : texts) {
    TMemoryStream buffer = Packed(text);
    const TCompressedBufferInfo info = TDecompressionStream::ReadInfo(buffer);
    deflated.append(reinterpret_cast<const char*>(buffer.Memory()),
                    static_cast<std::size_t>(info.CompressedSize));
    joined += text;
  }
  deflated += std::string("\x03\x00", 2);
  z_stream z{};
  ASSERT_EQ(inflateInit2(&z, -MAX_WBITS), Z_OK);
  std::string out(joined.size() + 1, '\0');
  z.next_in = reinterpret_cast<Bytef*>(deflated.data());
  z.avail_in = static_cast<uInt>(deflated.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(inflate(&z, Z_FINISH), Z_STREAM_END);
  EXPECT_EQ(z.avail_in, 0u);
  out.resize(out.size() - z.avail_out);
  inflateEnd(&z);
  EXPECT_EQ(out, joined);
}

TEST(CompressionStream, RewindReadsTheSameBytesAgain) {
  const std::string text = Rows(8000);
  TMemoryStream buffer = Packed(text);
  TDecompressionStream in(buffer);
  std::string start(1000, '\0');
  in.ReadBuffer(start.data(), start.size());
  EXPECT_EQ(in.Seek(0, TSeekOrigin::Current), 1000);
  EXPECT_EQ(in.Seek(1000, TSeekOrigin::Beginning), 1000);
  EXPECT_EQ(in.Seek(0, TSeekOrigin::End), static_cast<std::int64_t>(text.size()));
  EXPECT_EQ(in.Seek(0, TSeekOrigin::Beginning), 0);
  EXPECT_EQ(Unpacked(in, 777), text);
}

// Each wrapper goes one way: seeks it cannot serve, and writes after the end, raise.
TEST(CompressionStream, RefusesWhatItCannotDo) {
  TMemoryStream buffer;
  TCompressionStream out(buffer);
  out.WriteString("abc");
  EXPECT_EQ(out.Seek(0, TSeekOrigin::End), 3);
  EXPECT_EQ(out.Seek(3, TSeekOrigin::Beginning), 3);
  EXPECT_THROW(out.Seek(0, TSeekOrigin::Beginning), EWorkbookException);
  EXPECT_THROW(out.SetSize(1), EWorkbookException);
  char byte;
  EXPECT_EQ(out.Read(&byte, 1), 0u);
  out.Finish();
  out.Finish();  // a second end changes nothing
  EXPECT_THROW(out.WriteString("d"), EWorkbookException);

  TDecompressionStream in(buffer);
  EXPECT_EQ(in.Write("x", 1), 0u);
  EXPECT_THROW(in.Seek(2, TSeekOrigin::Beginning), EWorkbookException);
  EXPECT_THROW(in.Seek(-1, TSeekOrigin::End), EWorkbookException);
  std::string text(3, '\0');
  in.ReadBuffer(text.data(), 3);
  EXPECT_EQ(text, "abc");
}

// A buffer never finished, or cut, or whose trailer promises more than its data holds, is
// refused with an exception; nothing reads past its end.
TEST(CompressionStream, DamagedBuffersAreRefused) {
  const std::string text = Rows(2000);
  auto expectRefused = [&](TMemoryStream& buffer, const char* what) {
    SCOPED_TRACE(what);
    try {
      TDecompressionStream in(buffer);
      Unpacked(in, 4096);
      FAIL() << "read";
    } catch (const EWorkbookException&) {
    }
  };
  TMemoryStream unfinished;
  {
    TCompressionStream out(unfinished);
    out.WriteString(text);
  }
  expectRefused(unfinished, "never finished");
  TMemoryStream tiny = Packed("");
  tiny.SetSize(15);
  expectRefused(tiny, "shorter than a trailer");

  // The deflate data cut short, the trailer kept.
  TMemoryStream whole = Packed(text);
  std::vector<std::uint8_t> bytes = whole.Data();
  bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2), bytes.end() - 16);
  TMemoryStream cut(bytes);
  expectRefused(cut, "cut");

  // A trailer claiming one byte more than the data inflates to.
  std::vector<std::uint8_t> lying = whole.Data();
  std::uint64_t size = 0;
  for (int i = 7; i >= 0; --i) size = size << 8 | lying[lying.size() - 16 + i];
  ++size;
  for (int i = 0; i < 8; ++i)
    lying[lying.size() - 16 + i] = static_cast<std::uint8_t>(size >> 8 * i);
  TMemoryStream longer(lying);
  expectRefused(longer, "size too large");
}

}  // namespace
