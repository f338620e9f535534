#include "workbook/core/oformat.h"

#include <gtest/gtest.h>

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <tuple>

#include <string>

#include "platform/text_codec.h"
#include "workbook/core/invariant_texts.h"

using namespace workbook;

namespace {

std::string Narrow(std::u16string_view text) { return platform::Utf16ToUtf8(text); }

// Plain dates, date-times and durations are in the ODS cell writer's goldens; these are the
// edges.
TEST(OFormatDates, WriteWithT) {
  EXPECT_EQ(OFormat::ISODateTimeToStr(45356.6041782407), u"2024-03-05T14:30:01");
  EXPECT_EQ(OFormat::ISODateTimeToStr(1e20), u"0000-00-00T00:00:00");
  EXPECT_EQ(OFormat::ISOStrToDateTime(u"2024-02-30T00:00:00"), 0);
  EXPECT_EQ(OFormat::ISOTimeToDuration(45356.75), u"PT18H00M00S");  // the time of day only
}

TEST(OFormatDurations, ReadInDays) {
  const std::pair<const char16_t*, double> cases[] = {
      {u"PT12H30M00S", 45000}, {u"PT36H00M00S", 129600},      {u"P1DT6H", 108000},
      {u"-PT6H", -21600},      {u"PT12H30M15.25S", 45015.25}, {u"P0Y0M0DT1H", 3600},
      {u"P1W", 604800}};
  for (auto [text, seconds] : cases)
    EXPECT_NEAR(OFormat::ISODurationToTime(text), seconds / 86400, 1e-12) << Narrow(text);
  // Not a duration, or not one with a length in days: 0.
  for (const char16_t* text :
       {u"P1Y", u"PT", u"", u"12:30", u"PT5X", u"PTH", u"PT1M2H", u"PT1HT2M", u"PT1.2.3S", u"PT12"})
    EXPECT_EQ(OFormat::ISODurationToTime(text), 0) << Narrow(text);
}

TEST(OFormatBooleans, FirstCharacter) {
  for (const char16_t* text : {u"true", u"T", u"1"}) EXPECT_TRUE(OFormat::StrToBool(text));
  for (const char16_t* text : {u"false", u"0", u"", u"yes"}) EXPECT_FALSE(OFormat::StrToBool(text));
}

TEST(OFormatColors, ResolveNoneAndSystemColours) {
  EXPECT_EQ(OFormat::ColorToRGB(0x1FFFFFFF), 0);
  // The platform's window (white) and window-text (black) colours.
  EXPECT_EQ(OFormat::ColorToRGB(static_cast<std::int32_t>(0x80000005)), 0xFFFFFF);
  EXPECT_EQ(OFormat::ColorToRGB(static_cast<std::int32_t>(0x80000008)), 0);
  EXPECT_EQ(OFormat::ColorToHTMLHex(0x00ABCDEF, false), u"EFCDAB");
  EXPECT_EQ(OFormat::ColorToHTMLHex(0x1FFFFFFF, true), u"#000000");
  EXPECT_EQ(OFormat::ColorToHTMLHex(static_cast<std::int32_t>(0x80000005), true), u"#FFFFFF");
}

TEST(OFormatColors, HTMLHexToColor) {
  const std::pair<const char16_t*, std::int32_t> cases[] = {
      {u"0F8", 0x88FF00},  {u"#abc", 0xCCBBAA},       {u"#112233", 0x332211},
      {u"#0G8", 0x880000}, {u"#1G2233", 0x332200},    {u"12345", 0x1FFFFFFF},
      {u"", 0x1FFFFFFF},   {u"#11223344", 0x1FFFFFFF}};
  for (auto [text, color] : cases) EXPECT_EQ(OFormat::HTMLHexToColor(text), color) << Narrow(text);
}

TEST(OFormatEntities, Encode) {
  const std::tuple<const char16_t*, bool, bool, const char16_t*> cases[] = {
      {u" a<b ", true, false, u"&#160;a&lt;b&#160;"},
      {u" a<b ", false, false, u" a&lt;b "},
      {u"a&b\"c'd>e", false, false, u"a&amp;b&quot;c&apos;d&gt;e"},
      {u"x\r\ny", false, true, u"x&#xD;&#xA;y"},
      {u"x\r\ny", true, false, u"x\r\ny"},
      {u"  ", true, false, u"&#160;&#160;"},
      {u"a b", true, false, u"a b"},
      {u"&amp;", false, false, u"&amp;amp;"}};
  for (const auto& [text, nbsp, lineBreaks, encoded] : cases)
    EXPECT_EQ(OFormat::EncodeXMLEntities(text, nbsp, lineBreaks), encoded) << Narrow(text);
}

// A line feed of its own is kept, not dropped.
TEST(OFormatEntities, Decode) {
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"&#xD;&#xA;", u"\r\n"},  {u"&#xd;", u"\r\n"},          {u"a&br;b", u"a\r\nb"},
      {u"a&#xA;b", u"a\nb"},     {u"&amp;lt;", u"&lt;"},       {u"&LT;&Gt;", u"<>"},
      {u"&nbsp;x&sp;", u" x "},  {u"&#160;y&#xA0;", u" y "},   {u"&rt;", u">"},
      {u"&apos;&quot;", u"'\""}, {u"&unknown;", u"&unknown;"}, {u"&amp", u"&amp"},
      {u"a&&lt;", u"a&<"}};
  for (auto [text, decoded] : cases)
    EXPECT_EQ(OFormat::DecodeXMLEntities(text), decoded) << Narrow(text);
}

// What an XML parser reads from an attribute holding the encoded text.
std::u16string ParsedAttribute(const std::u16string& encoded) {
  const std::string document = "<a v=\"" + platform::Utf16ToUtf8(encoded) + "\"/>";
  xmlDocPtr doc = xmlReadMemory(document.data(), static_cast<int>(document.size()), nullptr,
                                nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR);
  if (!doc) return u"<not well-formed>";
  xmlChar* value = xmlGetProp(xmlDocGetRootElement(doc), BAD_CAST "v");
  std::u16string result = platform::Utf8ToUtf16(reinterpret_cast<const char*>(value));
  xmlFree(value);
  xmlFreeDoc(doc);
  return result;
}

TEST(OFormatEntities, AnXMLParserReadsTheTextBack) {
  const std::u16string text = u" a<b>&'\"\r\nc\u010D ";
  // Line breaks survive attribute normalisation only as character references; the edge blanks
  // come back as no-break spaces.
  EXPECT_EQ(ParsedAttribute(OFormat::EncodeXMLEntities(text, true, true)),
            u"\u00A0a<b>&'\"\r\nc\u010D\u00A0");
  EXPECT_EQ(ParsedAttribute(OFormat::EncodeXMLEntities(text, false, true)), text);
}

TEST(OFormatReplace, IgnoresLetterCase) {
  EXPECT_EQ(OFormat::ReplaceAllIgnoreCase(u"\u010Caj a \u010CAJ a \u010Daj", u"\u010Daj", u"x"),
            u"x a x a x");
  EXPECT_EQ(OFormat::ReplaceAllIgnoreCase(u"aaa", u"AA", u"b"), u"ba");
  EXPECT_EQ(OFormat::ReplaceAllIgnoreCase(u"abc", u"", u"x"), u"abc");
  EXPECT_EQ(OFormat::ReplaceAllIgnoreCase(u"%SYSDATE% a", u"%sysdate%", u"d.M.yyyy"),
            u"d.M.yyyy a");
}

}  // namespace
