#include "statement_fixture.h"

#include <gtest/gtest.h>

#include <libxml/parser.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <tuple>
#include <utility>

#include "platform/text_codec.h"

namespace app::test {

std::string Cp(const char* utf8) { return platform::Utf8ToCp1250(utf8); }

namespace {

// A record from its field texts (every field of a record is a string).
template <class Record>
void AddTexts(TRecordArray<Record>& rows, const std::vector<std::string>& texts) {
  [&]<std::size_t... I>(std::index_sequence<I...>) {
    rows.push_back(std::make_unique<Record>(Record{texts.at(I)...}));
  }
  (std::make_index_sequence<sizeof(Record) / sizeof(std::string)>());
}

void AddRecord(TData& data, TSection section, const std::vector<std::string>& texts) {
  auto rows = std::tie(data.RowsA1, data.RowsA2, data.RowsB1, data.RowsB2, data.RowsB31,
                       data.RowsB32, data.RowsC1, data.RowsC2, data.RowsD1, data.RowsD2,
                       data.RowsSV1, data.RowsSV2);  // in section order
  [&]<std::size_t... I>(std::index_sequence<I...>) {
    ((I == static_cast<std::size_t>(SectionIndex(section)) ? AddTexts(std::get<I>(rows), texts)
                                                           : void()),
     ...);
  }
  (std::make_index_sequence<kSectionCount>());
}

}  // namespace

std::vector<std::pair<TSection, std::vector<std::string>>> FullStatementRows() {
  std::vector<std::pair<TSection, std::vector<std::string>>> rows;
  std::ifstream in(std::string(TEST_DATA_DIR) + "/statement/full_statement.tsv");
  EXPECT_TRUE(in.good()) << "cannot read full_statement.tsv";
  for (std::string line; std::getline(in, line);) {
    std::istringstream cells(line);
    std::string name;
    std::getline(cells, name, '\t');
    TSection section{};
    EXPECT_TRUE(FindSection(name, section)) << name;
    std::vector<std::string> texts;
    for (std::string cell; std::getline(cells, cell, '\t');) texts.push_back(cell);
    texts.resize(FieldCount(section));
    rows.emplace_back(section, texts);
  }
  return rows;
}

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
  for (const auto& [section, texts] : FullStatementRows()) AddRecord(*data, section, texts);
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

std::filesystem::path TestFolder() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const auto folder = std::filesystem::path(BINARY_DIR) / "statement_test_files" /
                      (std::string(test->test_suite_name()) + "." + test->name());
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
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
