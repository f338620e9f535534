#include "app/statement/ec_sales_list_xml.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>

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

// The body's pages, each as one letter per block: R a record, e an empty record, P a zaznamCast2
// record, p an empty zaznamCast2 record, N the page numbering.
std::vector<std::string> Pages(const TTextLines& lines) {
  std::vector<std::string> pages;
  auto telo = std::find(lines.begin(), lines.end(), "  <telo>");
  EXPECT_NE(telo, lines.end());
  for (auto it = telo; it != lines.end() && *it != "  </telo>"; ++it) {
    if (*it == "    <strana>") pages.emplace_back();
    if (pages.empty()) continue;
    if (*it == "      <oznacenie>") pages.back() += 'N';
    if (*it == "      <zaznam>") pages.back() += it[1] == "        <kodStatu/>" ? 'e' : 'R';
    if (*it == "      <zaznamCast2>") pages.back() += it[1] == "        <kodStatu/>" ? 'p' : 'P';
  }
  return pages;
}

std::string Blocks(std::string_view pattern, std::size_t count) {
  std::string s;
  for (std::size_t i = 0; i < count; ++i) s += pattern;
  return s;
}

std::string LineStartingWith(const TTextLines& lines, std::string_view start) {
  for (const std::string& line : lines)
    if (line.starts_with(start)) return line;
  return "<none>";
}

TTextLines Build(TSVLayout layout, const TData& data) {
  return BuildEcSalesList(layout, data, kToday);
}

}  // namespace

TEST(EcSalesListXml, GoldenDocumentPerLayout) {
  const auto data = FullStatement();
  struct Case {
    TSVLayout layout;
    const char* golden;
  } cases[] = {{TSVLayout::Layout2014, "sv_dph_2014_full.xml"},
               {TSVLayout::Layout2020, "sv_dph_2020_full.xml"}};
  for (const auto& c : cases) {
    const std::string expected =
        ReadFileBytes(std::string(TEST_DATA_DIR) + "/statement/" + c.golden);
    EXPECT_EQ(LinesToUtf8(Build(c.layout, *data)), expected) << c.golden;
  }
}

TEST(EcSalesListXml, Layout2014Pages) {
  struct Case {
    std::size_t records;
    std::vector<std::string> pages;
    const char* celkovo;
  } cases[] = {
      {0, {}, "1"},
      {1, {"N" + Blocks("R", 1) + Blocks("e", 26)}, "1"},
      {27, {"N" + Blocks("R", 27)}, "1"},
      {28, {"N" + Blocks("R", 27), "N" + Blocks("R", 1) + Blocks("e", 26)}, "2"},
      {54, {"N" + Blocks("R", 27), "N" + Blocks("R", 27)}, "2"},
  };
  for (const auto& c : cases) {
    TData data;
    AddSV1(data, c.records);
    const TTextLines lines = Build(TSVLayout::Layout2014, data);
    EXPECT_EQ(Pages(lines), c.pages) << c.records;
    EXPECT_EQ(LineStartingWith(lines, "    <pocet2Stran>"),
              std::string("    <pocet2Stran><![CDATA[") + c.celkovo + "]]></pocet2Stran>\t");
    for (std::size_t page = 0; page < c.pages.size(); ++page) {
      auto at = std::find(lines.begin(), lines.end(), "      <oznacenie>");
      for (std::size_t skip = 0; skip < page; ++skip)
        at = std::find(at + 1, lines.end(), "      <oznacenie>");
      ASSERT_NE(at, lines.end());
      EXPECT_EQ(at[1], "        <aktualna><![CDATA[" + std::to_string(page + 1) + "]]></aktualna>");
      EXPECT_EQ(at[2], std::string("        <celkovo><![CDATA[") + c.celkovo + "]]></celkovo>");
    }
  }
}

