#include "workbook/formats/library_routines.h"

#include <gtest/gtest.h>

#include "platform/format_settings.h"
#include "workbook/model/sys_date_formats.h"

namespace workbook {
namespace {

TEST(LibraryRoutinesTest, FloatToBoolUsesTheLibraryTolerance) {
  EXPECT_FALSE(FloatToBool(0.0));
  EXPECT_FALSE(FloatToBool(1e-13));
  EXPECT_TRUE(FloatToBool(2e-12));
  EXPECT_TRUE(FloatToBool(-1.0));
}

struct TBreakCase {
  const char16_t* text;
  const char16_t* flat;
  std::vector<std::int32_t> positions;
};

TEST(LibraryRoutinesTest, NormalizeLineBreaksCountsEachBreakOnce) {
  const TBreakCase cases[] = {
      {u"ab\ncd", u"abcd", {3, 5}},
      {u"", u"", {1}},
      {u"a\r\nb\rc\n", u"abc", {2, 3, 4, 4}},
      {u"\n\n", u"", {1, 1, 1}},
  };
  for (const TBreakCase& c : cases) {
    TIntegerList positions;
    positions.Add(99);
    std::u16string flat = u"junk";
    NormalizeLineBreaks(c.text, positions, flat);
    EXPECT_EQ(flat, c.flat);
    std::vector<std::int32_t> got;
    for (int i = 0; i < positions.Count(); ++i) got.push_back(positions[i]);
    EXPECT_EQ(got, c.positions);
  }
}

TEST(LibraryRoutinesTest, ExpandSysDateFormatsTouchesOnlyThePlaceholders) {
  platform::TFormatSettings& fs = platform::FormatSettings();
  const platform::TFormatSettings saved = fs;
  fs.ShortDateFormat = u"dd.MM.yyyy";
  fs.LongTimeFormat = u"hh:nn:ss ampm";
  fs.ShortTimeFormat = u"hh:nn";
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"%sysdate%", u"dd.MM.yyyy"},
      {u"%SYSTIME%", u"hh:mm:ss am/pm"},
      {u"%systimews%", u"hh:mm"},
      {u"%sysdatetime%", u"dd.MM.yyyy hh:mm:ss am/pm"},
      {u"%SysDateTimeWs%", u"dd.MM.yyyy hh:mm"},
      // Other codes keep every letter: "n" is no minute letter in a spreadsheet code.
      {u"[$-41B]nnnn", u"[$-41B]nnnn"},
      {u"0.00\" km\"", u"0.00\" km\""},
      {u"%other%", u"%other%"},
      {u"", u""},
  };
  for (const auto& [code, expanded] : cases) EXPECT_EQ(ExpandSysDateFormats(code), expanded);
  fs = saved;
}

TEST(LibraryRoutinesTest, ExtractNextXMLElementCutsRawElements) {
  const std::string xml =
      "<sst><sis/><si><t>a</t></si><si/><si\n><t>b</t></si><si attr=\"1\"></si>"
      "<si a=\"x>y\"/></sst>";
  TMemoryStream source(std::vector<std::uint8_t>(xml.begin(), xml.end()));
  TXMLElementScan scan;
  std::vector<std::string> found;
  std::string_view target;
  while (ExtractNextXMLElement("si", scan, target, source.Size(), source))
    found.emplace_back(target);
  EXPECT_EQ(found, (std::vector<std::string>{"<si><t>a</t></si>", "<si/>", "<si\n><t>b</t></si>",
                                             "<si attr=\"1\"></si>", "<si a=\"x>y\"/>"}));
}

TEST(LibraryRoutinesTest, ReadUTF8TextDecodesExactlyTheByteCount) {
  const std::string bytes =
      "\xC5\xBE"
      "abc";
  TMemoryStream stream(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  EXPECT_EQ(ReadUTF8Text(stream, 3), u"\u017Ea");
  EXPECT_EQ(ReadUTF8Text(stream, 0), u"");
}

}  // namespace
}  // namespace workbook
