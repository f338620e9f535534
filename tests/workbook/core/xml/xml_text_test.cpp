#include "workbook/core/xml/xml_text.h"

#include <gtest/gtest.h>

using namespace workbook;

namespace {

const char16_t kHigh = 0xD800;
const char16_t kLow = 0xDC00;
const std::string kFFFD = "\xEF\xBF\xBD";

// Every writer, escaping or not, must turn a lone surrogate into U+FFFD and drop what XML 1.0
// cannot carry: they once disagreed (a lone surrogate vanished from parts built as text).
TEST(XmlText, CharactersXmlCannotCarryInEveryEscaping) {
  struct Case {
    const char* name;
    std::u16string text;
    std::string none, text_ = "", attribute = "";  // empty: as with no escaping
  } cases[] = {
      {"lone high at the end", std::u16string(u"a") + kHigh, "a" + kFFFD},
      {"lone low first", std::u16string{kLow, u'b'}, kFFFD + "b"},
      {"pair in reverse order", std::u16string{kLow, kHigh}, kFFFD + kFFFD},
      {"whole pair", u"\U0001F600", "\xF0\x9F\x98\x80"},
      {"controls and non-characters", std::u16string(u"a\x01\x1F\xFFFE\xFFFF") + u"b", "ab"},
      {"markup", u"<a & \"b\">", "<a & \"b\">", "&lt;a &amp; &quot;b&quot;&gt;",
       "&lt;a &amp; &quot;b&quot;&gt;"},
      // A bare CR would read as LF, in text as in attributes.
      {"blanks and breaks", u"\t\r\n", "\t\r\n", "\t&#13;\n", "&#9;&#13;&#10;"},
      {"letters between plain runs", u"ab\u010Dcd", "ab\xC4\x8D" + std::string("cd")},
  };
  for (const auto& c : cases) {
    std::string none;
    AppendXmlText(none, c.text, TXmlEscaping::None);
    EXPECT_EQ(none, c.none) << c.name;
    EXPECT_EQ(XmlText(c.text), c.text_.empty() ? c.none : c.text_) << c.name;
    EXPECT_EQ(XmlText(c.text, TXmlEscaping::Attribute), c.attribute.empty() ? c.none : c.attribute)
        << c.name;
  }
}

TEST(XmlText, Utf8TextLosesOnlyWhatXmlCannotCarry) {
  std::string out;
  AppendXmlText(out, "a\x01\tb\xEF\xBF\xBE\xEF\xBF\xBF\xEF\xBF\xBD<");
  EXPECT_EQ(out, "a\tb\xEF\xBF\xBD<");
}

}  // namespace
