#include "workbook/formats/text/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace workbook {
namespace {

struct TEncodingCase {
  const char* name;
  const TTextEncoding& encoding;
  std::string bytes;     // of kSample
  std::string preamble;  // the byte-order mark
};

// "A", c with caron, the euro sign and an emoji outside the basic plane.
const std::u16string kSample = u"A\u010D\u20AC\U0001F600";

const TEncodingCase kCases[] = {
    // Windows-1250: c caron is E8, the euro 80; the emoji is one character the page lacks.
    {"cp1250", TTextEncoding::Default(), "A\xE8\x80?", ""},
    {"ascii", TTextEncoding::ASCII(), "A???", ""},
    {"utf8", TTextEncoding::UTF8(), "A\xC4\x8D\xE2\x82\xAC\xF0\x9F\x98\x80", "\xEF\xBB\xBF"},
    {"utf16le", TTextEncoding::Unicode(), std::string("A\0\x0D\x01\xAC\x20\x3D\xD8\x00\xDE", 10),
     "\xFF\xFE"},
    {"utf16be", TTextEncoding::BigEndianUnicode(),
     std::string("\0A\x01\x0D\x20\xAC\xD8\x3D\xDE\x00", 10), "\xFE\xFF"},
};

class EncodingCases : public ::testing::TestWithParam<TEncodingCase> {};

TEST_P(EncodingCases, EncodesTheSampleToItsBytes) {
  std::string bytes;
  GetParam().encoding.Encode(kSample, bytes);
  EXPECT_EQ(bytes, GetParam().bytes);
  EXPECT_EQ(GetParam().encoding.Preamble(), GetParam().preamble);
}

TEST_P(EncodingCases, DecodingInTwoPiecesGivesTheWholeTextAtEverySplit) {
  const TTextEncoding& encoding = GetParam().encoding;
  std::u16string whole;
  ASSERT_EQ(encoding.Decode(GetParam().bytes, true, whole), GetParam().bytes.size());
  for (std::size_t split = 0; split <= GetParam().bytes.size(); ++split) {
    std::u16string text;
    std::string pending = GetParam().bytes.substr(0, split);
    pending.erase(0, encoding.Decode(pending, false, text));
    pending += GetParam().bytes.substr(split);
    EXPECT_EQ(encoding.Decode(pending, true, text), pending.size());
    EXPECT_EQ(text, whole) << "split at " << split;
  }
  // The encodings with a mark hold every character.
  if (!GetParam().preamble.empty()) {
    EXPECT_EQ(whole, kSample);
  }
}

INSTANTIATE_TEST_SUITE_P(TTextEncoding, EncodingCases, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct TMalformedCase {
  const char* name;
  const TTextEncoding& encoding;
  std::string bytes;
  std::u16string text;
};

TEST(TTextEncodingTest, MalformedBytesBecomeReplacementCharacters) {
  const TMalformedCase cases[] = {
      {"utf8 stray byte", TTextEncoding::UTF8(), "a\xFF\x62", u"a\uFFFDb"},
      {"utf8 cut at the end", TTextEncoding::UTF8(), "a\xE2\x82", u"a\uFFFD"},
      {"utf8 encoded surrogate", TTextEncoding::UTF8(), "\xED\xA0\x80", u"\uFFFD"},
      {"utf16 odd last byte", TTextEncoding::Unicode(), std::string("a\0b", 3), u"a\uFFFD"},
      {"utf16 lone low surrogate", TTextEncoding::Unicode(), std::string("\x00\xDC\x61\0", 4),
       u"\uFFFDa"},
      {"utf16 high surrogate without partner", TTextEncoding::BigEndianUnicode(),
       std::string("\xD8\x00\x00\x61", 4), u"\uFFFDa"},
      {"utf16 high surrogate at the end", TTextEncoding::Unicode(), std::string("\x00\xD8", 2),
       u"\uFFFD"},
      {"ascii high byte", TTextEncoding::ASCII(), "a\x80", u"a\uFFFD"},
  };
  for (const TMalformedCase& c : cases) {
    std::u16string text;
    EXPECT_EQ(c.encoding.Decode(c.bytes, true, text), c.bytes.size()) << c.name;
    EXPECT_EQ(text, c.text) << c.name;
  }
}

TEST(TTextEncodingTest, UnpairedSurrogatesAreWrittenAsReplacementCharacters) {
  std::string bytes;
  TTextEncoding::Unicode().Encode(u"\xD800\x61", bytes);
  EXPECT_EQ(bytes, std::string("\xFD\xFF\x61\0", 4));
}

}  // namespace
}  // namespace workbook
