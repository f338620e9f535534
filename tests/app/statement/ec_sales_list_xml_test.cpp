#include "app/statement/ec_sales_list_xml.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>

#include "app/statement/integer_text.h"
#include "statement_fixture.h"

using namespace app;
using namespace app::test;

namespace {

void AddSV1(TData& data, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    Add(data.RowsSV1, {"CZ" + std::to_string(10000000 + i), "100", ""});
}

void AddSV2(TData& data, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    Add(data.RowsSV2, {"DE" + std::to_string(100000000 + i), "", "0", "0"});
}

std::string Element(const std::string& element, const std::string& value) {
  return "<" + element + "><![CDATA[" + value + "]]></" + element + ">";
}

// The body's pages, each as one letter per block: R a record, e an empty record, P a zaznamCast2
// record, p an empty zaznamCast2 record, N the page numbering. The records must come in the
// order AddSV1 and AddSV2 gave them.
std::vector<std::string> Pages(const TTextLines& lines) {
  std::vector<std::string> pages;
  std::size_t next[] = {10000000, 100000000};
  auto telo = std::find(lines.begin(), lines.end(), "  <telo>");
  EXPECT_NE(telo, lines.end());
  for (auto it = telo; it != lines.end() && *it != "  </telo>"; ++it) {
    if (*it == "    <strana>") pages.emplace_back();
    if (pages.empty()) continue;
    if (*it == "      <oznacenie>") pages.back() += 'N';
    const int part = *it == "      <zaznam>" ? 0 : *it == "      <zaznamCast2>" ? 1 : -1;
    if (part < 0) continue;
    const bool empty = it[1] == "        <kodStatu/>";
    pages.back() += "RePp"[2 * part + empty];
    if (!empty) {
      EXPECT_EQ(it[2], "        " + Element("idCislo", std::to_string(next[part]++)) + "\t");
    }
  }
  return pages;
}

std::string Blocks(std::string_view pattern, std::size_t count) {
  std::string s;
  for (std::size_t i = 0; i < count; ++i) s += pattern;
  return s;
}

TTextLines Build(TSVLayout layout, const TData& data) {
  return BuildEcSalesList(layout, data, kToday);
}

}  // namespace

TEST(EcSalesListXml, GoldenDocumentPerLayout) {
  const auto data = FullStatement();
  EXPECT_EQ(LinesToUtf8(Build(TSVLayout::Layout2014, *data)), Golden("sv_dph_2014_full.xml"));
  EXPECT_EQ(LinesToUtf8(Build(TSVLayout::Layout2020, *data)), Golden("sv_dph_2020_full.xml"));
}

TEST(EcSalesListXml, Layout2014Pages) {
  struct Case {
    std::size_t records;
    std::vector<std::string> pages;
  } cases[] = {
      {0, {}},
      {1, {"N" + Blocks("R", 1) + Blocks("e", 26)}},
      {27, {"N" + Blocks("R", 27)}},
      {28, {"N" + Blocks("R", 27), "N" + Blocks("R", 1) + Blocks("e", 26)}},
  };
  for (const auto& c : cases) {
    TData data;
    AddSV1(data, c.records);
    const TTextLines lines = Build(TSVLayout::Layout2014, data);
    EXPECT_EQ(Pages(lines), c.pages) << c.records;
    EXPECT_EQ(LineStartingWith(lines, "    <celkovaHodnota>"),
              "    " + Element("celkovaHodnota", std::to_string(100 * c.records)));
    const std::string total = std::to_string(std::max<std::size_t>(c.pages.size(), 1));
    EXPECT_EQ(LineStartingWith(lines, "    <pocet2Stran>"),
              "    " + Element("pocet2Stran", total) + "\t");
    for (std::size_t page = 0; page < c.pages.size(); ++page)
      EXPECT_TRUE(HasBlock(
          lines, {"      <oznacenie>", "        " + Element("aktualna", std::to_string(page + 1)),
                  "        " + Element("celkovo", total)}))
          << c.records << " page " << page;
  }
}

