// Hostile XML: entity expansion bombs and external entities must expand nothing or fail cleanly,
// quickly, without reading any file.
#include <gtest/gtest.h>

#include <fstream>

#include "workbook/core/xml/xml_document.h"
#include "workbook/core/xml/xml_error.h"
#include "workbook/core/xml/xml_reader.h"
#include "workbook/formats/python_peer.h"

using namespace workbook;

namespace {

std::string BillionLaughs(const std::string& body) {
  std::string xml = "<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [\n<!ENTITY lol \"lol\">\n";
  std::string previous = "lol";
  for (int i = 1; i <= 9; ++i) {
    std::string name = "lol" + std::to_string(i);
    xml += "<!ENTITY " + name + " \"";
    for (int k = 0; k < 10; ++k) xml += "&" + previous + ";";
    xml += "\">\n";
    previous = name;
  }
  return xml + "]>\n" + body;
}

// Everything the reader hands out: names, attribute values and texts.
std::string ReadAll(const std::string& xml) {
  std::string seen;
  TXmlReader reader(xml.data(), xml.size());
  while (reader.Read()) {
    seen += std::string(reader.LocalName()) + "|" + std::string(reader.Value()) + "|";
    if (reader.NodeType() == TXmlNodeType::Element) {
      for (const auto& [name, value] : reader.Attributes()) seen += name + "=" + std::string(value);
      seen += std::string(reader.Expand().Text()) + "\n";
    }
  }
  return seen;
}

std::string ParseAll(const std::string& xml) {
  TXmlDocument doc;
  doc.LoadFromString(xml);
  TXmlNode root = doc.DocumentElement();
  std::string seen = std::string(root.Text());
  for (const auto& [name, value] : root.Attributes()) seen += name + "=" + std::string(value);
  return seen + doc.SaveToString();
}

// Either an XML error or output far smaller than the expansion.
void ExpectHarmless(const std::function<std::string()>& parse) {
  testing::internal::CaptureStderr();
  try {
    std::string seen = parse();
    EXPECT_LT(seen.size(), 10000u);
    EXPECT_EQ(seen.find("lollollol"), std::string::npos);
  } catch (const EXmlError&) {
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace

TEST(XmlSecurity, EntityBombsExpandNothing) {
  std::string quadratic = "<!DOCTYPE r [<!ENTITY a \"" + std::string(50000, 'a') + "\">]><r>";
  for (int i = 0; i < 2000; ++i) quadratic += "&a;";
  quadratic += "</r>";
  for (const std::string& xml :
       {BillionLaughs("<lolz>&lol9;</lolz>"), BillionLaughs("<lolz a=\"&lol9;\"/>")}) {
    ExpectHarmless([&] { return ReadAll(xml); });
    ExpectHarmless([&] { return ParseAll(xml); });
  }
  // The saved document holds the declaration itself: only its start is looked at.
  ExpectHarmless([&] { return ReadAll(quadratic).substr(0, 100); });
  ExpectHarmless([&] { return ParseAll(quadratic).substr(0, 100); });
}

TEST(XmlSecurity, ExternalEntitiesDtdsAndXIncludesReadNothing) {
  test_support::TScratchDir dir;
  const std::string secret = dir.File("secret.txt"), dtd = dir.File("evil.dtd");
  std::ofstream(secret) << "TOPSECRET";
  std::ofstream(dtd) << "<!ENTITY leak \"TOPSECRET\">";
  for (const std::string& xml :
       {"<!DOCTYPE r [<!ENTITY x SYSTEM \"file://" + secret + "\">]><r>&x;</r>",
        std::string("<!DOCTYPE r [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><r a=\"1\">&x;</r>"),
        "<!DOCTYPE r [<!ENTITY % p SYSTEM \"file://" + dtd + "\"> %p;]><r>&leak;</r>",
        "<!DOCTYPE r SYSTEM \"file://" + dtd + "\"><r>&leak;</r>",
        "<!DOCTYPE r SYSTEM \"" + dtd + "\"><r a=\"&leak;\"/>",
        "<r xmlns:xi=\"http://www.w3.org/2001/XInclude\"><xi:include href=\"file://" + secret +
            "\" parse=\"text\"/></r>"})
    for (auto parse : {&ReadAll, &ParseAll}) {
      testing::internal::CaptureStderr();
      try {
        std::string seen = parse(xml);
        EXPECT_EQ(seen.find("TOPSECRET"), std::string::npos) << seen;
      } catch (const EXmlError& e) {
        EXPECT_EQ(std::string(e.what()).find("TOPSECRET"), std::string::npos);
      }
      EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    }
}
