#include "app/statement/control_statement_xml.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <algorithm>

#include "statement_fixture.h"

using namespace app;
using namespace app::test;

namespace {

struct TFormatCase {
  TKVFormat Format;
  const char* Golden;
  const char* Root;
  const char* Namespace;
};

const TFormatCase kFormats[] = {
    {TKVFormat::Format2014, "kv_dph_2014_full.xml", "KVDPH",
     "https://ekr.financnasprava.sk/Formulare/XSD/kv_dph_2014.xsd"},
    {TKVFormat::Format2016, "kv_dph_2016_full.xml", "KVDPH_2016",
     "https://ekr.financnasprava.sk/Formulare/XSD/kv_dph_2016.xsd"},
    {TKVFormat::Format2017, "kv_dph_2017_full.xml", "KVDPH_2016",
     "https://ekr.financnasprava.sk/Formulare/XSD/kv_dph_2017.xsd"},
    {TKVFormat::Format2021, "kv_dph_2021_full.xml", "KVDPH_2021",
     "https://ekr.financnasprava.sk/Formulare/XSD/kv_dph_2021.xsd"},
};

bool WellFormed(const std::string& bytes) {
  xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  xmlFreeDoc(doc);
  return doc != nullptr;
}

// The lines between "  <Transakcie>" and "  </Transakcie>".
TTextLines Transactions(const TTextLines& lines) {
  auto begin = std::find(lines.begin(), lines.end(), "  <Transakcie>");
  auto end = std::find(lines.begin(), lines.end(), "  </Transakcie>");
  EXPECT_NE(begin, lines.end());
  EXPECT_NE(end, lines.end());
  return {begin + 1, end};
}

std::string LineStartingWith(const TTextLines& lines, std::string_view start) {
  for (const std::string& line : lines)
    if (line.starts_with(start)) return line;
  return "<none>";
}

bool HasLineStartingWith(const TTextLines& lines, std::string_view start) {
  return LineStartingWith(lines, start) != "<none>";
}

}  // namespace

TEST(ControlStatementXml, GoldenDocumentPerFormat) {
  const auto data = FullStatement();
  for (const TFormatCase& c : kFormats) {
    const std::string expected =
        ReadFileBytes(std::string(TEST_DATA_DIR) + "/statement/" + c.Golden);
    EXPECT_EQ(LinesToUtf8(BuildControlStatement(c.Format, *data)), expected) << c.Golden;
  }
}

TEST(ControlStatementXml, RootAndNamespacePerFormat) {
  for (const TFormatCase& c : kFormats) {
    EXPECT_EQ(KVRootElement(c.Format), c.Root);
    EXPECT_EQ(KVNamespaceURI(c.Format), c.Namespace);
  }
}

TEST(ControlStatementXml, EmptySectionsStillOpenAndCloseTransactions) {
  TData data;
  data.Header = {"R", "2021", "Marec", false};
  for (const TFormatCase& c : kFormats) {
    const TTextLines lines = BuildControlStatement(c.Format, data);
    EXPECT_TRUE(Transactions(lines).empty());
    EXPECT_EQ(lines.back(), "</" + std::string(c.Root) + ">");
    EXPECT_EQ(lines[lines.size() - 2], "  </Transakcie>");
  }
}

TEST(ControlStatementXml, PeriodLine) {
  struct Case {
    const char* obdobie;
    const char* line;  // nullptr: neither a month nor a quarter line
  } cases[] = {{"Január", "      <Mesiac>1</Mesiac>"},
               {"December", "      <Mesiac>12</Mesiac>"},
               {"1. štvrťrok", "      <Stvrtrok>1</Stvrtrok>"},
               {"4. štvrťrok", "      <Stvrtrok>4</Stvrtrok>"},
               {"január", nullptr},
               {"5. štvrťrok", nullptr},
               {"", nullptr}};
  for (const auto& c : cases) {
    TData data;
    data.Header.Obdobie = Cp(c.obdobie);
    const TTextLines lines = BuildControlStatement(TKVFormat::Format2021, data);
    const auto rok = std::find(lines.begin(), lines.end(), "      <Rok></Rok>");
    ASSERT_NE(rok, lines.end());
    if (c.line) {
      EXPECT_EQ(rok[1], c.line) << c.obdobie;
      EXPECT_EQ(rok[2], "    </Obdobie>") << c.obdobie;
    } else {
      EXPECT_EQ(rok[1], "    </Obdobie>") << c.obdobie;
    }
  }
}

