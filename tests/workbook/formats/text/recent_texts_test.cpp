#include "workbook/formats/text/recent_texts.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "workbook/core/item_blocks.h"

namespace workbook {
namespace {

std::u16string Numbered(const char* prefix, int n) {
  const std::string text = prefix + std::to_string(n);
  return std::u16string(text.begin(), text.end());
}

// A repeated text is shared within its column only; texts that differ (also in their last
// character only), texts too long to keep and columns beyond those kept are made anew; the
// reader's buffer is emptied either way.
TEST(RecentTextsTest, RepeatsShareTheirColumnsText) {
  TItemBlocks blocks;
  TRecentTexts texts(&blocks);
  TTextBuffer field;
  auto take = [&](std::u16string_view text, int column) {
    field.append(text);
    const TPackedText taken = texts.Take(field, column);
    EXPECT_TRUE(field.empty());
    EXPECT_EQ(taken.ToString(), text);
    return taken;
  };
  const TPackedText first = take(u"2024-01-31", 0);
  EXPECT_EQ(take(u"2024-01-31", 0).Identity(), first.Identity());
  EXPECT_NE(take(u"2024-01-31", 1).Identity(), first.Identity());
  EXPECT_EQ(texts.Take(u"2024-01-31", 0).Identity(), first.Identity());
  EXPECT_NE(take(u"2024-01-30", 0).Identity(), first.Identity());
  const std::u16string longest(TRecentTexts::kMaxLength, u'\u017E');
  const TPackedText kept = take(longest, 2);
  EXPECT_EQ(take(longest, 2).Identity(), kept.Identity());
  EXPECT_NE(take(longest.substr(1) + u'z', 2).Identity(), kept.Identity());
  EXPECT_EQ(texts.Take(u"", 3).ToString(), u"");
  EXPECT_TRUE(TRecentTexts::Kept(TRecentTexts::kMaxLength, TRecentTexts::kColumns - 1));
  EXPECT_FALSE(TRecentTexts::Kept(TRecentTexts::kMaxLength + 1, 0));
  EXPECT_FALSE(TRecentTexts::Kept(1, TRecentTexts::kColumns));
  EXPECT_FALSE(TRecentTexts::Kept(1, -1));
}

enum class TOrder {
  Random,
  InTurn,         // the texts come round in turn (dates of a sorted ledger)
  InRuns,         // each text some rows on end (a ledger sorted by partner)
  AmongDistinct,  // one text in three rows, the others every row its own (notes)
};

struct TColumnCase {
  const char* name;
  int distinct;  // 0: every text its own
  TOrder order;
  std::size_t slotsAtEnd;
  bool everyRepeatShared;
};

const TColumnCase kColumnCases[] = {
    {"few", 3, TOrder::Random, TRecentTexts::kFirstSlots, true},
    {"more_in_turn_than_a_first_table_holds", 84, TOrder::InTurn, 8 * TRecentTexts::kFirstSlots,
     true},
    {"thousands", 2000, TOrder::Random, TRecentTexts::kMostSlots, true},
    {"thousands_in_runs", 2000, TOrder::InRuns, TRecentTexts::kFirstSlots, true},
    {"one_among_distinct", 0, TOrder::AmongDistinct, TRecentTexts::kFirstSlots, false},
    {"all_distinct", 0, TOrder::Random, 0, true},
};

// A column's texts, the same every time; VAT-number-like, so that texts differ in their last
// characters only.
std::vector<std::u16string> ColumnTexts(const TColumnCase& c, int count, unsigned seed) {
  std::minstd_rand random(seed);
  std::vector<std::u16string> column;
  for (int i = 0; i < count; ++i) {
    int n = i;
    if (c.order == TOrder::Random && c.distinct) n = random() % c.distinct;
    if (c.order == TOrder::InTurn) n = i % c.distinct;
    if (c.order == TOrder::InRuns) n = i / 20 % c.distinct;
    if (c.order == TOrder::AmongDistinct && i % 3 == 0) n = -1;
    column.push_back(Numbered("SK20", 10'000'000 + n));
  }
  return column;
}

// Each text taken is the one given; once the column's table has grown (within two reviews),
// every text met again is the one made the first time it was met since; a table grows only
// where it lets go of texts that come again; a column whose texts do not repeat ends resting,
// without a table.
TEST(RecentTextsTest, ColumnsShareWhatRepeatsWithTablesOfTheirSize) {
  for (const TColumnCase& c : kColumnCases) {
    SCOPED_TRACE(c.name);
    TItemBlocks blocks;
    TRecentTexts texts(&blocks);
    TTextBuffer field;
    std::vector<TPackedText> cells;
    std::map<std::u16string, const void*> met;
    const std::vector<std::u16string> column = ColumnTexts(c, 20'000, 7);
    for (std::size_t i = 0; i < column.size(); ++i) {
      if (i % 2) field.append(column[i]);
      cells.push_back(i % 2 ? texts.Take(field, 0) : texts.Take(column[i], 0));
      ASSERT_EQ(cells.back().ToString(), column[i]) << i;
      if (i < 2 * TRecentTexts::kReview || !c.everyRepeatShared) continue;
      const auto [first, added] = met.emplace(column[i], cells.back().Identity());
      ASSERT_EQ(first->second, cells.back().Identity()) << i;
    }
    EXPECT_EQ(texts.Slots(), c.slotsAtEnd);
    for (std::size_t i = 0; i < column.size(); ++i) ASSERT_EQ(cells[i].ToString(), column[i]) << i;
  }
}

// However many columns repeat thousands of texts, the tables together stay within their cap,
// and every text stays the one given.
TEST(RecentTextsTest, TheTablesGrowNoFurtherThanTheirCap) {
  const TColumnCase& thousands = kColumnCases[2];
  constexpr int kColumns = 8;
  std::vector<std::vector<std::u16string>> columns;
  for (int col = 0; col < kColumns; ++col)
    columns.push_back(ColumnTexts(thousands, 12'000, col + 1));
  TRecentTexts texts;
  std::size_t most = 0;
  for (int row = 0; row < 12'000; ++row) {
    for (int col = 0; col < kColumns; ++col)
      ASSERT_EQ(texts.Take(columns[col][row], col).ToString(), columns[col][row]);
    most = std::max(most, texts.Slots());
  }
  EXPECT_LE(most, kColumns * TRecentTexts::kFirstSlots + TRecentTexts::kGrowthCap);
  EXPECT_GT(most, 3 * TRecentTexts::kMostSlots);
}

// Every column kept, and more, of texts that never repeat: the tables stay at their first size
// and go while the columns rest.
TEST(RecentTextsTest, ManyColumnsOfDistinctTextsCostLittle) {
  constexpr int kColumns = TRecentTexts::kColumns + 6;
  TRecentTexts texts;
  for (int row = 0; row < 2 * static_cast<int>(TRecentTexts::kReview); ++row) {
    for (int col = 0; col < kColumns; ++col) {
      const std::u16string text = Numbered("FA", row * kColumns + col);
      if (!TRecentTexts::Kept(text.size(), col)) continue;
      ASSERT_EQ(texts.Take(text, col).ToString(), text);
    }
    ASSERT_LE(texts.Slots(), TRecentTexts::kColumns * TRecentTexts::kFirstSlots);
  }
  EXPECT_EQ(texts.Slots(), 0u);
}

// A column whose texts did not repeat rests from the look-ups for a while, then looks again;
// another column shares all along, and every text stays the one given.
TEST(RecentTextsTest, AColumnOfUniqueTextsRests) {
  TRecentTexts texts;
  const TPackedText rate = texts.Take(u"20", 1);
  int n = 0;
  for (; n < static_cast<int>(TRecentTexts::kReview); ++n)
    EXPECT_EQ(texts.Take(Numbered("u", n), 0).ToString(), Numbered("u", n));
  const TPackedText repeated = texts.Take(u"same", 0);
  EXPECT_NE(texts.Take(u"same", 0).Identity(), repeated.Identity());
  EXPECT_EQ(texts.Take(u"same", 0).ToString(), u"same");
  EXPECT_EQ(texts.Take(u"20", 1).Identity(), rate.Identity());
  for (std::uint32_t rest = 3; rest < TRecentTexts::kRest; ++rest, ++n)
    ASSERT_EQ(texts.Take(Numbered("u", n), 0).ToString(), Numbered("u", n));
  const TPackedText looked = texts.Take(u"again", 0);
  EXPECT_EQ(texts.Take(u"again", 0).Identity(), looked.Identity());
}

}  // namespace
}  // namespace workbook
