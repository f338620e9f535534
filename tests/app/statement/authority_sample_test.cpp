// The authority's sample control statement (2014 format), rebuilt from the records an import of
// the same rows would give, compared element by element and attribute by attribute.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include "app/statement/control_statement_xml.h"
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

// An amount as the import stores it: a decimal point and no trailing zeros ("165357.30" gives
// "165357.3", "0.00" gives "0").
std::string Normalised(std::string amount) {
  if (amount.find('.') == std::string::npos) return amount;
  while (amount.back() == '0') amount.pop_back();
  if (amount.back() == '.') amount.pop_back();
  return amount;
}

// The records an import of the sample's rows gives.
std::unique_ptr<TData> RecordsOf(xmlNodePtr root) {
  static const char* const kMonths[] = {"Január",    "Február", "Marec",    "Apríl",
                                        "Máj",       "Jún",     "Júl",      "August",
                                        "September", "Október", "November", "December"};
  auto data = std::make_unique<TData>();
  const auto sections = Elements(root);
  EXPECT_EQ(sections.size(), 2u);
  for (xmlNodePtr field : Elements(sections.at(0))) {
    const std::string name = Name(field);
    const std::string value = Cp(Content(field).c_str());
    if (name == "IcDphPlatitela") data->Subject.ICDPH = value;
    if (name == "Druh") data->Header.Druh = value;
    if (name == "Nazov") data->Subject.NazovSubjektu = value;
    if (name == "Stat") data->Subject.Stat = value;
    if (name == "Obec") data->Subject.Obec = value;
    if (name == "PSC") data->Subject.PSC = value;
    if (name == "Ulica") data->Subject.Ulica = value;
    if (name == "Cislo") data->Subject.Cislo = value;
    if (name == "Tel") data->Subject.Telefon = value;
    if (name == "Email") data->Subject.Email = value;
    if (name == "Obdobie") {
      for (xmlNodePtr part : Elements(field)) {
        if (Name(part) == "Rok") data->Header.Rok = Content(part);
        if (Name(part) == "Mesiac")
          data->Header.Obdobie = Cp(kMonths[std::stoi(Content(part)) - 1]);
      }
    }
  }
  for (xmlNodePtr row : Elements(sections.at(1))) {
    std::map<std::string, std::string> a;
    for (auto& [name, value] : Attributes(row))
      a[name] = kAmounts.count(name) ? Normalised(value) : Cp(value.c_str());
    const std::string kind = Name(row);
    if (kind == "A1")
      Add(data->RowsA1, {a["Odb"], a["F"], a["Den"], a["Z"], a["D"], a["S"], a["KOpr"]});
    if (kind == "A2")
      Add(data->RowsA2,
          {a["Odb"], a["F"], a["Den"], a["Z"], a["TK"], a["TD"], a["Mn"], a["MJ"], a["KOpr"]});
    if (kind == "B1")
      Add(data->RowsB1, {a["Dod"], a["F"], a["Den"], a["Z"], a["D"], a["S"], a["O"], a["KOpr"]});
    if (kind == "B2")
      Add(data->RowsB2, {a["Dod"], a["F"], a["Den"], a["Z"], a["D"], a["S"], a["O"], a["KOpr"]});
    if (kind == "B3") Add(data->RowsB31, {a["Z"], a["D"], a["O"], a["KOpr"]});
    if (kind == "C1")
      Add(data->RowsC1, {a["Odb"], a["FO"], a["FP"], a["ZR"], a["DR"], a["S"], a["TK"], a["TD"],
                         a["Mn"], a["MJ"], a["KOpr"], ""});
    if (kind == "C2")
      Add(data->RowsC2,
          {a["Dod"], a["FO"], a["FP"], a["ZR"], a["DR"], a["S"], a["OR"], a["KOpr"], ""});
    if (kind == "D1")
      Add(data->RowsD1, {a["SumaObratov"], a["Z"], a["D"], a["ZZn"], a["DZn"], a["KOpr"]});
    if (kind == "D2") Add(data->RowsD2, {a["Z"], a["D"], a["ZZn"], a["DZn"], a["KOpr"]});
  }
  return data;
}

std::string NamespaceOf(xmlNodePtr node) {
  return node->ns ? reinterpret_cast<const char*>(node->ns->href) : "";
}

void ExpectSameTree(xmlNodePtr expected, xmlNodePtr actual, const std::string& path) {
  ASSERT_EQ(Name(actual), Name(expected)) << path;
  EXPECT_EQ(NamespaceOf(actual), NamespaceOf(expected)) << path;
  const auto want = Attributes(expected);
  const auto got = Attributes(actual);
  ASSERT_EQ(got.size(), want.size()) << path;
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(got[i].first, want[i].first) << path;
    if (kAmounts.count(want[i].first)) {
      EXPECT_EQ(std::strtod(got[i].second.c_str(), nullptr),
                std::strtod(want[i].second.c_str(), nullptr))
          << path << "@" << want[i].first;
    } else {
      EXPECT_EQ(got[i].second, want[i].second) << path << "@" << want[i].first;
    }
  }
  const auto want_children = Elements(expected);
  const auto got_children = Elements(actual);
  ASSERT_EQ(got_children.size(), want_children.size()) << path;
  if (want_children.empty()) {
    EXPECT_EQ(Content(actual), Content(expected)) << path;
  }
  for (std::size_t i = 0; i < want_children.size(); ++i)
    ExpectSameTree(want_children[i], got_children[i],
                   path + "/" + Name(want_children[i]) + "[" + std::to_string(i) + "]");
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
  ASSERT_EQ(data->RowsA1.size(), 4u);
  ASSERT_EQ(data->RowsD2.size(), 1u);

  const std::string written = LinesToUtf8(BuildControlStatement(TKVFormat::Format2014, *data));
  const TDoc rebuilt = Parse(written);
  ASSERT_TRUE(rebuilt);
  ExpectSameTree(xmlDocGetRootElement(sample.get()), xmlDocGetRootElement(rebuilt.get()), "KVDPH");
  const auto violations = SchemaViolations(dir + "/kv_dph_2014.xsd", written);
  EXPECT_TRUE(violations.empty()) << violations.front().Message;
}