// Every page of the later layout holds 12 record blocks and then 12 zaznamCast2 blocks.
TEST(EcSalesListXml, Layout2020Pages) {
  const std::string full_sv1 = Blocks("R", 12);
  const std::string no_sv2 = Blocks("p", 12);
  struct Case {
    std::size_t sv1, sv2;
    std::vector<std::string> pages;
  } cases[] = {
      {0, 0, {Blocks("e", 12) + no_sv2}},
      {13, 0, {full_sv1 + no_sv2, "R" + Blocks("e", 11) + no_sv2}},
      {3, 2, {Blocks("R", 3) + Blocks("e", 9) + "PP" + Blocks("p", 10)}},
      {12, 12, {full_sv1 + Blocks("P", 12)}},
      {13, 12, {full_sv1 + Blocks("P", 12), "R" + Blocks("e", 11) + no_sv2}},
      {5,
       30,
       {Blocks("R", 5) + Blocks("e", 7) + Blocks("P", 12), Blocks("e", 12) + Blocks("P", 12),
        Blocks("e", 12) + Blocks("P", 6) + Blocks("p", 6)}},
      {25,
       13,
       {full_sv1 + Blocks("P", 12), full_sv1 + "P" + Blocks("p", 11),
        "R" + Blocks("e", 11) + no_sv2}},
  };
  for (const auto& c : cases) {
    TData data;
    AddSV1(data, c.sv1);
    AddSV2(data, c.sv2);
    EXPECT_EQ(Pages(Build(TSVLayout::Layout2020, data)), c.pages) << c.sv1 << " " << c.sv2;
  }
}

// Fields cut to their limits, an ID of only a country code, "]]>" in values (split over two CDATA
// sections) and negative amounts in the total: each expected run of lines is in the document.
TEST(EcSalesListXml, AwkwardValues) {
  TData data;
  data.Subject = {"SK1234567890",
                  std::string(40, 'N'),
                  "",
                  std::string(35, 'O'),
                  "974011",
                  std::string(30, 'U'),
                  "123456789",
                  std::string(40, '1'),
                  std::string(40, 'e')};
  Add(data.RowsSV1, {"AT", "7", "1"});
  Add(data.RowsSV1, {"CZ]]>1", "-30", "]]>"});
  Add(data.RowsSV1, {"CZ1", "100", ""});
  const TTextLines lines = Build(TSVLayout::Layout2020, data);
  const TTextLines blocks[] = {
      {"      <dic><![CDATA[1234567890]]></dic>\t"},
      {"      <riadok><![CDATA[" + std::string(37, 'N') + "]]></riadok>"},
      {"      <ulica><![CDATA[" + std::string(28, 'U') + "]]></ulica>",
       "      <cislo><![CDATA[12345678]]></cislo>", "      <psc><![CDATA[97401]]></psc>",
       "      <obec><![CDATA[" + std::string(31, 'O') + "]]></obec>",
       "      <tel><![CDATA[" + std::string(31, '1') + "]]></tel>",
       "      <email><![CDATA[" + std::string(31, 'e') + "]]></email>"},
      {"    <celkovaHodnota><![CDATA[77]]></celkovaHodnota>"},
      {"      <zaznam>", "        <kodStatu><![CDATA[AT]]></kodStatu>",
       "        <idCislo><![CDATA[]]></idCislo>\t", "        <hodnota><![CDATA[7]]></hodnota>",
       "        <kod><![CDATA[1]]></kod>", "      </zaznam>"},
      {"        <idCislo><![CDATA[]]]]><![CDATA[>1]]></idCislo>\t",
       "        <hodnota><![CDATA[-30]]></hodnota>",
       "        <kod><![CDATA[]]]]><![CDATA[>]]></kod>"}};
  for (const TTextLines& block : blocks) EXPECT_TRUE(HasBlock(lines, block)) << block.front();
  EXPECT_TRUE(WellFormed(LinesToUtf8(lines)));
}

