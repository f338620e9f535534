#include "workbook/core/xml/xml_reader.h"

#include <gtest/gtest.h>

#include "support/thrown.h"
#include "workbook/core/xml/xml_error.h"

using namespace workbook;

namespace {

constexpr std::string_view kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr std::string_view kRel =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

const std::string kSheet =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<sheetData>"
    "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" s=\"3\"><v>1.5</v></c></row>"
    "<row r=\"3\" spans=\"1:2\"/>"
    "<row r=\"4\"><c r=\"A4\" t=\"inlineStr\"><is><t xml:space=\"preserve\">a &amp; b&#10;"
    "<![CDATA[<c>]]></t></is></c></row>"
    "</sheetData>"
    "<hyperlinks><hyperlink ref=\"A1\" r:id=\"rId1\" id=\"plain\"/></hyperlinks>"
    "</worksheet>";

// The same worksheet as another tool writes it: every element under an explicit prefix.
const std::string kPrefixedSheet =
    "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<x:sheetData><x:row r=\"1\"><x:c r=\"A1\"><x:v>7</x:v></x:c></x:row></x:sheetData>"
    "</x:worksheet>";

// Hands out a few bytes at a time, so tokens straddle the parser's reads.
class TTrickleStream : public TStream {
 public:
  explicit TTrickleStream(std::string text) : text_(std::move(text)) {}
  std::size_t Read(void* buffer, std::size_t count) override {
    std::size_t n = std::min({count, std::size_t{5}, text_.size() - position_});
    text_.copy(static_cast<char*>(buffer), n, position_);
    position_ += n;
    return n;
  }
  std::size_t Write(const void*, std::size_t) override { return 0; }
  std::int64_t Seek(std::int64_t, TSeekOrigin) override {
    return static_cast<std::int64_t>(position_);
  }

 private:
  std::string text_;
  std::size_t position_ = 0;
};

class TFailingStream : public TStream {
 public:
  std::size_t Read(void*, std::size_t) override { throw EWorkbookException(u"disk gone"); }
  std::size_t Write(const void*, std::size_t) override { return 0; }
  std::int64_t Seek(std::int64_t, TSeekOrigin) override { return 0; }
};

// Cell references and values of every row, read one row at a time as a small tree.
std::string ReadRows(TXmlReader& reader) {
  std::string out;
  EXPECT_TRUE(reader.ReadToPath("/worksheet/sheetData"));
  int depth = reader.Depth();
  while (reader.NextChildElement(depth)) {
    EXPECT_TRUE(reader.Is("row"));
    out += "row " + std::string(reader.Attr("r")) + (reader.IsEmptyElement() ? " empty" : "") + ":";
    TXmlNode row = reader.Expand();
    for (TXmlNode c : row.Elements("c")) {
      TXmlNode inlineText = c.FindPath("is/t");
      out += " " + std::string(c.Attr("r")) + "=" +
             std::string(inlineText ? inlineText.Text() : c.Child("v").Text());
    }
    out += "\n";
  }
  return out;
}

}  // namespace

TEST(XmlReader, WalksRowsAsSmallTreesFromMemoryOrAStreamInSmallPieces) {
  TTrickleStream stream(kSheet);
  TXmlReader fromStream(stream);
  EXPECT_EQ(ReadRows(fromStream), "row 1: A1=0 B1=1.5\nrow 3 empty:\nrow 4: A4=a & b\n<c>\n");
  TXmlReader reader(kSheet.data(), kSheet.size());
  EXPECT_EQ(ReadRows(reader), "row 1: A1=0 B1=1.5\nrow 3 empty:\nrow 4: A4=a & b\n<c>\n");
  // After sheetData the walk goes on with the root's remaining children.
  EXPECT_TRUE(reader.NextChildElement(0));
  EXPECT_TRUE(reader.Is("hyperlinks"));
  EXPECT_TRUE(reader.NextChildElement(1));
  EXPECT_EQ(reader.Attr("r:id"), "rId1");
  EXPECT_EQ(reader.FindAttrNS("id", kRel), "rId1");
  EXPECT_EQ(reader.Attr("id"), "plain");
  EXPECT_FALSE(reader.NextChildElement(1));
  EXPECT_FALSE(reader.NextChildElement(0));
}

TEST(XmlReader, PrefixedElementsMatchByLocalNameOrAsWritten) {
  TXmlReader reader(kPrefixedSheet.data(), kPrefixedSheet.size());
  EXPECT_EQ(ReadRows(reader), "row 1: A1=7\n");
  TXmlReader again(kPrefixedSheet.data(), kPrefixedSheet.size());
  EXPECT_TRUE(again.ReadToPath("x:worksheet/x:sheetData/x:row"));
  EXPECT_EQ(again.NamespaceURI(), kMain);
  TXmlReader wrongPrefix(kPrefixedSheet.data(), kPrefixedSheet.size());
  EXPECT_FALSE(wrongPrefix.ReadToPath("y:worksheet"));
}

TEST(XmlReader, StreamFailureIsAnXmlError) {
  TFailingStream stream;
  EXPECT_EQ(test_support::Thrown<EXmlError>([&] {
              TXmlReader reader(stream);
              while (reader.Read()) {
              }
            }),
            "disk gone");
}

TEST(XmlReader, ElementLargerThanAParserChunk) {
  std::string text;
  for (int i = 0; text.size() < 300000; ++i) text += std::to_string(i) + ",";
  std::string attributes;
  for (int i = 0; i < 3000; ++i)
    attributes += " a" + std::to_string(i) + "=\"" + std::to_string(i * i) + "\"";
  std::string xml = "<r><big" + attributes + "><t>" + text + "</t></big><after/></r>";
  TXmlReader reader(xml.data(), xml.size());
  ASSERT_TRUE(reader.ReadToPath("r/big"));
  EXPECT_EQ(reader.Attr("a2999"), std::to_string(2999 * 2999));
  TXmlNode big = reader.Expand();
  EXPECT_EQ(big.Child("t").Text(), text);
  EXPECT_EQ(big.Attributes().size(), 3000u);
  ASSERT_TRUE(reader.NextChildElement(0));
  EXPECT_TRUE(reader.Is("after"));
  EXPECT_TRUE(reader.IsEmptyElement());
}

TEST(XmlReader, MalformedRaisesWithPositionAndPrintsNothing) {
  const std::pair<std::string, const char*> cases[] = {
      {"<a>\n<b></a>",
       "XML error at line 2, column 8: Opening and ending tag mismatch: b line 2 and a."},
      {"", "XML error"},
      {"<a>&nbsp;</a>", "Entity 'nbsp' not defined"},
      {"<a>\xC3\x28</a>", "UTF-8"}};
  for (const auto& [xml, messagePart] : cases) {
    testing::internal::CaptureStderr();
    std::string message;
    try {
      TXmlReader reader(xml.data(), xml.size());
      while (reader.Read()) {
      }
    } catch (const EXmlError& e) {
      message = e.what();
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_NE(message.find(messagePart), std::string::npos) << message;
  }
}
