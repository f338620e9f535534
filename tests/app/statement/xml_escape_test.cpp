#include "app/statement/xml_escape.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <string>

using namespace app;

namespace {

// The text content of <r>...</r> as libxml2 reads it, or "<not well-formed>".
std::string ReadBack(const std::string& document) {
  xmlDocPtr doc =
      xmlReadMemory(document.data(), static_cast<int>(document.size()), nullptr, "windows-1250",
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (!doc) return "<not well-formed>";
  xmlNodePtr root = xmlDocGetRootElement(doc);
  std::string text;
  if (xmlChar* attr = xmlGetProp(root, BAD_CAST "a")) {
    text = reinterpret_cast<const char*>(attr);
    xmlFree(attr);
  } else {
    xmlChar* content = xmlNodeGetContent(root);
    text = reinterpret_cast<const char*>(content);
    xmlFree(content);
  }
  xmlFreeDoc(doc);
  return text;
}

const char* const kAwkwardValues[] = {
    "plain", "A & B", "<tag>", "x > y", "say \"hi\"", "it's",   "]]>",     "a]]>b]]>c",
    "]]]>>", "]",     "]]",    "&amp;", "",           "tail]]", "\"&<>\"",
};

}  // namespace

// The exact forms are in the report builders' tests; here libxml2 reads each back.
TEST(XmlEscape, EveryFormReadsBackAsTheValue) {
  for (const char* value : kAwkwardValues) {
    EXPECT_EQ(ReadBack("<r>" + XmlText(value) + "</r>"), value) << value;
    EXPECT_EQ(ReadBack("<r a=\"" + XmlAttribute(value) + "\"/>"), value) << value;
    EXPECT_EQ(ReadBack("<r>" + Cdata(value) + "</r>"), value) << value;
  }
}
