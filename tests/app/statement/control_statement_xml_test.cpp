#include "app/statement/control_statement_xml.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "statement_fixture.h"

using namespace app;
using namespace app::test;

namespace {

struct TFormatCase {
  TKVFormat Format;
  const char* Golden;
  const char* Root;
};

const TFormatCase kFormats[] = {{TKVFormat::Format2014, "kv_dph_2014_full.xml", "KVDPH"},
                                {TKVFormat::Format2016, "kv_dph_2016_full.xml", "KVDPH_2016"},
                                {TKVFormat::Format2017, "kv_dph_2017_full.xml", "KVDPH_2016"},
                                {TKVFormat::Format2021, "kv_dph_2021_full.xml", "KVDPH_2021"}};

// The lines between "  <Transakcie>" and "  </Transakcie>".
TTextLines Transactions(const TTextLines& lines) {
  auto begin = std::find(lines.begin(), lines.end(), "  <Transakcie>");
  auto end = std::find(lines.begin(), lines.end(), "  </Transakcie>");
  if (begin == lines.end() || end < begin) return {"<no transactions>"};
  return {begin + 1, end};
}

}  // namespace

// The goldens hold every section's records: B31 is written as B3 and B32 left out in the 2014
// format, ONP only from 2021.
TEST(ControlStatementXml, GoldenDocumentPerFormat) {
  const auto data = FullStatement();
  for (const TFormatCase& c : kFormats)
    EXPECT_EQ(LinesToUtf8(BuildControlStatement(c.Format, *data)), Golden(c.Golden)) << c.Golden;
}

TEST(ControlStatementXml, EmptySectionsStillOpenAndCloseTransactions) {
  TData data;
  data.Header = {"R", "2021", "Marec", false};
  for (const TFormatCase& c : kFormats) {
    const TTextLines lines = BuildControlStatement(c.Format, data);
    EXPECT_EQ(TTextLines(lines.end() - 3, lines.end()),
              (TTextLines{"  <Transakcie>", "  </Transakcie>", "</" + std::string(c.Root) + ">"}));
  }
}

TEST(ControlStatementXml, PeriodLine) {
  const std::pair<const char*, const char*> cases[] = {{"Január", "<Mesiac>1</Mesiac>"},
                                                       {"December", "<Mesiac>12</Mesiac>"},
                                                       {"1. štvrťrok", "<Stvrtrok>1</Stvrtrok>"},
                                                       {"4. štvrťrok", "<Stvrtrok>4</Stvrtrok>"},
                                                       {"január", nullptr},
                                                       {"5. štvrťrok", nullptr},
                                                       {"", nullptr}};
  for (const auto& [obdobie, line] : cases) {
    TData data;
    data.Header.Obdobie = Cp(obdobie);
    TTextLines block = {"      <Rok></Rok>", "    </Obdobie>"};
    if (line) block.insert(block.begin() + 1, std::string("      ") + line);
    EXPECT_TRUE(HasBlock(BuildControlStatement(TKVFormat::Format2021, data), block)) << obdobie;
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
  EXPECT_TRUE(
      HasBlock(BuildControlStatement(TKVFormat::Format2021, data),
               {"    <Nazov>" + std::string(37, 'N') + "</Nazov>",
                "    <Stat>" + std::string(28, 'S') + "</Stat>",
                "    <Obec>" + std::string(31, 'O') + "</Obec>", "    <PSC>97401</PSC>",
                "    <Ulica>" + std::string(28, 'U') + "</Ulica>", "    <Cislo>12345678</Cislo>",
                "    <Tel>" + std::string(15, '1') + "</Tel>",
                "    <Email>" + std::string(50, 'e') + "</Email>"}));
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

// Text and attribute values escaped each their own way (quotes only in attributes); ONP stands
// before KOpr.
TEST(ControlStatementXml, EveryValueIsEscapedForItsPlace) {
  TData data;
  data.Subject = {"SK<1>", "A & \"B\"", "", "", "", "", "", "", "a\"b@c"};
  data.Header = {"R&", "2021", "Marec", false};
  Add(data.RowsA1, {"SK\"1\"", "F<1>&2", "2021-03-05", "1", "2", "20", ""});
  Add(data.RowsC1, {"", "1", "2", "3", "", "", "", "", "", "", "1", "5"});
  Add(data.RowsC2, {"", "FO\"", "FP'", "1", "2", "20", "3", "&", "<ONP>"});
  const TTextLines lines = BuildControlStatement(TKVFormat::Format2021, data);
  EXPECT_TRUE(WellFormed(LinesToUtf8(lines)));
  for (const char* line :
       {"    <IcDphPlatitela>SK&lt;1&gt;</IcDphPlatitela>", "    <Nazov>A &amp; \"B\"</Nazov>",
        "    <Druh>R&amp;</Druh>", "    <Email>a\"b@c</Email>",
        "    <A1 Odb=\"SK&quot;1&quot;\" F=\"F&lt;1&gt;&amp;2\" Den=\"2021-03-05\" Z=\"1\" "
        "D=\"2\" S=\"20\"/>",
        "    <C1 FO=\"1\" FP=\"2\" ZR=\"3\" ONP=\"5\" KOpr=\"1\"/>",
        "    <C2 FO=\"FO&quot;\" FP=\"FP'\" ZR=\"1\" DR=\"2\" S=\"20\" OR=\"3\" "
        "ONP=\"&lt;ONP&gt;\" KOpr=\"&amp;\"/>"})
    EXPECT_TRUE(HasBlock(lines, {line})) << line;
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
