// One rich string read in each of its text forms, from a tree and from a streaming parse alike.
#include "workbook/formats/xlsx/xlsx_rich_string.h"

#include <gtest/gtest.h>

#include "../xml_test_support.h"
#include "workbook/core/xml/xml_push_parser.h"

namespace workbook {
namespace {

// Hands the events inside the root element to a rich-string reader.
class TRelay final : public IXmlSaxHandler {
 public:
  explicit TRelay(TXLSXRichStringReader& reader) : reader_(reader) {}
  void StartElement(std::string_view localName, std::string_view namespaceURI,
                    const TXmlSaxAttributes& attributes) override {
    if (depth_++ == 0)
      reader_.Begin();
    else
      reader_.StartElement(localName, namespaceURI, attributes);
  }
  void EndElement(std::string_view, std::string_view) override {
    if (--depth_ > 0) reader_.EndElement();
  }
  void Characters(std::string_view text) override {
    if (depth_ > 1) reader_.Characters(text);
  }

 private:
  TXLSXRichStringReader& reader_;
  int depth_ = 0;
};

TEST(XLSXRichStringTest, EachFormKeepsItsLineBreaksAndRunsMoveWithThem) {
  // An escaped CR before a line feed, a lone CR, a literal escape; runs after each.
  const std::string element =
      "<si xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
      "<r><t>a_x000D_\nb</t></r><r><rPr><b/></rPr><t>c&#13;d</t></r><r><rPr><i/></rPr>"
      "<t>_x005F_x000D_e</t></r></si>";
  const struct {
    TXLSXTextForm form;
    std::u16string text;
    std::vector<int> positions;
  } cases[] = {
      {TXLSXTextForm::SharedString, u"a\r\nbc\r\nd_x000D_e", {5, 9}},
      {TXLSXTextForm::CellString, u"a\nbc\nd_x000D_e", {4, 7}},
      {TXLSXTextForm::Comment, u"a\r\nbc\rd_x000D_e", {5, 8}},
  };
  for (const auto& c : cases) {
    test::XmlScratch tree("x");
    tree.Load(element);
    std::u16string text;
    TXLSXRichTextRuns runs;
    ReadXLSXRichString(tree.Root(), {}, c.form, text, runs);

    TXLSXRichStringReader reader({});
    TRelay relay(reader);
    TXmlPushParser parser(relay);
    parser.Write(element.data(), element.size());
    parser.Finish();
    std::u16string streamed;
    TXLSXRichTextRuns streamedRuns;
    reader.Finish(c.form, streamed, streamedRuns);

    for (const auto& [got, gotRuns] : {std::pair{text, runs}, std::pair{streamed, streamedRuns}}) {
      EXPECT_EQ(got, c.text) << static_cast<int>(c.form);
      std::vector<int> positions;
      for (const TXLSXRichTextRun& run : gotRuns) positions.push_back(run.Position);
      EXPECT_EQ(positions, c.positions) << static_cast<int>(c.form);
    }
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].Font.GetStyle().Bold, 1);
    EXPECT_EQ(runs[1].Font.GetStyle().Italic, 1);
  }
}

}  // namespace
}  // namespace workbook