TEST(ControlStatementXml, TaxpayerFieldsAreCutToTheirLimits) {
  TData data;
  data.Subject = {"SK1234567890",
                  std::string(40, 'N'),
                  std::string(30, 'S'),
                  std::string(35, 'O'),
                  "974011",
                  std::string(30, 'U'),
                  "123456789",
                  std::string(20, '1'),
                  std::string(50, 'e')};
  const TTextLines lines = BuildControlStatement(TKVFormat::Format2021, data);
  EXPECT_EQ(LineStartingWith(lines, "    <Nazov>"),
            "    <Nazov>" + std::string(37, 'N') + "</Nazov>");
  EXPECT_EQ(LineStartingWith(lines, "    <Stat>"), "    <Stat>" + std::string(28, 'S') + "</Stat>");
  EXPECT_EQ(LineStartingWith(lines, "    <Obec>"), "    <Obec>" + std::string(31, 'O') + "</Obec>");
  EXPECT_EQ(LineStartingWith(lines, "    <PSC>"), "    <PSC>97401</PSC>");
  EXPECT_EQ(LineStartingWith(lines, "    <Ulica>"),
            "    <Ulica>" + std::string(28, 'U') + "</Ulica>");
  EXPECT_EQ(LineStartingWith(lines, "    <Cislo>"), "    <Cislo>12345678</Cislo>");
  EXPECT_EQ(LineStartingWith(lines, "    <Tel>"), "    <Tel>" + std::string(15, '1') + "</Tel>");
  EXPECT_EQ(LineStartingWith(lines, "    <Email>"),
            "    <Email>" + std::string(50, 'e') + "</Email>");
}

// The name is cut first and escaped afterwards, so a cut never splits an entity.
TEST(ControlStatementXml, NameIsCutBeforeEscaping) {
  TData data;
  data.Subject.NazovSubjektu = std::string(35, 'x') + "&&&";
  const TTextLines lines = BuildControlStatement(TKVFormat::Format2014, data);
  EXPECT_EQ(LineStartingWith(lines, "    <Nazov>"),
            "    <Nazov>" + std::string(35, 'x') + "&amp;&amp;</Nazov>");
  EXPECT_TRUE(WellFormed(LinesToUtf8(lines)));
}

TEST(ControlStatementXml, EveryValueIsEscapedForItsPlace) {
  TData data;
  data.Subject = {"SK<1>", "A & \"B\"", "<Stat>", "O&O", "\"1\"", "U>", "1&2", "<t>", "a\"b@c"};
  data.Header = {"R&", "2021<", "Marec", false};
  Add(data.RowsA1, {"SK\"1\"", "F<1>&2", "2021-03-05", "1", "2", "20", ""});
  Add(data.RowsC2, {"", "FO\"", "FP'", "1", "2", "20", "3", "&", "<ONP>"});
  for (const TFormatCase& c : kFormats) {
    const TTextLines lines = BuildControlStatement(c.Format, data);
    EXPECT_TRUE(WellFormed(LinesToUtf8(lines))) << c.Golden;
    EXPECT_EQ(LineStartingWith(lines, "    <IcDphPlatitela>"),
              "    <IcDphPlatitela>SK&lt;1&gt;</IcDphPlatitela>");
    EXPECT_EQ(LineStartingWith(lines, "    <Nazov>"), "    <Nazov>A &amp; \"B\"</Nazov>");
    EXPECT_EQ(LineStartingWith(lines, "    <Druh>"), "    <Druh>R&amp;</Druh>");
    EXPECT_EQ(LineStartingWith(lines, "    <Email>"), "    <Email>a\"b@c</Email>");
    EXPECT_EQ(LineStartingWith(lines, "    <A1 "),
              "    <A1 Odb=\"SK&quot;1&quot;\" F=\"F&lt;1&gt;&amp;2\" Den=\"2021-03-05\" Z=\"1\" "
              "D=\"2\" S=\"20\"/>");
  }
  EXPECT_EQ(LineStartingWith(BuildControlStatement(TKVFormat::Format2021, data), "    <C2 "),
            "    <C2 FO=\"FO&quot;\" FP=\"FP'\" ZR=\"1\" DR=\"2\" S=\"20\" OR=\"3\" "
            "ONP=\"&lt;ONP&gt;\" KOpr=\"&amp;\"/>");
}

