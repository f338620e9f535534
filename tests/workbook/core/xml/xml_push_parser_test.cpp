#include "workbook/core/xml/xml_push_parser.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "workbook/core/xml/xml_error.h"

namespace workbook {
namespace {

// Writes every event as one line: "<name a=v>", "</name>", "text".
class TRecorder : public IXmlSaxHandler {
 public:
  void StartElement(std::string_view localName, std::string_view namespaceURI,
                    const TXmlSaxAttributes& attributes) override {
    log += "<" + std::string(localName);
    if (!namespaceURI.empty()) log += "{" + std::string(namespaceURI) + "}";
    for (int i = 0; i < attributes.Count(); ++i)
      log += " " + std::string(attributes.LocalName(i)) + "=" + std::string(attributes.Value(i));
    log += ">";
    if (localName == "boom") throw std::runtime_error("handler failed");
  }
  void EndElement(std::string_view localName, std::string_view) override {
    log += "</" + std::string(localName) + ">";
  }
  void Characters(std::string_view text) override { log += text; }

  std::string log;
};

std::string Parse(const std::string& xml, std::size_t chunk) {
  TRecorder recorder;
  TXmlPushParser parser(recorder);
  for (std::size_t at = 0; at < xml.size(); at += chunk)
    parser.Write(xml.data() + at, std::min(chunk, xml.size() - at));
  parser.Finish();
  return recorder.log;
}

TEST(XmlPushParserTest, EventsDoNotDependOnHowTheBytesArrive) {
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><r xmlns=\"urn:m\" xmlns:p=\"urn:p\">"
      "<c a=\"1 &amp; 2\" p:b=\"x\">t&lt;<![CDATA[<raw>]]>\xC5\xBE</c><e/></r>";
  const std::string expected =
      "<r{urn:m}><c{urn:m} a=1 & 2 b=x>t<<raw>\xC5\xBE</c><e{urn:m}></e></r>";
  for (std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{7}, xml.size()})
    EXPECT_EQ(Parse(xml, chunk), expected) << chunk;
}

TEST(XmlPushParserTest, UnprefixedLookupSkipsNamespacedAttributes) {
  struct TFinder : IXmlSaxHandler {
    void StartElement(std::string_view, std::string_view,
                      const TXmlSaxAttributes& attributes) override {
      found = attributes.Find("id", value);
    }
    void EndElement(std::string_view, std::string_view) override {}
    void Characters(std::string_view) override {}
    bool found = false;
    std::string_view value;
  } finder;
  TXmlPushParser parser(finder);
  const std::string xml = "<s xmlns:r=\"urn:r\" r:id=\"rel\"/>";
  parser.Write(xml.data(), xml.size());
  parser.Finish();
  EXPECT_FALSE(finder.found);
}

TEST(XmlPushParserTest, DoctypesMalformedInputAndHandlerFailuresStopTheParse) {
  EXPECT_THROW(Parse("<!DOCTYPE r [<!ENTITY e \"boom\">]><r>&e;</r>", 4), EXmlError);
  EXPECT_THROW(Parse("<!DOCTYPE r SYSTEM \"file:///etc/passwd\"><r/>", 100), EXmlError);
  EXPECT_THROW(Parse("<r><c></r>", 100), EXmlError);
  EXPECT_THROW(Parse("<r>", 100), EXmlError);
  EXPECT_THROW(Parse("<r><boom/></r>", 100), std::runtime_error);
  // An undeclared entity is never expanded.
  try {
    EXPECT_EQ(Parse("<r>a&unknown;b</r>", 100).find("unknown"), std::string::npos);
  } catch (const EXmlError&) {
    // Refusing the document is as good.
  }
}

}  // namespace
}  // namespace workbook
