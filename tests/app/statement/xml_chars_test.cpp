#include "app/statement/xml_chars.h"

#include <gtest/gtest.h>

#include "app/statement/errors.h"
#include "statement_fixture.h"

using namespace app;
using namespace app::test;

TEST(XmlChars, CellTextsKeepUnfitCharactersVisibleToTheChecks) {
  struct Case {
    const char* title;
    std::u16string cell;
    std::string expected;
  } cases[] = {
      {"C0 control kept", u"F\u0001", "F\x01"},
      {"TAB LF CR kept", u"a\tb\nc\r", "a\tb\nc\r"},
      {"U+FFFE", u"1\uFFFE", "1\x1A"},
      {"U+FFFF", u"\uFFFF", "\x1A"},
      {"lone high surrogate at the end", std::u16string(u"a") + char16_t(0xD800), "a\x1A"},
      {"high surrogate before a letter", std::u16string{char16_t(0xDBFF), u'b'},
       "\x1A"
       "b"},
      {"lone low surrogate", std::u16string{char16_t(0xDC00), u'c'},
       "\x1A"
       "c"},
      {"a pair is one character the code page lacks", u"\U0001F600x", "?x"},
      {"a letter the code page lacks", u"\u4E2D", "?"},
      {"a letter it has", u"\u010D", "\xE8"},
  };
  for (const Case& c : cases) EXPECT_EQ(CellTextToCp1250(c.cell), c.expected) << c.title;
}

TEST(XmlChars, LinesWithAControlCharacterAreRefusedByLineNumber) {
  EXPECT_NO_THROW(RequireXmlLines({"<a>", "  <b x=\"\t\"/>", "</a>", "\x7F\x81\xFF"}));
  EXPECT_EQ(test_support::Thrown<EAppException>([] {
              RequireXmlLines({"<a>", "  <b x=\"1\x1A\"/>"});
            }),
            "Súbor XML nebol uložený: riadok č.2 obsahuje riadiaci znak, ktorý XML nepripúšťa");
}
