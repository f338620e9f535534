#include "workbook/core/xml/xml_scanning_parser.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "workbook/core/xml/xml_error.h"

namespace workbook {
namespace {

// Every event as text, namespaces and attribute prefixes included.
class TLog : public IXmlSaxHandler {
 public:
  void StartElement(std::string_view localName, std::string_view namespaceURI,
                    const TXmlSaxAttributes& attributes) override {
    log += "<" + std::string(localName) + "{" + std::string(namespaceURI) + "}";
    for (int i = 0; i < attributes.Count(); ++i)
      log += " " + std::string(attributes.Prefix(i)) + ":" + std::string(attributes.LocalName(i)) +
             "{" + std::string(attributes.NamespaceURI(i)) +
             "}=" + std::string(attributes.Value(i));
    // An unprefixed lookup finds no namespaced attribute.
    if (std::string_view b; attributes.Find("b", b)) log += " found b=" + std::string(b);
    log += ">";
    if (localName == "boom") throw std::runtime_error("handler failed");
  }
  void EndElement(std::string_view localName, std::string_view) override {
    log += "</" + std::string(localName) + ">";
  }
  void Characters(std::string_view text) override { log += "[" + std::string(text) + "]"; }

  std::string log;
};

bool IsMain(std::string_view uri) { return uri == "urn:m"; }

// The log, or "error" when the parser refused the document.
template <class TParser, class... TArgs>
std::string Outcome(const std::string& xml, std::size_t chunk, bool* scanned, TArgs... args) {
  TLog log;
  TParser parser(log, args...);
  try {
    for (std::size_t at = 0; at < xml.size(); at += chunk)
      parser.Write(xml.data() + at, std::min(chunk, xml.size() - at));
    parser.Finish();
  } catch (const EXmlError&) {
    return "error";
  }
  if constexpr (std::is_same_v<TParser, TXmlScanningParser>) *scanned = parser.Scanned();
  // Text may arrive in other pieces: only its joined form counts.
  std::string joined;
  for (std::size_t i = 0; i < log.log.size(); ++i) {
    if (log.log.compare(i, 2, "][") == 0) {
      ++i;
      continue;
    }
    joined += log.log[i];
  }
  return joined;
}

std::string Document(const std::string& content) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<w xmlns=\"urn:m\" xmlns:p=\"urn:p\">"
         "<!-- <d> in a comment --><cols a=\"&lt;d>\"/><d attr=\"1\">" +
         content + "</d><after b=\"&amp;\"/></w>";
}

// The reference parser's own events, whatever pieces the bytes arrive in.
TEST(XmlPushParserTest, EventsOfTheReferenceParser) {
  const std::string xml =
      "<r xmlns=\"urn:m\" xmlns:p=\"urn:p\"><c a=\"1 &amp; 2\" p:b=\"x\">t&lt;<![CDATA[<raw>]]>"
      "\xC5\xBE</c><e b=\"y\"/></r>";
  bool unused = false;
  for (std::size_t chunk : {std::size_t{1}, std::size_t{3}, xml.size()})
    EXPECT_EQ(Outcome<TXmlPushParser>(xml, chunk, &unused),
              "<r{urn:m}><c{urn:m} :a{}=1 & 2 p:b{urn:p}=x>[t<<raw>\xC5\xBE]</c>"
              "<e{urn:m} :b{}=y found b=y></e></r>")
        << chunk;
  // External document types are refused; a handler's failure stops the parse.
  EXPECT_EQ(Outcome<TXmlPushParser>("<!DOCTYPE r SYSTEM \"file:///etc/passwd\"><r/>", 64, &unused),
            "error");
  EXPECT_THROW(Outcome<TXmlPushParser>("<r><boom/></r>", 64, &unused), std::runtime_error);
}

struct TCase {
  const char* name;
  std::string xml;
  bool wellFormed;
};

class XmlScanningParserTest : public ::testing::TestWithParam<TCase> {};

TEST_P(XmlScanningParserTest, ReadsWhatLibxml2ReadsAndRefusesWhatItRefuses) {
  const TCase& c = GetParam();
  const bool big = c.xml.size() > 100000;
  for (std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{4096}, std::size_t{4099},
                            std::size_t{70001}, c.xml.size()}) {
    if (big && chunk < 4096) continue;
    bool scanned = false;
    bool unused = false;
    const std::string expected = Outcome<TXmlPushParser>(c.xml, chunk, &unused);
    EXPECT_EQ(expected == "error", !c.wellFormed) << "libxml2 itself, chunk " << chunk;
    EXPECT_EQ(Outcome<TXmlScanningParser>(c.xml, chunk, &scanned, "d", IsMain, 2), expected)
        << "chunk " << chunk;
    if (c.wellFormed) {
      EXPECT_TRUE(scanned) << "chunk " << chunk;
    }
  }
}

