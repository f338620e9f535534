#include "app/statement/vat_payer_list.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/statement/errors.h"
#include "app/statement/integer_text.h"
#include "statement_fixture.h"

using namespace app;
using namespace app::test;

namespace {

const char kRegister[] = "ZoznamSubjektovRegistrovanychkDPH";
const char kCancellation[] = "zoznamplatitelovdphsdovodomna";
const char kSpecial[] = "zoznamplatitelovdph_osobitnau";

std::vector<std::int64_t> Numbers(const TVATList& list) {
  std::vector<std::int64_t> numbers;
  for (const tVATSubject& e : list.Entries) numbers.push_back(e.Number);
  return numbers;
}

std::optional<TVATList> Parse(const std::string& bytes) {
  std::istringstream in(bytes);
  return ReadVATList(in);
}

}  // namespace

TEST(VATPayerList, KindByTheStartOfTheFirstLine) {
  struct Case {
    std::string line;
    std::optional<TVATListKind> kind;
  } cases[] = {
      {std::string(kRegister) + ";06.12.2026", TVATListKind::Register},
      {std::string(kCancellation) + "zrusenieregistracie;05.02.2014", TVATListKind::Cancellation},
      {std::string(kSpecial) + "pravu;2014", TVATListKind::SpecialScheme},
      {"zoznamsubjektovregistrovanychkdph", std::nullopt},
      {"ZoznamSubjektovRegistrovanychkDP", std::nullopt},
      {"zoznamplatitelovdph;05.02.2014", std::nullopt},
      {" ZoznamSubjektovRegistrovanychkDPH", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(VATListKindOf(c.line), c.kind) << c.line;
}

TEST(VATPayerList, FileLinesInAnyPiecesAndCut) {
  using V = std::vector<std::string>;
  struct Case {
    std::string bytes;
    std::size_t keep;
    V lines;
  } cases[] = {
      {"a\nb", 9, {"a", "b"}},
      {"a\r\nb\r\n", 9, {"a", "b"}},
      {"a\n\nb\n", 9, {"a", "", "b"}},
      {"a\rb\n", 9, {"a\rb"}},
      {"a\r", 9, {"a\r"}},
      {"\n", 9, {""}},
      {"", 9, {}},
      {"abcdef\r\nxy\n", 3, {"abc", "xy"}},
      {"abc\r\nab\r\n", 3, {"abc", "ab"}},
  };
  for (const Case& c : cases) {
    for (std::size_t chunk : {1, 2, 3, 1 << 16}) {
      std::istringstream in(c.bytes);
      TFileLineReader reader(in, c.keep, chunk);
      V lines;
      for (std::string line; reader.Next(line);) lines.push_back(line);
      EXPECT_EQ(lines, c.lines) << c.bytes << " in pieces of " << chunk;
    }
  }
}

TEST(VATPayerList, RegisterSkipsTwoHeaderLinesTheOthersOne) {
  const auto reg =
      Parse(std::string(kRegister) + "\r\nIC_DPH;ICO;NAZOV\r\n" + "SK2020000001;123;Firma A\r\n");
  ASSERT_TRUE(reg);
  EXPECT_EQ(Numbers(*reg), std::vector<std::int64_t>{2020000001});
  const auto list = Parse(std::string(kCancellation) + "\nSK2020000001;1\nSK2020000002;2\n");
  ASSERT_TRUE(list);
  EXPECT_EQ(Numbers(*list), (std::vector<std::int64_t>{2020000001, 2020000002}));
}

TEST(VATPayerList, EntryKeyAndText) {
  const std::string long_text(250, 't');
  const auto list =
      Parse(std::string(kSpecial) + "\n" + "SK1234567890;Firma \xE8;Ko\x9A" + "ice\n" +
            "SK1000000000;" + long_text + "\n" + "SK0000000042\n" + "SK7\n");
  ASSERT_TRUE(list);
  ASSERT_EQ(list->Entries.size(), 4u);
  // Sorted by number.
  EXPECT_EQ(Numbers(*list), (std::vector<std::int64_t>{7, 42, 1000000000, 1234567890}));
  EXPECT_EQ(list->Entries[0].Text, "");
  EXPECT_EQ(list->Entries[1].Text, "");
  EXPECT_EQ(list->Entries[2].Text, long_text.substr(0, 200));
  EXPECT_EQ(list->Entries[3].Text, "Firma \xE8;Ko\x9Aice");
}

TEST(VATPayerList, UnknownEmptyOrHeaderOnlyFile) {
  EXPECT_FALSE(Parse(""));
  EXPECT_FALSE(Parse("IC_DPH;ICO\nSK1234567890;1\n"));
  const auto list = Parse(std::string(kRegister) + "\nheading\n");
  ASSERT_TRUE(list);
  EXPECT_TRUE(list->Entries.empty());
  EXPECT_FALSE(VATsearch(list->Entries, 0));
}

TEST(VATPayerList, LineWithoutNumberStopsTheLoadWithConversionError) {
  struct Case {
    const char* line;
    const char* message;
  } cases[] = {{"SKABCDEFGHIJ;x", "'ABCDEFGHIJ' is not a valid integer value"},
               {"", "'' is not a valid integer value"},
               {"SK12345;6789", "'12345;6789' is not a valid integer value"}};
  for (const auto& c : cases) {
    const std::string file = std::string(kCancellation) + "\nSK1234567890\n" + c.line + "\nSK1\n";
    EXPECT_EQ(test_support::Thrown<EConvertError>([&] { Parse(file); }), c.message);
  }
}

// A list not in ascending order (a repeated number among them) is sorted for the search.
TEST(VATPayerList, UnsortedListIsSearchable) {
  const std::vector<std::int64_t> keys = {9000000000, 1000000001, 5555555555, 1000000000,
                                          7000000007, 2000000002, 5555555555, 3000000003};
  std::string text = std::string(kRegister) + "\nheading\n";
  for (std::int64_t k : keys) text += "SK" + std::to_string(k) + ";x\n";
  const auto list = Parse(text);
  ASSERT_TRUE(list);
  for (std::int64_t k : keys) EXPECT_TRUE(VATsearch(list->Entries, k)) << k;
  for (std::int64_t k : {0LL, 999999999LL, 4000000000LL, 9999999999LL, -1LL})
    EXPECT_FALSE(VATsearch(list->Entries, k)) << k;
}

TEST(VATPayerList, IdKeyIsCharacters3To12) {
  const std::pair<const char*, std::int64_t> keys[] = {{"SK1234567890", 1234567890},
                                                       {"SK123456789012", 1234567890},
                                                       {"CZ0000000001", 1},
                                                       {"SK12345", 12345}};
  for (const auto& [id, key] : keys) EXPECT_EQ(VATIdKey(id), key) << id;
  for (const char* id : {"SKABCDEFGHIJ", "SK", "", "SK12345 7890"})
    EXPECT_FALSE(VATIdKey(id)) << id;
}

// Reading a real file is part of the check's tests.
TEST(VATPayerList, MissingFileRaisesFileNotFound) {
  EXPECT_EQ(test_support::Thrown<EInOutError>(
                [] { LoadVATList(std::string(BINARY_DIR) + "/no such.csv"); }),
            "File not found");
}