TEST(ControlStatementXml, MandatoryAttributesAreWrittenEmptyOptionalOnesLeftOut) {
  TData data;
  Add(data.RowsA1, {"", "", "", "", "", "", ""});
  Add(data.RowsA2, {"", "", "", "", "", "", "", "", ""});
  Add(data.RowsB1, {"", "", "", "", "", "", "", ""});
  Add(data.RowsB2, {"", "", "", "", "", "", "", ""});
  Add(data.RowsB31, {"", "", "", ""});
  Add(data.RowsB32, {"", "", "", "", ""});
  Add(data.RowsC1, {"", "", "", "", "", "", "", "", "", "", "", ""});
  Add(data.RowsC2, {"", "", "", "", "", "", "", "", ""});
  Add(data.RowsD1, {"", "", "", "", "", ""});
  Add(data.RowsD2, {"", "", "", "", ""});
  const TTextLines expected = {
      "    <A1 F=\"\" Den=\"\" Z=\"\" D=\"\" S=\"\"/>",
      "    <A2 Odb=\"\" F=\"\" Den=\"\" Z=\"\"/>",
      "    <B1 F=\"\" Den=\"\" Z=\"\" D=\"\" S=\"\" O=\"\"/>",
      "    <B2 Dod=\"\" F=\"\" Den=\"\" Z=\"\" D=\"\" S=\"\" O=\"\"/>",
      "    <B31 Z=\"\" D=\"\" O=\"\"/>",
      "    <B32 Dod=\"\" Z=\"\" D=\"\" O=\"\"/>",
      "    <C1 FO=\"\" FP=\"\" ZR=\"\"/>",
      "    <C2 FO=\"\" FP=\"\" ZR=\"\" DR=\"\" S=\"\" OR=\"\"/>",
      "    <D1 SumaObratov=\"\" Z=\"\" D=\"\" ZZn=\"\" DZn=\"\"/>",
      "    <D2 Z=\"\" D=\"\" ZZn=\"\" DZn=\"\"/>",
  };
  EXPECT_EQ(Transactions(BuildControlStatement(TKVFormat::Format2016, data)), expected);
}

TEST(ControlStatementXml, Format2014WritesB31AsB3AndLeavesB32Out) {
  const auto data = FullStatement();
  const TTextLines lines = BuildControlStatement(TKVFormat::Format2014, *data);
  EXPECT_EQ(LineStartingWith(lines, "    <B3 "), "    <B3 Z=\"88.64\" D=\"17.73\" O=\"17.73\"/>");
  EXPECT_FALSE(HasLineStartingWith(lines, "    <B31 "));
  EXPECT_FALSE(HasLineStartingWith(lines, "    <B32 "));
  for (TKVFormat later : {TKVFormat::Format2016, TKVFormat::Format2017, TKVFormat::Format2021}) {
    const TTextLines l = BuildControlStatement(later, *data);
    EXPECT_FALSE(HasLineStartingWith(l, "    <B3 "));
    EXPECT_TRUE(HasLineStartingWith(l, "    <B31 "));
    EXPECT_TRUE(HasLineStartingWith(l, "    <B32 "));
  }
}

TEST(ControlStatementXml, OnpOnlyFrom2021BeforeKOpr) {
  TData data;
  Add(data.RowsC1, {"", "1", "2", "3", "", "", "", "", "", "", "1", "5"});
  for (const TFormatCase& c : kFormats) {
    const std::string line = Transactions(BuildControlStatement(c.Format, data)).at(0);
    if (c.Format == TKVFormat::Format2021)
      EXPECT_EQ(line, "    <C1 FO=\"1\" FP=\"2\" ZR=\"3\" ONP=\"5\" KOpr=\"1\"/>");
    else
      EXPECT_EQ(line, "    <C1 FO=\"1\" FP=\"2\" ZR=\"3\" KOpr=\"1\"/>") << c.Golden;
  }
}

TEST(ControlStatementXml, RecordsKeepSectionAndStoredOrder) {
  TData data;
  Add(data.RowsD2, {"1", "1", "1", "1", ""});
  Add(data.RowsA1, {"", "first", "d", "1", "1", "20", ""});
  Add(data.RowsA1, {"", "second", "d", "1", "1", "20", ""});
  Add(data.RowsB2, {"SK1", "b2", "d", "1", "1", "20", "1", ""});
  const TTextLines t = Transactions(BuildControlStatement(TKVFormat::Format2021, data));
  ASSERT_EQ(t.size(), 4u);
  EXPECT_TRUE(t[0].starts_with("    <A1 F=\"first\""));
  EXPECT_TRUE(t[1].starts_with("    <A1 F=\"second\""));
  EXPECT_TRUE(t[2].starts_with("    <B2 "));
  EXPECT_TRUE(t[3].starts_with("    <D2 "));
}
