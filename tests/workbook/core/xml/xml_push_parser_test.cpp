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
    // An unprefixed lookup finds no namespaced attribute.
    if (std::string_view b; attributes.Find("b", b)) log += " found b=" + std::string(b);
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
      "<c a=\"1 &amp; 2\" p:b=\"x\">t&lt;<![CDATA[<raw>]]>\xC5\xBE</c><e b=\"y\"/></r>";
  const std::string expected =
      "<r{urn:m}><c{urn:m} a=1 & 2 b=x>t<<raw>\xC5\xBE</c><e{urn:m} b=y found b=y></e></r>";
  for (std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{7}, xml.size()})
    EXPECT_EQ(Parse(xml, chunk), expected) << chunk;
}

// Malformed input and internal entities are refused in the scanning parser's cases, which run
// this parser as their reference.
TEST(XmlPushParserTest, ExternalDoctypesAndHandlerFailuresStopTheParse) {
  EXPECT_THROW(Parse("<!DOCTYPE r SYSTEM \"file:///etc/passwd\"><r/>", 100), EXmlError);
  EXPECT_THROW(Parse("<r><boom/></r>", 100), std::runtime_error);
}

}  // namespace
}  // namespace workbook
