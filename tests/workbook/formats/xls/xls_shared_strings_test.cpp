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

}  // namespace
}  // namespace workbook