// The header's kind-of-filing flags, period and (in the older layout) telephone split into its
// prefix of up to four characters and the trimmed rest: each case's lines, one after another.
TEST(EcSalesListXml, HeaderFields) {
  struct Case {
    const char* druh;
    const char* obdobie;
    const char* telefon;
    std::string lines;
  } cases[] = {
      {"R", "", "", "<riadny><![CDATA[1]]></riadny>|<opravny><![CDATA[0]]></opravny>"},
      {"O", "", "", "<riadny><![CDATA[0]]></riadny>|<opravny><![CDATA[1]]></opravny>"},
      {"D", "", "", "<opravny><![CDATA[0]]></opravny>|<dodatocny><![CDATA[1]]></dodatocny>"},
      {"r", "", "",
       "<riadny><![CDATA[0]]></riadny>|<opravny><![CDATA[0]]></opravny>|"
       "<dodatocny><![CDATA[0]]></dodatocny>"},
      {"", "Január", "",
       "<obdobie>|<mesiac><![CDATA[01]]></mesiac><stvrtrok/>|<rok><![CDATA[]]></rok>"},
      {"", "December", "", "<mesiac><![CDATA[12]]></mesiac><stvrtrok/>"},
      {"", "1. štvrťrok", "", "<mesiac/><stvrtrok><![CDATA[I]]></stvrtrok>"},
      {"", "2. štvrťrok", "", "<mesiac/><stvrtrok><![CDATA[II]]></stvrtrok>"},
      {"", "3. štvrťrok", "", "<mesiac/><stvrtrok><![CDATA[III]]></stvrtrok>"},
      {"", "4. štvrťrok", "", "<mesiac/><stvrtrok><![CDATA[IV]]></stvrtrok>"},
      {"", "Jan", "", "<obdobie>|<rok><![CDATA[]]></rok>"},
      {"", "", "0905 123 456",
       "<tel>|<predcislie><![CDATA[0905]]></predcislie>|<cislo><![CDATA[123 456]]></cislo>"},
      {"", "", "02\t 12345 \t",
       "<predcislie><![CDATA[02\t ]]></predcislie>|<cislo><![CDATA[12345]]></cislo>"},
      {"", "", "", "<predcislie><![CDATA[]]></predcislie>|<cislo><![CDATA[]]></cislo>"},
      {"", "", "055", "<predcislie><![CDATA[055]]></predcislie>|<cislo><![CDATA[]]></cislo>"},
  };
  for (const auto& c : cases) {
    TData data;
    data.Header.Druh = c.druh;
    data.Header.Obdobie = Cp(c.obdobie);
    data.Subject.Telefon = c.telefon;
    // The lines without their indentation.
    TTextLines lines;
    for (const std::string& line : Build(TSVLayout::Layout2014, data))
      lines.push_back(line.substr(line.find_first_not_of(' ')));
    TTextLines block;
    std::istringstream in(c.lines);
    for (std::string line; std::getline(in, line, '|');) block.push_back(line);
    EXPECT_TRUE(HasBlock(lines, block)) << c.druh << c.obdobie << c.telefon;
  }
}

TEST(EcSalesListXml, AmountWithDecimalsStopsTheExport) {
  struct Case {
    TSVLayout layout;
    const char* z;
    const char* message;
  } cases[] = {{TSVLayout::Layout2014, "12.5", "'12.5' is not a valid integer value"},
               {TSVLayout::Layout2020, "12.5", "'12,5' is not a valid integer value"},
               {TSVLayout::Layout2020, "", "'' is not a valid integer value"}};
  for (const auto& c : cases) {
    TData data;
    Add(data.RowsSV1, {"CZ1", "10", ""});
    Add(data.RowsSV1, {"CZ2", c.z, ""});
    EXPECT_EQ(test_support::Thrown<EConvertError>([&] { Build(c.layout, data); }), c.message);
  }
}

TEST(EcSalesListXml, TotalPastTheIntegerRangeStopsTheExport) {
  TData data;
  Add(data.RowsSV1, {"CZ1", "9223372036854775807", ""});
  Add(data.RowsSV1, {"CZ2", "1", ""});
  EXPECT_EQ(test_support::Thrown<std::overflow_error>([&] { Build(TSVLayout::Layout2020, data); }),
            "Integer overflow");
}
