#include "platform/text_codec.h"

#include <gtest/gtest.h>

#include <utility>

using namespace platform;

TEST(Cp1250, AllBytesRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::u16string wide = Cp1250ToUtf16(all);
  ASSERT_EQ(wide.size(), 256u);
  EXPECT_EQ(Utf16ToCp1250(wide), all);
}

TEST(Cp1250, SlovakLettersMapToTheirCodePoints) {
  struct Case {
    unsigned char byte;
    char16_t unit;
  } cases[] = {{0x80, u'€'}, {0x8A, u'Š'},      {0x8E, u'Ž'}, {0x9A, u'š'}, {0x9E, u'ž'},
               {0xC8, u'Č'}, {0xE8, u'č'},      {0xBE, u'ľ'}, {0xF4, u'ô'}, {0xE1, u'á'},
               {0xF2, u'ň'}, {0xA0, u'\u00A0'}, {0xFF, u'˙'}};
  for (const auto& c : cases) {
    std::string byte(1, static_cast<char>(c.byte));
    EXPECT_EQ(Cp1250ToUtf16(byte), std::u16string(1, c.unit)) << int(c.byte);
    EXPECT_EQ(Utf16ToCp1250(std::u16string(1, c.unit)), byte) << int(c.byte);
  }
}

TEST(Cp1250, UnmappedCharactersBecomeQuestionMarks) {
  EXPECT_EQ(Utf16ToCp1250(u"a\u4E2Db"), "a?b");
  EXPECT_EQ(Utf16ToCp1250(u"\U0001F600"), "?");  // one character, one "?"
  EXPECT_EQ(Utf16ToCp1250(u"ß\u00E5"), "\xDF?");
}

// The code page's units lie in five rows of 256 (U+00xx, U+01xx, U+02xx, U+20xx, U+21xx): a unit
// that shares its low byte with a unit of the code page in another row is still not one of it.
TEST(Cp1250, HighBytesOfUnitsTellRowsApart) {
  const std::pair<char16_t, unsigned char> cases[] = {
      {u'\u00AC', 0xAC}, {u'\u20AC', 0x80}, {u'\u01AC', 0},    {u'\u21AC', 0},
      {u'\u02AC', 0},    {u'\uAC00', 0},    {u'\u2122', 0x99}, {u'\u0122', 0},
      {u'\u0080', 0},    {u'\u0081', 0x81}, {u'\u00FF', 0},    {u'\uFFFF', 0},
  };
  for (const auto& [unit, byte] : cases) EXPECT_EQ(Cp1250HighByte(unit), byte) << int(unit);
}

TEST(Utf8, ValidTextRoundTrips) {
  const std::u16string text = u"Dozovuvud ireze VEV – čšž € \U0001F600";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf16ToUtf8(u"č"), "\xC4\x8D");
}

TEST(Utf8, InvalidInputIsReplacedNotFatal) {
  struct Case {
    std::string in;
    std::u16string out;
  } cases[] = {
      {"a\x80"
       "b",
       u"a\uFFFDb"},                    // stray continuation byte
      {"\xC0\xAF", u"\uFFFD\uFFFD"},    // overlong "/"
      {"\xE0\x80\xAF", u"\uFFFD"},      // overlong three-byte form
      {"\xED\xA0\x80", u"\uFFFD"},      // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD"},  // beyond U+10FFFF
      {"\xE4\xB8", u"\uFFFD"},          // truncated at the end
      {"\xE4"
       "A",
       u"\uFFFDA"},  // truncated before ASCII
      {"\xFF\xFE", u"\uFFFD\uFFFD"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToUtf16(c.in), c.out) << c.in;
}

TEST(Utf8, UnpairedSurrogateIsReplaced) {
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t(0xDC00), u'a'}),
            "\xEF\xBF\xBD"
            "a");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t(0xD800), u'a'}),
            "\xEF\xBF\xBD"
            "a");
}

// ASCII is widened eight bytes at a time: a letter of two bytes (UTF-8) or one (Windows-1250), or
// a malformed byte, at any place before, inside or after such a group decodes the same, and the
// appending forms keep what the text held.
TEST(Decoding, AsciiGroupsAroundOtherBytes) {
  const std::u16string ascii = u"abcdefghijklmnopqr";
  const struct {
    const char* name;
    std::string other;
    char16_t decoded;
    void (*append)(std::string_view, std::u16string&);
  } kForms[] = {
      {"utf-8 letter", "\xC4\x8D", u'\u010D', AppendUtf8AsUtf16},
      {"utf-8 malformed", "\xFF", u'\uFFFD', AppendUtf8AsUtf16},
      {"windows-1250 letter", "\xE8", u'\u010D', AppendCp1250AsUtf16},
  };
  for (const auto& form : kForms) {
    for (std::size_t at = 0; at <= ascii.size(); ++at) {
      const std::string prefix(ascii.begin(), ascii.begin() + at);
      const std::string suffix(ascii.begin() + at, ascii.end());
      std::u16string text = u"kept";
      form.append(prefix + form.other + suffix, text);
      EXPECT_EQ(text, u"kept" + ascii.substr(0, at) + form.decoded + ascii.substr(at))
          << form.name << " at " << at;
    }
  }
}
