#include "statement_fixture.h"

#include <gtest/gtest.h>

#include <libxml/parser.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/text_codec.h"

namespace app::test {

std::string Cp(const char* utf8) { return platform::Utf8ToCp1250(utf8); }

std::unique_ptr<TData> FullStatement() {
  auto data = std::make_unique<TData>();
  data->Header = {"R", "2021", "Marec", false};
  data->Subject = {"SK2020123456",
                   Cp("Obchod & Servis, s.r.o. Banská Bystrica"),
                   Cp("Slovenská republika"),
                   Cp("Banská Bystrica"),
                   "97401",
                   Cp("Námestie SNP"),
                   "12/A",
                   "+421 905 123 456",
                   "info@obchod.sk"};
  Add(data->RowsA1, {"SK1234567890", "FV2021001", "2021-03-05", "1000", "200", "20", ""});
  Add(data->RowsA1, {"", "FV2021002", "2021-03-08", "50.5", "5.05", "10", "1"});
  Add(data->RowsA2,
      {"SK4444444444", "FV2021010", "2021-03-10", "2500", "7201", "", "597.67", "t", ""});
  Add(data->RowsA2, {"SK4545454545", "FV2021011", "2021-03-11", "300", "", "IO", "27", "ks", "2"});
  Add(data->RowsB1,
      {"CZ12121212", "25/2021", "2021-03-02", "1444.39", "288.88", "20", "288.88", ""});
  Add(data->RowsB1, {"", "1030/2021", "2021-03-22", "100", "20", "20", "20", "2"});
  Add(data->RowsB2,
      {"SK6666666666", "21-19", "2021-03-04", "784.96", "156.99", "20", "156.99", ""});
  Add(data->RowsB2, {"SK7777777777", "2103816", "2021-03-26", "639.16", "63.92", "10", "0", "1"});
  Add(data->RowsB31, {"88.64", "17.73", "17.73", ""});
  Add(data->RowsB32, {"SK8888888888", "120", "24", "24", "2"});
  Add(data->RowsC1,
      {"SK1234567890", "FV2021001", "DB2021001", "-100", "-20", "20", "", "", "", "", "", "1"});
  Add(data->RowsC1,
      {"", "FV2021003", "DB2021002", "-50", "", "", "7226", "", "-5.5", "kg", "2", ""});
  Add(data->RowsC2, {"SK8787878787", "2060/2021", "DB-7", "-200", "-40", "20", "-40", "", "2"});
  Add(data->RowsD1, {"416.9", "145.27", "29.05", "219.62", "21.96", ""});
  Add(data->RowsD2, {"548.02", "109.6", "504.42", "50.44", "1"});
  Add(data->RowsSV1, {"CZ12345678", "1500", ""});
  Add(data->RowsSV1, {"DE123456789", "250", "2"});
  Add(data->RowsSV1, {"HU12345678", "-10", "3"});
  Add(data->RowsSV2, {"CZ12345678", "SK1234567890", "1", "0"});
  Add(data->RowsSV2, {"PL1234567890", "", "0", "1"});
  return data;
}

std::vector<std::string> FieldTexts(TSection section,
                                    const std::vector<std::pair<std::string, std::string>>& cells) {
  std::vector<std::string> texts(FieldCount(section));
  const std::string prefix = std::string(SectionName(section)) + "-";
  for (const auto& [name, text] : cells) {
    const int slot = ColumnSlot(prefix + name);
    if (slot < 0)
      ADD_FAILURE() << "no field " << prefix + name;
    else
      texts.at(slot - FirstSlot(section)) = text;
  }
  return texts;
}

std::vector<std::pair<std::string, std::string>> TextPairs(const std::string& table) {
  std::vector<std::pair<std::string, std::string>> pairs;
  std::istringstream in(table);
  for (std::string pair; in >> pair;)
    pairs.emplace_back(pair.substr(0, pair.find('=')), pair.substr(pair.find('=') + 1));
  return pairs;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << path;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Golden(const std::string& name) {
  return ReadFileBytes(std::string(TEST_DATA_DIR) + "/statement/" + name);
}

std::string LineStartingWith(const TTextLines& lines, std::string_view start) {
  for (const std::string& line : lines)
    if (line.starts_with(start)) return line;
  return "<none>";
}

bool HasBlock(const TTextLines& lines, const TTextLines& block) {
  return std::search(lines.begin(), lines.end(), block.begin(), block.end()) != lines.end();
}

bool WellFormed(const std::string& bytes) {
  xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  xmlFreeDoc(doc);
  return doc != nullptr;
}

}  // namespace app::test
