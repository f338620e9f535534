#include "workbook/formats/text/recent_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "workbook/core/item_blocks.h"

namespace workbook {
namespace {

std::u16string Numbered(int n) {
  const std::string digits = std::to_string(n);
  return u"u" + std::u16string(digits.begin(), digits.end());
}

// A repeated text is shared within its column only; texts that differ, texts too long to keep
// and columns beyond those kept are made anew; the reader's buffer is emptied either way.
TEST(RecentTextsTest, RepeatsShareTheirColumnsText) {
  TItemBlocks blocks;
  TRecentTexts texts(TRecentTexts::kSlotsPerColumn, &blocks);
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
  EXPECT_NE(take(u"2024-02-01", 0).Identity(), first.Identity());
  EXPECT_TRUE(TRecentTexts::Kept(32, 63));
  EXPECT_FALSE(TRecentTexts::Kept(33, 0));
  EXPECT_FALSE(TRecentTexts::Kept(1, 64));
}

// A column whose texts did not repeat rests from the look-ups for a while, then looks again;
// another column shares all along, and every text stays the one given.
TEST(RecentTextsTest, AColumnOfUniqueTextsRests) {
  TRecentTexts texts;
  const TPackedText rate = texts.Take(u"20", 1);
  int n = 0;
  for (; n < 4096; ++n) EXPECT_EQ(texts.Take(Numbered(n), 0).ToString(), Numbered(n));
  const TPackedText repeated = texts.Take(u"same", 0);
  EXPECT_NE(texts.Take(u"same", 0).Identity(), repeated.Identity());
  EXPECT_EQ(texts.Take(u"same", 0).ToString(), u"same");
  EXPECT_EQ(texts.Take(u"20", 1).Identity(), rate.Identity());
  for (int rest = 3; rest < 16 * 4096; ++rest, ++n)
    ASSERT_EQ(texts.Take(Numbered(n), 0).ToString(), Numbered(n));
  const TPackedText looked = texts.Take(u"again", 0);
  EXPECT_EQ(texts.Take(u"again", 0).Identity(), looked.Identity());
}

}  // namespace
}  // namespace workbook
