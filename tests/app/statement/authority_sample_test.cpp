// The authority's sample control statement (2014 format), rebuilt from the records an import of
// the same rows would give, compared element by element and attribute by attribute, and checked
// against the authority's schema.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>

#include "app/statement/control_statement_xml.h"
#include "app/statement/section_import.h"
#include "app/statement/settings_file.h"
#include "schema_check.h"
#include "statement_fixture.h"

using namespace app;
using namespace app::test;

namespace {

using TDoc = std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)>;

TDoc Parse(const std::string& bytes) {
  return TDoc(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                            XML_PARSE_NONET | XML_PARSE_NOBLANKS),
              xmlFreeDoc);
}

std::vector<xmlNodePtr> Elements(xmlNodePtr parent) {
  std::vector<xmlNodePtr> children;
  for (xmlNodePtr n = parent ? parent->children : nullptr; n; n = n->next)
    if (n->type == XML_ELEMENT_NODE) children.push_back(n);
  return children;
}

std::string Name(xmlNodePtr node) { return reinterpret_cast<const char*>(node->name); }

std::string Content(xmlNodePtr node) {
  xmlChar* text = xmlNodeGetContent(node);
  std::string s = text ? reinterpret_cast<const char*>(text) : "";
  xmlFree(text);
  return s;
}

// Attributes in document order.
std::vector<std::pair<std::string, std::string>> Attributes(xmlNodePtr node) {
  std::vector<std::pair<std::string, std::string>> attributes;
  for (xmlAttrPtr a = node->properties; a; a = a->next) {
    xmlChar* value = xmlNodeListGetString(node->doc, a->children, 1);
    attributes.emplace_back(reinterpret_cast<const char*>(a->name),
                            value ? reinterpret_cast<const char*>(value) : "");
    xmlFree(value);
  }
  return attributes;
}

const std::set<std::string> kAmounts = {"Z",  "D",  "O",           "ZR",  "DR",
                                        "OR", "Mn", "SumaObratov", "ZZn", "DZn"};

// The records an import of the sample's rows gives: each row's attributes go through the
// section's import as its cells.
std::unique_ptr<TData> RecordsOf(xmlNodePtr root) {
  static const char* const kMonths[] = {"Január",    "Február", "Marec",    "Apríl",
                                        "Máj",       "Jún",     "Júl",      "August",
                                        "September", "Október", "November", "December"};
  // The taxpayer's elements in the settings' subject order.
  static const char* const kSubject[] = {"IcDphPlatitela", "Nazov", "Stat", "Obec", "PSC",
                                         "Ulica",          "Cislo", "Tel",  "Email"};
  auto data = std::make_unique<TData>();
  const auto sections = Elements(root);
  EXPECT_EQ(sections.size(), 2u);
  for (xmlNodePtr field : Elements(sections.at(0))) {
    const std::string name = Name(field);
    for (int i = 0; i < 9; ++i)
      if (name == kSubject[i]) SubjectField(data->Subject, i) = Cp(Content(field).c_str());
    if (name == "Druh") data->Header.Druh = Content(field);
    for (xmlNodePtr part : Elements(field)) {
      if (Name(part) == "Rok") data->Header.Rok = Content(part);
      if (Name(part) == "Mesiac") data->Header.Obdobie = Cp(kMonths[std::stoi(Content(part)) - 1]);
    }
  }
  TImportLog log;
  int row = 1;
  for (xmlNodePtr record : Elements(sections.at(1))) {
    TSection section{};
    const std::string kind = Name(record) == "B3" ? "B31" : Name(record);
    if (!FindSection(kind, section)) ADD_FAILURE() << "no section " << kind;
    std::vector<std::pair<std::string, std::string>> cells;
    for (auto [name, value] : Attributes(record))
      cells.emplace_back(name == "KOpr" ? "Kopr" : name, Cp(value.c_str()));
    TSectionImport(*data, section).ProcessRow(++row, FieldTexts(section, cells), log);
  }
  EXPECT_EQ(log.Errors, std::vector<std::string>{});
  return data;
}

// The tree as one line per element, attribute and leaf text, the amounts by their value.
void Flatten(xmlNodePtr node, const std::string& path, std::vector<std::string>& out) {
  out.push_back(path + " " + (node->ns ? reinterpret_cast<const char*>(node->ns->href) : ""));
  for (auto [name, value] : Attributes(node)) {
    if (kAmounts.count(name)) value = std::to_string(std::strtod(value.c_str(), nullptr));
    out.push_back(path + "@" + name + "=" + value);
  }
  const auto children = Elements(node);
  if (children.empty()) out.push_back(path + "=" + Content(node));
  for (std::size_t i = 0; i < children.size(); ++i)
    Flatten(children[i], path + "/" + Name(children[i]) + "[" + std::to_string(i) + "]", out);
}

std::vector<std::string> Flat(const TDoc& doc) {
  std::vector<std::string> lines;
  Flatten(xmlDocGetRootElement(doc.get()), "KVDPH", lines);
  return lines;
}

}  // namespace

TEST(AuthoritySample, RebuiltFromRecordsMatchesElementByElement) {
  const std::string dir = AuthorityDir();
  if (dir.empty()) GTEST_SKIP() << "no " << SHARED_DIR << "/authority; sample check skipped";
  const std::string sample_file = dir + "/samples/kv_dph_2014_sample.xml";
  if (!std::filesystem::exists(sample_file)) GTEST_SKIP() << "no " << sample_file;

  const TDoc sample = Parse(ReadFileBytes(sample_file));
  ASSERT_TRUE(sample);
  const auto data = RecordsOf(xmlDocGetRootElement(sample.get()));

  const std::string written = LinesToUtf8(BuildControlStatement(TKVFormat::Format2014, *data));
  const TDoc rebuilt = Parse(written);
  ASSERT_TRUE(rebuilt);
  EXPECT_EQ(Flat(rebuilt), Flat(sample));
  const auto violations = SchemaViolations(dir + "/kv_dph_2014.xsd", written);
  EXPECT_TRUE(violations.empty()) << violations.front().Message;
}