TEST(EcSalesListXml, Layout2014WithoutRecordsHasAnEmptyBody) {
  TData data;
  const TTextLines lines = Build(TSVLayout::Layout2014, data);
  const TTextLines tail(lines.end() - 3, lines.end());
  EXPECT_EQ(tail, (TTextLines{"  <telo>", "  </telo>", "</dokument>"}));
  EXPECT_EQ(LineStartingWith(lines, "    <celkovaHodnota>"),
            "    <celkovaHodnota><![CDATA[0]]></celkovaHodnota>");
}

TEST(EcSalesListXml, Layout2014LeavesSV2Out) {
  const auto data = FullStatement();
  for (const std::string& line : Build(TSVLayout::Layout2014, *data))
    EXPECT_EQ(line.find("zaznamCast2"), std::string::npos);
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
      {3, 0, {Blocks("R", 3) + Blocks("e", 9) + no_sv2}},
      {12, 0, {full_sv1 + no_sv2}},
      {13, 0, {full_sv1 + no_sv2, "R" + Blocks("e", 11) + no_sv2}},
      {0, 1, {Blocks("e", 12) + "P" + Blocks("p", 11)}},
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

TEST(EcSalesListXml, Layout2020KeepsRecordOrderAcrossPages) {
  TData data;
  AddSV1(data, 14);
  AddSV2(data, 13);
  const TTextLines lines = Build(TSVLayout::Layout2020, data);
  std::vector<std::string> sv1, sv2;
  for (std::size_t i = 0; i + 2 < lines.size(); ++i) {
    if (lines[i] == "      <zaznam>" && lines[i + 1] != "        <kodStatu/>")
      sv1.push_back(lines[i + 2]);
    if (lines[i] == "      <zaznamCast2>" && lines[i + 1] != "        <kodStatu/>")
      sv2.push_back(lines[i + 2]);
  }
  ASSERT_EQ(sv1.size(), 14u);
  ASSERT_EQ(sv2.size(), 13u);
  for (std::size_t i = 0; i < 14; ++i)
    EXPECT_EQ(sv1[i],
              "        <idCislo><![CDATA[" + std::to_string(10000000 + i) + "]]></idCislo>\t");
  for (std::size_t j = 0; j < 13; ++j)
    EXPECT_EQ(sv2[j],
              "        <idCislo><![CDATA[" + std::to_string(100000000 + j) + "]]></idCislo>\t");
}

TEST(EcSalesListXml, RecordBlocks) {
  TData data;
  Add(data.RowsSV1, {"SK1234567890", "15", ""});
  Add(data.RowsSV1, {"AT", "7", "1"});
  Add(data.RowsSV2, {"HU12345678", "CZ87654321", "1", "0"});
  const TTextLines lines = Build(TSVLayout::Layout2020, data);
  const TTextLines expected = {
      "      <zaznam>",
      "        <kodStatu><![CDATA[SK]]></kodStatu>",
      "        <idCislo><![CDATA[1234567890]]></idCislo>\t",
      "        <hodnota><![CDATA[15]]></hodnota>",
      "        <kod/>",
      "      </zaznam>",
      "      <zaznam>",
      "        <kodStatu><![CDATA[AT]]></kodStatu>",
      "        <idCislo><![CDATA[]]></idCislo>\t",
      "        <hodnota><![CDATA[7]]></hodnota>",
      "        <kod><![CDATA[1]]></kod>",
      "      </zaznam>",
  };
  auto first = std::find(lines.begin(), lines.end(), "      <zaznam>");
  ASSERT_LE(first + expected.size(), lines.end());
  EXPECT_EQ(TTextLines(first, first + expected.size()), expected);
  const TTextLines cast2 = {
      "      <zaznamCast2>",
      "        <kodStatu><![CDATA[HU]]></kodStatu>",
      "        <idCislo><![CDATA[12345678]]></idCislo>\t",
      "        <idCislo2><![CDATA[87654321]]></idCislo2>\t",
      "        <vratenieTovaru><![CDATA[1]]></vratenieTovaru>",
      "        <oprava><![CDATA[0]]></oprava>",
      "      </zaznamCast2>",
  };
  auto p = std::find(lines.begin(), lines.end(), "      <zaznamCast2>");
  ASSERT_LE(p + cast2.size(), lines.end());
  EXPECT_EQ(TTextLines(p, p + cast2.size()), cast2);
}

TEST(EcSalesListXml, KindOfFilingFlags) {
  struct Case {
    const char* druh;
    const char *riadny, *opravny, *dodatocny;
  } cases[] = {{"R", "1", "0", "0"},
               {"O", "0", "1", "0"},
               {"D", "0", "0", "1"},
               {"r", "0", "0", "0"},
               {"", "0", "0", "0"}};
  for (const auto& c : cases) {
    TData data;
    data.Header.Druh = c.druh;
    const TTextLines lines = Build(TSVLayout::Layout2020, data);
    auto at = std::find(lines.begin(), lines.end(), "    <druhSV>");
    ASSERT_LE(at + 5, lines.end());
    const TTextLines expected = {
        "    <druhSV>", std::string("      <riadny><![CDATA[") + c.riadny + "]]></riadny>",
        std::string("      <opravny><![CDATA[") + c.opravny + "]]></opravny>",
        std::string("      <dodatocny><![CDATA[") + c.dodatocny + "]]></dodatocny>",
        "    </druhSV>"};
    EXPECT_EQ(TTextLines(at, at + 5), expected) << c.druh;
  }
}

TEST(EcSalesListXml, PeriodLine) {
  struct Case {
    const char* obdobie;
    const char* line;
  } cases[] = {{"Január", "      <mesiac><![CDATA[01]]></mesiac><stvrtrok/>"},
               {"December", "      <mesiac><![CDATA[12]]></mesiac><stvrtrok/>"},
               {"1. štvrťrok", "      <mesiac/><stvrtrok><![CDATA[I]]></stvrtrok>"},
               {"2. štvrťrok", "      <mesiac/><stvrtrok><![CDATA[II]]></stvrtrok>"},
               {"3. štvrťrok", "      <mesiac/><stvrtrok><![CDATA[III]]></stvrtrok>"},
               {"4. štvrťrok", "      <mesiac/><stvrtrok><![CDATA[IV]]></stvrtrok>"},
               {"Jan", nullptr}};
  for (const auto& c : cases) {
    TData data;
    data.Header.Obdobie = Cp(c.obdobie);
    data.Header.Rok = "2019";
    const TTextLines lines = Build(TSVLayout::Layout2014, data);
    auto at = std::find(lines.begin(), lines.end(), "    <obdobie>");
    ASSERT_NE(at, lines.end());
    if (c.line) {
      EXPECT_EQ(*++at, c.line) << c.obdobie;
    }
    EXPECT_EQ(*++at, "      <rok><![CDATA[2019]]></rok>") << c.obdobie;
  }
}

TEST(EcSalesListXml, TelephoneSplitIn2014Layout) {
  struct Case {
    const char* telefon;
    const char* predcislie;
    const char* cislo;
  } cases[] = {{"0905 123 456", "0905", "123 456"},
               {"02\t 12345 \t", "02\t ", "12345"},
               {"055", "055", ""},
               {"", "", ""}};
  for (const auto& c : cases) {
    TData data;
    data.Subject.Telefon = c.telefon;
    const TTextLines lines = Build(TSVLayout::Layout2014, data);
    auto tel = std::find(lines.begin(), lines.end(), "      <tel>");
    ASSERT_NE(tel, lines.end());
    EXPECT_EQ(tel[1],
              std::string("        <predcislie><![CDATA[") + c.predcislie + "]]></predcislie>");
    EXPECT_EQ(tel[2], std::string("        <cislo><![CDATA[") + c.cislo + "]]></cislo>");
  }
}

TEST(EcSalesListXml, TaxpayerFieldsAreCut) {
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
  const TTextLines lines = Build(TSVLayout::Layout2020, data);
  EXPECT_EQ(LineStartingWith(lines, "      <riadok>"),
            "      <riadok><![CDATA[" + std::string(37, 'N') + "]]></riadok>");
  EXPECT_EQ(LineStartingWith(lines, "      <ulica>"),
            "      <ulica><![CDATA[" + std::string(28, 'U') + "]]></ulica>");
  EXPECT_EQ(LineStartingWith(lines, "      <cislo>"), "      <cislo><![CDATA[12345678]]></cislo>");
  EXPECT_EQ(LineStartingWith(lines, "      <psc>"), "      <psc><![CDATA[97401]]></psc>");
  EXPECT_EQ(LineStartingWith(lines, "      <obec>"),
            "      <obec><![CDATA[" + std::string(31, 'O') + "]]></obec>");
  EXPECT_EQ(LineStartingWith(lines, "      <tel>"),
            "      <tel><![CDATA[" + std::string(31, '1') + "]]></tel>");
  EXPECT_EQ(LineStartingWith(lines, "      <email>"),
            "      <email><![CDATA[" + std::string(31, 'e') + "]]></email>");
  EXPECT_EQ(LineStartingWith(lines, "      <dic>"), "      <dic><![CDATA[1234567890]]></dic>\t");
}

TEST(EcSalesListXml, TotalIsTheSumOfWholeAmounts) {
  TData data;
  for (const char* z : {"100", "-30", "5", "0"}) Add(data.RowsSV1, {"CZ1", z, ""});
  for (TSVLayout layout : {TSVLayout::Layout2014, TSVLayout::Layout2020})
    EXPECT_EQ(LineStartingWith(Build(layout, data), "    <celkovaHodnota>"),
              "    <celkovaHodnota><![CDATA[75]]></celkovaHodnota>");
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
    try {
      Build(c.layout, data);
      ADD_FAILURE() << "no exception for " << c.z;
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST(EcSalesListXml, DeclarationDateIsTheGivenDay) {
  TData data;
  const TTextLines lines =
      BuildEcSalesList(TSVLayout::Layout2020, data,
                       std::chrono::year_month_day{std::chrono::year{2025}, std::chrono::December,
                                                   std::chrono::day{31}});
  auto at = std::find(lines.begin(), lines.end(), "    <datumVyhlasenia>");
  ASSERT_NE(at, lines.end());
  EXPECT_EQ(at[1], "      <den><![CDATA[31]]></den>");
  EXPECT_EQ(at[2], "      <mesiac><![CDATA[12]]></mesiac>");
  EXPECT_EQ(at[3], "      <rok><![CDATA[2025]]></rok>");
}

// A value holding "]]>" is split over two CDATA sections: the document stays well-formed and
// reads back with the value unchanged.
TEST(EcSalesListXml, ValueWithCdataEndStaysWellFormed) {
  TData data;
  data.Subject.NazovSubjektu = "Firma ]]> & <s.r.o.>";
  Add(data.RowsSV1, {"CZ]]>1", "1", "]]>"});
  const std::string bytes = LinesToUtf8(Build(TSVLayout::Layout2020, data));
  xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  ASSERT_NE(doc, nullptr);
  std::vector<std::string> texts;
  for (const char* name : {"riadok", "idCislo", "kod"}) {
    for (xmlNodePtr n = xmlDocGetRootElement(doc); n;) {
      if (n->type == XML_ELEMENT_NODE && xmlStrEqual(n->name, BAD_CAST name)) {
        xmlChar* content = xmlNodeGetContent(n);
        texts.emplace_back(reinterpret_cast<const char*>(content));
        xmlFree(content);
        break;
      }
      // Depth-first walk.
      if (n->children) {
        n = n->children;
      } else {
        while (n && !n->next) n = n->parent;
        if (n) n = n->next;
      }
    }
  }
  xmlFreeDoc(doc);
  EXPECT_EQ(texts, (std::vector<std::string>{"Firma ]]> & <s.r.o.>", "]]>1", "]]>"}));
}
