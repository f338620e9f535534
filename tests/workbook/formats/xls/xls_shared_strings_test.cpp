#include "workbook/formats/xls/xls_shared_strings.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "workbook/core/item_blocks.h"

namespace workbook {
namespace {

// Entries' texts are made in the blocks given when they fit there: cells sharing them keep them
// after the table and then the blocks' owner are gone, long texts and texts with runs among them.
TEST(XLSSharedStringsTest, TextsOutliveTableAndBlocks) {
  const struct {
    std::u16string text;
    std::vector<TXLSRichTextRun> runs;
    std::u16string cellText;
  } cases[] = {
      {u"a", {}, u"a"},
      {std::u16string(118, u'f'), {}, std::u16string(118, u'f')},  // the largest the blocks take
      {std::u16string(119, u'l'), {}, std::u16string(119, u'l')},  // on the heap
      {std::u16string(70000, u'h'), {}, std::u16string(70000, u'h')},
      {u"bold plain", {{0, 5}, {4, 6}}, u"bold plain"},
      {u"x\ny", {}, u"x\r\ny"},
  };
  auto blocks = std::make_unique<TItemBlocks>();
  std::vector<TPackedText> cells;
  {
    TXLSSharedStrings_Import table;
    for (const auto& c : cases) table.Add(c.text, c.runs, blocks.get());
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      EXPECT_EQ(table.GetEntry(i)->Runs(), cases[i].runs) << i;
      // Many cells share each entry.
      for (int copy = 0; copy < 3; ++copy) cells.push_back(table.GetEntry(i)->SharedText());
    }
  }
  for (std::size_t i = 0; i < cells.size(); ++i)
    EXPECT_EQ(cells[i].ToString(), cases[i / 3].cellText) << i;
  blocks.reset();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    EXPECT_EQ(cells[i].ToString(), cases[i / 3].cellText) << i;
    EXPECT_TRUE(cells[i].Shared()) << i;
  }
  // The last holders let go of the texts, and of the blocks they lived in.
  cells.clear();
}

// An entry is one word whether or not it has runs, a lone line break or an object: each of them
// keeps all it answers through moves (a growing table, entries moved over one another), and an
// object is freed exactly once, by the entry holding it last.
TEST(XLSSharedStringsTest, EntriesKeepWhatTheyHoldThroughMoves) {
  struct TCounted : TXLSSharedStrings_ImportObject {
    explicit TCounted(int& alive) : alive_(alive) { ++alive_; }
    ~TCounted() override { --alive_; }
    int& alive_;
  };
  const struct {
    std::u16string text;
    std::vector<TXLSRichTextRun> runs;
    bool object;
    std::u16string cellText;
  } cases[] = {
      {u"plain", {}, false, u"plain"},
      {u"", {}, false, u""},
      {u"", {}, true, u""},
      {u"bold", {{0, 5}}, false, u"bold"},
      {u"a\nb", {}, false, u"a\r\nb"},
      {u"with object", {}, true, u"with object"},
      {u"runs and object", {{1, 6}, {3, 7}}, true, u"runs and object"},
      {u"x\r", {{0, 5}}, true, u"x\r\n"},
  };
  int alive = 0;
  {
    std::vector<TXLSSharedStrings_ImportEntry> entries;
    std::vector<TPackedText> texts;
    std::vector<const TXLSSharedStrings_ImportObject*> objects;
    for (int round = 0; round < 40; ++round) {  // enough for the vector to move them often
      for (const auto& c : cases) {
        texts.emplace_back(c.text);
        entries.emplace_back(texts.back(), c.runs);
        objects.push_back(nullptr);
        if (c.object) {
          entries.back().SetObject(std::make_unique<TCounted>(alive));
          objects.back() = entries.back().Object();
        }
      }
    }
    const std::size_t n = std::size(cases);
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const auto& c = cases[i % n];
      const TXLSSharedStrings_ImportEntry& entry = entries[i];
      EXPECT_EQ(entry.Text().ToString(), c.text) << i;
      EXPECT_EQ(entry.Text().Identity(), texts[i].Identity()) << i;  // the text, not a copy
      EXPECT_EQ(entry.SharedText().ToString(), c.cellText) << i;
      EXPECT_EQ(entry.Runs(), c.runs) << i;
      EXPECT_EQ(entry.Object(), objects[i]) << i;
    }
    EXPECT_EQ(alive, 40 * 4);

    // Moved over an entry with an object: that object goes, the moved one stays with its text.
    entries[2] = std::move(entries[n + 6]);
    EXPECT_EQ(alive, 40 * 4 - 1);
    EXPECT_EQ(entries[2].Text().ToString(), u"runs and object");
    EXPECT_EQ(entries[2].Runs(), cases[6].runs);
    EXPECT_EQ(entries[2].Object(), objects[n + 6]);
    // The entry moved from holds nothing.
    const TXLSSharedStrings_ImportEntry& left = entries[n + 6];
    EXPECT_EQ(left.Text().ToString(), u"");
    EXPECT_TRUE(left.Runs().empty());
    EXPECT_EQ(left.Object(), nullptr);
    // A plain entry moved over one with runs, and given an object afterwards.
    entries[3] = std::move(entries[0]);
    EXPECT_EQ(entries[3].Text().ToString(), u"plain");
    EXPECT_TRUE(entries[3].Runs().empty());
    entries[3].SetObject(std::make_unique<TCounted>(alive));
    EXPECT_EQ(entries[3].Text().Identity(), texts[0].Identity());
    EXPECT_EQ(alive, 40 * 4);
    entries.erase(entries.begin(), entries.begin() + 5);
    EXPECT_EQ(alive, 40 * 4 - 2);
  }
  EXPECT_EQ(alive, 0);
}

}  // namespace
}  // namespace workbook
