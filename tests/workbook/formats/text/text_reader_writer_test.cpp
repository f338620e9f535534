#include <gtest/gtest.h>

#include <string>

#include "workbook/formats/text/text_reader.h"
#include "workbook/formats/text/text_test_support.h"
#include "workbook/formats/text/text_writer.h"

namespace workbook {
namespace {

std::u16string ReadAll(TTextReader& reader) {
  std::u16string text;
  for (char16_t c; reader.Read(c);) text.push_back(c);
  return text;
}

struct TMarkCase {
  const char* name;
  std::string bytes;
  const TTextEncoding& handlerEncoding;
  std::u16string text;
  TTextEncodingKind used;
};

TEST(TTextReaderTest, AByteOrderMarkDecidesTheEncodingAndIsPassedOver) {
  const TMarkCase cases[] = {
      {"utf8 with mark, 8-bit default", "\xEF\xBB\xBF\xC4\x8D\x61", TTextEncoding::Default(),
       u"\u010Da", TTextEncodingKind::Utf8},
      {"utf8 without mark", "\xC4\x8D\x61", TTextEncoding::UTF8(), u"\u010Da",
       TTextEncodingKind::Utf8},
      {"utf16le with mark", std::string("\xFF\xFE\x0D\x01\x61\0", 6), TTextEncoding::UTF8(),
       u"\u010Da", TTextEncodingKind::Utf16LE},
      {"utf16be with mark", std::string("\xFE\xFF\x01\x0D\0a", 6), TTextEncoding::Default(),
       u"\u010Da", TTextEncodingKind::Utf16BE},
      {"utf16be without mark", std::string("\x01\x0D\0a", 4), TTextEncoding::BigEndianUnicode(),
       u"\u010Da", TTextEncodingKind::Utf16BE},
      // c, s and z with caron in Windows-1250.
      {"cp1250", "\xE8\x9A\x9E", TTextEncoding::Default(), u"\u010D\u0161\u017E",
       TTextEncodingKind::SystemCodePage},
      {"no mark, shorter than one", "a", TTextEncoding::UTF8(), u"a", TTextEncodingKind::Utf8},
      {"empty", "", TTextEncoding::UTF8(), u"", TTextEncodingKind::Utf8},
  };
  for (const TMarkCase& c : cases) {
    TMemoryStream stream = StreamOf(c.bytes);
    TTextReader reader(stream, 16384, c.handlerEncoding);
    EXPECT_EQ(ReadAll(reader), c.text) << c.name;
    EXPECT_EQ(reader.Encoding().Kind(), c.used) << c.name;
    EXPECT_EQ(reader.Position(), reader.Size()) << c.name;
  }
}

TEST(TTextReaderTest, StepBackWorksAcrossEveryRefillOfATinyBuffer) {
  const std::u16string text = u"a\u010D\U0001F600\r\nb\u20AC";
  for (const TTextEncoding* encoding : {&TTextEncoding::UTF8(), &TTextEncoding::Unicode()}) {
    for (std::size_t bufferSize : {1, 2, 3, 7}) {
      std::string bytes;
      encoding->Encode(text, bytes);
      TMemoryStream stream = StreamOf(bytes);
      TTextReader reader(stream, bufferSize, *encoding);
      std::u16string read;
      for (char16_t c, again; reader.Read(c);) {
        reader.StepBack();
        ASSERT_TRUE(reader.Read(again));
        EXPECT_EQ(again, c);
        read.push_back(c);
      }
      EXPECT_EQ(read, text) << "buffer " << bufferSize;
    }
  }
}

// A NUL character does not end the text; reading starts at the stream's position, where a mark
// is still recognised.
TEST(TTextReaderTest, NulCharactersAndTheStartingPosition) {
  TMemoryStream nul = StreamOf(std::string("a\0b", 3));
  TTextReader whole(nul, 16, TTextEncoding::UTF8());
  EXPECT_EQ(ReadAll(whole), std::u16string(u"a\0b", 3));
  TMemoryStream stream = StreamOf("xx\xEF\xBB\xBFy");
  stream.SetPosition(2);
  TTextReader reader(stream, 16, TTextEncoding::Default());
  EXPECT_EQ(ReadAll(reader), u"y");
  EXPECT_EQ(reader.Position(), 6);
}

struct TWriterCase {
  const char* name;
  const TTextEncoding& encoding;
  bool bom;
  std::string bytes;
};

// The mark only when asked and the encoding has one; a character whose surrogates a tiny buffer
// splits is encoded whole.
TEST(TTextWriterTest, MarksAndCharactersSplitByTheBuffer) {
  const TWriterCase cases[] = {
      {"utf8", TTextEncoding::UTF8(), true, "\xEF\xBB\xBF\x61\xF0\x9F\x98\x80\x62"},
      {"utf8 without mark", TTextEncoding::UTF8(), false, "a\xF0\x9F\x98\x80\x62"},
      {"utf16le", TTextEncoding::Unicode(), true,
       std::string("\xFF\xFE\x61\0\x3D\xD8\x00\xDE\x62\0", 10)},
      {"utf16be", TTextEncoding::BigEndianUnicode(), true,
       std::string("\xFE\xFF\0\x61\xD8\x3D\xDE\x00\0\x62", 10)},
      {"cp1250", TTextEncoding::Default(), true, "a?b"},
  };
  for (const TWriterCase& c : cases) {
    for (std::size_t bufferSize : {1, 2, 8192}) {
      TMemoryStream stream;
      TTextWriter writer(stream, bufferSize, c.encoding, c.bom);
      for (char16_t ch : std::u16string(u"a\U0001F600b")) writer.Write(ch);
      writer.Flush();
      EXPECT_EQ(stream.AsString(), c.bytes) << c.name << " " << bufferSize;
    }
  }
}

}  // namespace
}  // namespace workbook
