// Hostile XML: entity expansion bombs and external entities must expand nothing or fail cleanly,
// quickly, without reading any file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "workbook/core/xml/xml_document.h"
#include "workbook/core/xml/xml_error.h"
#include "workbook/core/xml/xml_reader.h"

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
      for (const auto& [name, value] : reader.Attributes())
        seen += name + "=" + std::string(value);
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

TEST(XmlSecurity, BillionLaughsInContentExpandsNothing) {
  std::string xml = BillionLaughs("<lolz>&lol9;</lolz>");
  ExpectHarmless([&] { return ReadAll(xml); });
  ExpectHarmless([&] { return ParseAll(xml); });
}

TEST(XmlSecurity, BillionLaughsInAttributeExpandsNothing) {
  std::string xml = BillionLaughs("<lolz a=\"&lol9;\"/>");
  ExpectHarmless([&] { return ReadAll(xml); });
  ExpectHarmless([&] { return ParseAll(xml); });
}

TEST(XmlSecurity, QuadraticBlowupExpandsNothing) {
  std::string xml = "<!DOCTYPE r [<!ENTITY a \"" + std::string(50000, 'a') + "\">]><r>";
  for (int i = 0; i < 2000; ++i) xml += "&a;";
  xml += "</r>";
  ExpectHarmless([&] { return ReadAll(xml).substr(0, 100); });
  ExpectHarmless([&] { return ParseAll(xml).substr(0, 100); });
}

class XmlExternalEntities : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("xxe" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    secret_ = (dir_ / "secret.txt").string();
    std::ofstream(secret_) << "TOPSECRET";
    dtd_ = (dir_ / "evil.dtd").string();
    std::ofstream(dtd_) << "<!ENTITY leak \"TOPSECRET\">";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void ExpectNothingRead(const std::string& xml) {
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

  std::filesystem::path dir_;
  std::string secret_, dtd_;
};

TEST_F(XmlExternalEntities, GeneralEntityIsNotLoaded) {
  ExpectNothingRead("<!DOCTYPE r [<!ENTITY x SYSTEM \"file://" + secret_ + "\">]><r>&x;</r>");
  ExpectNothingRead("<!DOCTYPE r [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><r a=\"1\">&x;</r>");
}

TEST_F(XmlExternalEntities, ParameterEntityIsNotLoaded) {
  ExpectNothingRead("<!DOCTYPE r [<!ENTITY % p SYSTEM \"file://" + dtd_ + "\"> %p;]><r>&leak;</r>");
}

TEST_F(XmlExternalEntities, ExternalDtdIsNotLoaded) {
  ExpectNothingRead("<!DOCTYPE r SYSTEM \"file://" + dtd_ + "\"><r>&leak;</r>");
  ExpectNothingRead("<!DOCTYPE r SYSTEM \"" + dtd_ + "\"><r a=\"&leak;\"/>");
}

TEST_F(XmlExternalEntities, PasswdIsNotReadThroughXInclude) {
  ExpectNothingRead(
      "<r xmlns:xi=\"http://www.w3.org/2001/XInclude\">"
      "<xi:include href=\"file://" +
      secret_ + "\" parse=\"text\"/></r>");
}