// Cells enough to span many chunks, with tokens of every length ending across their bounds.
std::string ManyCells() {
  std::string xml;
  for (int i = 0; i < 3000; ++i) {
    const std::string n = std::to_string(i);
    xml += "<row r=\"" + n + "\"><c r='A" + n + "' t=\"s\"><v>" + n + "</v></c><c r=\"B" + n +
           "\" s=\"&#49;\"><v>" + n + ".5&#x35;</v></c><c/>" + "<c a=\"" +
           std::string(static_cast<std::size_t>(i % 7 == 0 ? 5000 + i : i % 50), 'a') + "\"><!--" +
           std::string(static_cast<std::size_t>(i % 11 == 0 ? 4500 : 3), 'c') + "x--><v>\xC5\xBE" +
           std::string(static_cast<std::size_t>(i % 13 == 0 ? 6000 : 1), 't') + "</v></c></row>";
  }
  return xml;
}

std::string Nested(int depth) {
  std::string xml;
  for (int i = 0; i < depth; ++i) xml += "<n>";
  for (int i = 0; i < depth; ++i) xml += "</n>";
  return xml;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XmlScanningParserTest,
    ::testing::Values(
        TCase{"Cells",
              Document("<row r=\"1\" spans=\"1:2\"><c r=\"A1\" t=\"s\"><v>1</v></c>"
                       "<c r=\"B1\"><f>SUM(A1:A2)</f><v>2.5</v></c></row><row r=\"2\"/>"),
              true},
        TCase{"References",
              Document("<c a=\"x &amp; &lt;&#65;&#x42;&quot;&apos;&gt;\">t&amp;&#10;&#13;&gt;</c>"),
              true},
        TCase{"LineEnds", Document("<c a=\"a\r\nb\tc\nd\re\">x\r\ny\rz\n</c>"), true},
        TCase{"CData", Document("<c><![CDATA[a<b&c\r\nd]]]></c>"), true},
        TCase{"CommentsAndInstructions", Document("<!-- a - b --><?pi some data?><?pi?><c/>"),
              true},
        TCase{"Namespaces",
              Document("<p:c p:a=\"1\" b=\"2\"/><c xmlns=\"urn:o\"><v/></c>"
                       "<q:c xmlns:q=\"urn:m\" xml:space=\"preserve\"><q:v/></q:c><c xmlns=\"\"/>"),
              true},
        TCase{"DefaultNamespacesComeAndGo",
              Document("<x xmlns=\"urn:a\"><v/></x><x xmlns=\"urn:b\"><v/></x><c/>"
                       "<c xmlns=\"urn:a\"/><c xmlns=\"urn:b\"/><c/>"),
              true},
        // A prefix found once is found again only while its binding stands.
        TCase{
            "PrefixesReboundAndRestored",
            Document("<p:c p:a=\"0\"/><p:c xmlns:p=\"urn:q\" p:a=\"1\"><p:v/></p:c><p:c p:a=\"2\"/>"
                     "<p:e xmlns:p=\"urn:s\" p:a=\"3\"/><p:c/><x xmlns:p=\"urn:r\"><x><p:v/></x>"
                     "<p:v xmlns:p=\"urn:t\"/><p:v/></x><p:c p:a=\"4\"/>"),
            true},
        TCase{"Utf8",
              Document("<\xC4\x8D \xC5\xBE=\"\xF0\x9F\x98\x80\">\xC5\xBE\xE2\x82\xAC</\xC4\x8D>"),
              true},
        TCase{"BlanksInTags", Document("<c   r = '1' \t/><v\n></v >"), true},
        TCase{"QuotesInsideOtherQuotes",
              Document("<c a='say \"hi\"' b=\"it's\" c='' d=\"&#x9;\x7F\xC5\xBE&#38;\"/>"), true},
        TCase{"EndTagsSharingAPrefix",
              Document("<c><cc>1</cc><c/></c><p:c><p:cd/></p:c><c\xC4\x8D>2</c\xC4\x8D>"), true},
        TCase{"EndTagLongerThanItsStart", Document("<row><c></cd></row>"), false},
        TCase{"EndTagShorterThanItsStart", Document("<row><cd></c></row>"), false},
        TCase{"EndTagOfAnotherPrefix", Document("<p:c></c>"), false},
        TCase{"NonAsciiAfterAsciiInAName", Document("<ab\xC4\x8D a\xC5\xBE=\"1\"/>"), true},
        TCase{"AttributeNameTooLong", Document("<c " + std::string(60000, 'a') + "=\"1\"/>"),
              false},
        TCase{"LargeAttribute", Document("<c a=\"" + std::string(9000000, 'a') + "\"/>"), true},
        TCase{"MismatchedTags", Document("<row><c></row></c>"), false},
        TCase{"UnclosedElement", Document("<row><c>"), false},
        TCase{"UnknownEntity", Document("<c>&foo;</c>"), false},
        TCase{"EntityWithoutSemicolon", Document("<c>&amp</c>"), false},
        TCase{"SurrogateReference", Document("<c>&#xD800;</c>"), false},
        TCase{"Doctype", Document("<!DOCTYPE x [<!ENTITY e \"boom\">]><c>&e;</c>"), false},
        TCase{"CDataEndInText", Document("<c>a]]>b</c>"), false},
        TCase{"LessThanInAttribute", Document("<c a=\"<\"/>"), false},
        TCase{"RepeatedAttribute", Document("<c a=\"1\" a=\"2\"/>"), false},
        TCase{"RepeatedNamespacedAttribute",
              Document("<c xmlns:x=\"urn:a\" xmlns:y=\"urn:a\" x:a=\"1\" y:a=\"2\"/>"), false},
        TCase{"UndeclaredElementPrefix", Document("<z:c/>"), false},
        TCase{"UndeclaredAttributePrefix", Document("<c z:a=\"1\"/>"), false},
        TCase{"XmlPrefixRebound", Document("<c xmlns:xml=\"urn:x\"/>"), false},
        TCase{"InvalidUtf8", Document("<c>\xC3\x28</c>"), false},
        TCase{"OverlongUtf8", Document("<c>\xC0\xAF</c>"), false},
        TCase{"ControlCharacter", Document("<c>\x01</c>"), false},
        TCase{"AttributesRunTogether", Document("<c a=\"1\"b=\"2\"/>"), false},
        TCase{"DoubleHyphenInComment", Document("<!-- a -- b -->"), false},
        TCase{"TwoColons", Document("<p:c:d/>"), false},
        TCase{"TruncatedTag", "<w xmlns=\"urn:m\"><d><row r=\"1", false},
        TCase{"NestedVeryDeeply", Document(Nested(100000)), true},
        TCase{"ManyCellsAcrossChunks", Document(ManyCells()), true},
        TCase{"DamageAfterManyCells", Document(ManyCells() + "<c a=\"1\" a=\"2\"/>"), false},
        TCase{"NameTooLong", Document("<" + std::string(60000, 'n') + "/>"), false},
        TCase{"AttributeTooLarge", Document("<c a=\"" + std::string(10000001, 'a') + "\"/>"),
              false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace workbook
