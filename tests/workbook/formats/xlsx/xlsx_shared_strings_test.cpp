#include "workbook/formats/xlsx/xlsx_shared_strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "../../model/model_fixture.h"
#include "platform/text_codec.h"
#include "workbook/core/xml/xml_error.h"
#include "workbook/formats/xlsx/xlsx_theme_colors.h"

namespace workbook {
namespace {

class XLSXSharedStringsTest : public ModelTest {
 protected:
  void Read(const std::string& items, const std::string& prefix = "") {
    const std::string xmlns = prefix.empty() ? "xmlns" : "xmlns:" + prefix.substr(0, 1);
    const std::string xml = "<" + prefix + "sst " + xmlns +
                            "=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">" +
                            items + "</" + prefix + "sst>";
    Scan(xml, xml.size());
  }
  // Feeds the part to the store chunk bytes at a time, as the inflater would.
  void Scan(const std::string& xml, std::size_t chunk, TXLSXSharedStrings_Import& into) {
    into.Begin(*book, {}, static_cast<std::int64_t>(xml.size()));
    for (std::size_t at = 0; at < xml.size(); at += chunk)
      into.Scanner().Write(xml.data() + at, std::min(chunk, xml.size() - at));
    into.Finish();
  }
  void Scan(const std::string& xml, std::size_t chunk) { Scan(xml, chunk, store); }
  void SetUp() override {
    ModelTest::SetUp();
    book = std::make_unique<TWorkbook>();
    book->ShowProgress = false;
  }
  // The table reads into its workbook while items are parsed: it outlives the table.
  std::unique_ptr<TWorkbook> book;
  TXLSXSharedStrings_Import store;
};

// Texts are made in the workbook's blocks when they fit there: cells sharing them keep them after
// the table and then the workbook are gone, long texts and texts with runs among them.
TEST_F(XLSXSharedStringsTest, TextsOutliveTableAndWorkbook) {
  const std::string fits(118, 'f');     // the largest text the blocks take
  const std::string tooLong(119, 'l');  // one character more: on the heap
  const std::string huge(70000, 'h');
  const struct {
    std::string item;
    std::u16string text;
    bool runs;
  } cases[] = {
      {"<si><t>a</t></si>", u"a", false},
      {"<si><t>" + fits + "</t></si>", std::u16string(118, u'f'), false},
      {"<si><t>" + tooLong + "</t></si>", std::u16string(119, u'l'), false},
      {"<si><t>" + huge + "</t></si>", std::u16string(70000, u'h'), false},
      {"<si><r><rPr><b/></rPr><t>bold</t></r><r><t xml:space=\"preserve\"> plain</t></r></si>",
       u"bold plain", true},
      {"<si><t>x_x000D_\ny</t><!----></si>", u"x\r\ny", false},
  };
  std::string items;
  for (const auto& c : cases) items += c.item;
  const std::string xml =
      "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">" + items +
      "</sst>";
  std::vector<TPackedText> cells;
  {
    TXLSXSharedStrings_Import table;
    Scan(xml, 7, table);
    ASSERT_EQ(table.Count(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      EXPECT_EQ(table.GetRuns(i) != nullptr, cases[i].runs) << i;
      // Many cells share each entry.
      for (int copy = 0; copy < 3; ++copy) cells.push_back(table.GetString(i));
    }
  }
  for (std::size_t i = 0; i < cells.size(); ++i)
    EXPECT_EQ(cells[i].ToString(), cases[i / 3].text) << i;
  book.reset();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    EXPECT_EQ(cells[i].ToString(), cases[i / 3].text) << i;
    EXPECT_TRUE(cells[i].Shared()) << i;
  }
  // The last holders let go of the texts, and of the blocks they lived in.
  cells.clear();
}

// The table's texts, the text of an index past its end included.
TEST_F(XLSXSharedStringsTest, ItemsAndTheirTexts) {
  const struct {
    std::string items;
    std::vector<std::u16string> texts;
    std::string prefix = "";
  } cases[] = {
      // Every item counts, also empty ones.
      {"<si><t>a</t></si><si/><si><t/></si><si><t xml:space=\"preserve\"> b </t></si>",
       {u"a", u"", u"", u" b ", u""}},
      {"<x:si><x:t>p</x:t></x:si><x:si/><x:si><x:r><x:t>q</x:t></x:r></x:si>",
       {u"p", u"", u"q", u""},
       "x:"},
      // Elements of other namespaces are no items; phonetic runs add nothing.
      {"<si><t>a</t></si><o:si xmlns:o=\"urn:other\"><o:t>b</o:t></o:si>"
       "<si><t>c</t><o:t xmlns:o=\"urn:other\">d</o:t></si>",
       {u"a", u"c", u""}},
      {"<si><t>\xE6\x9D\xB1\xE4\xBA\xAC</t><rPh sb=\"0\" eb=\"2\"><t>toukyou</t></rPh>"
       "<phoneticPr fontId=\"1\"/></si><si><r><t>a</t></r><rPh><t>x</t></rPh><r><t>b</t></r></si>",
       {u"\u6771\u4EAC", u"ab", u""}},
      // Line breaks become CR LF and the CR escape goes, at the very end of a text too; a cut
      // escape is text.
      {"<si><t>a_x000D_\nb</t></si><si><t>c_X000d_\nd\ne</t></si><si><t>f&#13;&#10;g</t></si>"
       "<si><t>last_x000D_</t></si><si><t>_x000D_</t></si><si><t>short_x000D</t></si>",
       {u"a\r\nb", u"c\r\nd\r\ne", u"f\r\ng", u"last", u"", u"short_x000D", u""}},
  };
  for (const auto& c : cases) {
    Read(c.items, c.prefix);
    ASSERT_EQ(store.Count(), c.texts.size() - 1) << c.items;
    for (std::size_t i = 0; i < c.texts.size(); ++i)
      EXPECT_EQ(store.GetString(i).ToString(), c.texts[i]) << c.items;
  }
}

TEST_F(XLSXSharedStringsTest, EscapesAreDecodedAndRunsStayOnTheirText) {
  // Excel writes the literal text _x000D_ with its underscore escaped.
  Read(
      "<si><t>_x005F_x000D_ kept, _x0007_ bell</t></si>"
      "<si><r><t>a_x005F_b\n</t></r><r><rPr><b/></rPr><t>c</t></r></si>");
  EXPECT_EQ(store.GetString(0).ToString(), u"_x000D_ kept, \u0007 bell");
  EXPECT_EQ(store.GetString(1).ToString(), u"a_b\r\nc");
  const TXLSXRichTextRuns* runs = store.GetRuns(1);
  ASSERT_NE(runs, nullptr);
  ASSERT_EQ(runs->size(), 1u);
  EXPECT_EQ((*runs)[0].Position, 6);
}

TEST_F(XLSXSharedStringsTest, RichTextRunsStartWhereAFormattedRunBegins) {
  Read(
      "<si><r><t>ab</t></r><r><rPr><b/><sz val=\"12\"/><rFont val=\"Arial\"/></rPr>"
      "<t>cd</t></r><r><t>e</t></r></si><si><r><rPr><i/></rPr><t>x</t></r></si>"
      "<si><t>plain</t></si>");
  EXPECT_EQ(store.GetString(0).ToString(), u"abcde");
  const TXLSXRichTextRuns* runs = store.GetRuns(0);
  ASSERT_NE(runs, nullptr);
  ASSERT_EQ(runs->size(), 2u);  // the first run has no rPr: no run of its own
  EXPECT_EQ((*runs)[0].Position, 3);
  EXPECT_EQ((*runs)[0].Font.GetName(), u"Arial");
  EXPECT_EQ((*runs)[0].Font.GetSize(), 12);
  EXPECT_EQ((*runs)[0].Font.GetStyle().Bold, 1);
  EXPECT_EQ((*runs)[1].Position, 5);
  ASSERT_NE(store.GetRuns(1), nullptr);
  EXPECT_EQ((*store.GetRuns(1))[0].Position, 1);
  EXPECT_EQ(store.GetRuns(2), nullptr);
}

// Items are told by their bounds alone, whatever the bytes around them hold and however the
// part arrives.
TEST_F(XLSXSharedStringsTest, ItemBoundsHoldAcrossChunksAndMarkup) {
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- <si><t>no</t></si> -->"
      "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" uniqueCount=\"9\">"
      "<si><t><![CDATA[a</si>b]]></t></si><!-- <si> --><?pi <si>?>"
      "<si x=\"a>b\" y=\'\"\'><t>q</t></si>"
      "<extLst><ext><si><t>no</t></si></ext></extLst>"
      "<o:si xmlns:o=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><o:t>p</o:t>"
      "</o:si><f:si xmlns:f=\"urn:other\"><f:t>no</f:t></f:si><si/>"
      "<si><r><t>lo</t></r><r><rPr><b/></rPr><t>ng</t></r></si></sst><!-- after -->";
  for (std::size_t chunk : {std::size_t{1}, std::size_t{3}, xml.size()}) {
    Scan(xml, chunk);
    ASSERT_EQ(store.Count(), 5u) << chunk;
    const std::u16string texts[] = {u"a</si>b", u"q", u"p", u"", u"long"};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(store.GetString(i).ToString(), texts[i]) << chunk;
    ASSERT_NE(store.GetRuns(4), nullptr);
    EXPECT_EQ((*store.GetRuns(4))[0].Position, 3);
  }
}

// Items of one plain t child are read without the XML parser: the same texts as parsed, and
// the same failures for texts XML does not allow.
TEST_F(XLSXSharedStringsTest, PlainItemsReadAsParsedItems) {
  const std::string texts[] = {"plain",
                               "tab\tand\nline",
                               "x_x000D_\ny_x0007_",
                               "\xC4\x8D \xC5\xBE \xE6\x9D\xB1 \xF0\x9F\x98\x80",
                               "a > b, [1] ]] >",
                               "",
                               " spaced "};
  for (const std::string& text : texts) {
    // A comment before the t leaves the item to the parser.
    Read("<si><t>" + text + "</t></si><si><t xml:space=\"preserve\">" + text +
         "</t></si><si><!----><t>" + text + "</t></si>");
    ASSERT_EQ(store.Count(), 3u) << text;
    EXPECT_EQ(store.GetString(0).ToString(), store.GetString(2).ToString()) << text;
    EXPECT_EQ(store.GetString(1).ToString(), store.GetString(2).ToString()) << text;
  }
  for (const char* damaged : {"a]]>b", "\x01", "\xC3\x28", "\xED\xA0\x80", "\xC0\xAF"}) {
    Read(std::string("<si><t>") + damaged + "</t></si>");
    try {
      store.GetString(0);
      ADD_FAILURE() << damaged;
    } catch (const EXmlError& error) {
      EXPECT_EQ(
          error.Message().rfind(u"The shared strings part holds a damaged item (number 1)", 0), 0u)
          << damaged;
    }
  }
}

// Items are kept in blocks freed as their items are parsed: every text stays right whatever the
// order they are asked in, empty, long and parsed items among them.
TEST_F(XLSXSharedStringsTest, ItemsSpreadOverManyBlocks) {
  std::string items;
  std::vector<std::u16string> texts;
  for (int i = 0; i < 12000; ++i) {
    std::string text = "item " + std::to_string(i);
    if (i % 1000 == 7) text = std::string(70000 + i, 'x');
    if (i % 500 == 3) text.clear();
    items += i % 3 == 0 ? "<si><t>" + text + "</t></si>" : "<si><t>" + text + "</t><!----></si>";
    texts.push_back(platform::Utf8ToUtf16(text));
  }
  for (const bool inOrder : {true, false}) {
    Read(items);
    ASSERT_EQ(store.Count(), texts.size());
    for (std::size_t k = 0; k < texts.size(); ++k) {
      // The other order: odd items from the end, then even ones from the start.
      const std::size_t i = inOrder                ? k
                            : k < texts.size() / 2 ? texts.size() - 1 - 2 * k
                                                   : 2 * (k - texts.size() / 2);
      ASSERT_EQ(store.GetString(i).ToString(), texts[i]) << i;
      ASSERT_EQ(store.GetString(i).ToString(), texts[i]) << i;
    }
  }
}

// An item is parsed when asked for: a damaged one fails then, and only then.
TEST_F(XLSXSharedStringsTest, ItemsAreParsedWhenAskedFor) {
  Read("<si><t>a</t></si><si><t>b</u></si><si><t>c</t></si>");
  ASSERT_EQ(store.Count(), 3u);
  EXPECT_EQ(store.GetString(2).ToString(), u"c");
  EXPECT_EQ(store.GetString(0).ToString(), u"a");
  try {
    store.GetString(1);
    ADD_FAILURE() << "parsed";
  } catch (const EXmlError& error) {
    EXPECT_EQ(
        error.Message().rfind(u"The shared strings part holds a damaged item (number 2): ", 0), 0u)
        << platform::Utf16ToUtf8(error.Message());
  }
  // The same text each time, made once.
  EXPECT_EQ(store.GetString(0).Identity(), store.GetString(0).Identity());
}

// The count the root announces and the size the package declares are only believed so far.
TEST_F(XLSXSharedStringsTest, AnnouncedCountTakesNoMoreRoomThanItMayNeed) {
  const std::string xml =
      "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
      "uniqueCount=\"99999999999999999999\"><si><t>a</t></si></sst>";
  TWorkbook book;
  book.ShowProgress = false;
  store.Begin(book, {}, std::int64_t{1} << 50);
  store.Scanner().Write(xml.data(), xml.size());
  store.Finish();
  ASSERT_EQ(store.Count(), 1u);
  EXPECT_EQ(store.GetString(0).ToString(), u"a");
}

TEST_F(XLSXSharedStringsTest, PartsThatAreNoTableFail) {
  const std::pair<std::string, std::u16string> cases[] = {
      {"", u"The shared strings part is empty."},
      {"  \n", u"The shared strings part is empty."},
      {"<sst><si><t>a</t>", u"The shared strings part ends inside an element."},
      {"<sst><si><t a=\"x>", u"The shared strings part ends inside an element."},
      {"<!DOCTYPE sst [<!ENTITY e \"x\">]><sst/>",
       u"The shared strings part holds a document type declaration."},
      {"</x><sst/>", u"The shared strings part closes an element it never opened."},
  };
  for (const auto& [xml, message] : cases) {
    try {
      Scan(xml, xml.size() + 1);
      ADD_FAILURE() << xml;
    } catch (const EXmlError& error) {
      EXPECT_EQ(error.Message(), message) << xml;
    }
  }
}

TEST(XLSXThemeColorsTest, LightAndDarkSwapAndGetTheirSpreadsheetNames) {
  TXmlDocument theme;
  theme.LoadFromString(
      "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\">"
      "<a:themeElements><a:clrScheme name=\"x\">"
      "<a:dk1><a:sysClr val=\"windowText\" lastClr=\"000000\"/></a:dk1>"
      "<a:lt1><a:sysClr val=\"window\" lastClr=\"FFFFFF\"/></a:lt1>"
      "<a:dk2><a:srgbClr val=\"1F497D\"/></a:dk2>"
      "<a:lt2><a:srgbClr val=\"EEECE1\"/></a:lt2>"
      "<a:accent1><a:srgbClr val=\"4F81BD\"/></a:accent1>"
      "<a:accent2><a:prstClr val=\"red\"/></a:accent2>"
      "</a:clrScheme></a:themeElements></a:theme>");
  TExporterXLSX_ThemeColors colors;
  colors.ReadXLSX(theme);
  ASSERT_EQ(colors.GetCount(), 6);
  const char16_t* names[] = {u"bg1", u"tx1", u"bg2", u"tx2", u"accent1", u"accent2"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(colors.GetItem(i).Name, names[i]);
  EXPECT_EQ(colors.GetColor(0), RGBToColor(0xFF, 0xFF, 0xFF));
  EXPECT_EQ(colors.GetColor(3), RGBToColor(0x1F, 0x49, 0x7D));
  EXPECT_EQ(colors.GetColor(5), clNone);
  TColor found = 0;
  EXPECT_TRUE(colors.FindByName(u"accent1", found));
  EXPECT_EQ(found, RGBToColor(0x4F, 0x81, 0xBD));
  EXPECT_FALSE(colors.FindByName(u"dk1", found));
}

}  // namespace
}  // namespace workbook
