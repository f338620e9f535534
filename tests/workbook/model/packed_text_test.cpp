#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "model_fixture.h"
#include "workbook/core/item_blocks.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/packed_text.h"

namespace workbook {

// Sets a text's reference count directly, to reach the count's limit without 2^28 copies.
struct TPackedTextProbe {
  static constexpr std::uint32_t kLargestCount = TPackedText::kSaturated / TPackedText::kOneRef;
  static std::uint32_t Count(const TPackedText& text) {
    return text.data_->Refs / TPackedText::kOneRef;
  }
  static void SetCount(TPackedText& text, std::uint32_t count) {
    auto& refs = text.data_->Refs;
    refs = count * TPackedText::kOneRef | (refs & (TPackedText::kOneRef - 1));
  }
};

namespace {

TEST(PackedTextTest, CopiesShareTheCharactersOutliveTheOriginalAndChangeAlone) {
  auto original = std::make_unique<TPackedText>(u"Položka 1");
  TPackedText copy(*original);
  TPackedText assigned;
  assigned = copy;
  EXPECT_EQ(assigned.View().data(), original->View().data());
  original.reset();
  EXPECT_EQ(copy.View(), u"Položka 1");
  assigned.Assign(u"xyz");
  EXPECT_EQ(copy.View(), u"Položka 1");
  assigned = assigned;  // self-assignment keeps the text
  EXPECT_EQ(assigned.View(), u"xyz");
}

// A short text made in blocks is read and shared as any other; when its last copy goes its room
// serves the next text of its size. A long one goes to the heap. A text that outlives the blocks'
// owner stays whole until its own last copy goes (the sanitizers watch both).
TEST(PackedTextTest, TextsMadeInBlocks) {
  auto blocks = std::make_unique<TItemBlocks>();
  TPackedText first;
  first.Assign(u"2024-01-31\r\n", blocks.get());
  TPackedText copy = first;
  EXPECT_EQ(copy.View(), u"2024-01-31\r\n");
  EXPECT_TRUE(copy.HasCRLF());
  EXPECT_FALSE(copy.HasLoneLineBreak());
  const char16_t* room = first.View().data();
  first.Assign(u"");
  copy.Assign(u"");
  TPackedText next;
  next.Assign(u"2024-02-29\r\n", blocks.get());
  EXPECT_EQ(next.View().data(), room);

  const std::u16string longText(200, u'x');
  TPackedText heap;
  heap.Assign(longText, blocks.get());
  EXPECT_EQ(heap.View(), longText);

  TPackedText outliving;
  outliving.Assign(u"kept", blocks.get());
  blocks.reset();
  EXPECT_EQ(outliving.View(), u"kept");
  EXPECT_EQ(next.WithCRLFBreaks().View(), u"2024-02-29\r\n");
}

// The header is 8 bytes: two 4-character texts made one after the other in fresh blocks lie 16
// bytes apart.
TEST(PackedTextTest, AShortTextTakesItsHeaderAndCharactersOnly) {
  TItemBlocks blocks;
  TPackedText first, second;
  first.Assign(u"ab\r\n", &blocks);
  second.Assign(u"wxyz", &blocks);
  const auto* a = reinterpret_cast<const char*>(first.View().data());
  const auto* b = reinterpret_cast<const char*>(second.View().data());
  EXPECT_EQ(b - a, 16);
}

// A count that reaches its limit stays there, however many holders let go of the text (which is
// then never freed), and the facts kept beside the count stay as they were.
TEST(PackedTextTest, ACountAtItsLimitIsNeverCountedDown) {
  constexpr std::uint32_t kLimit = TPackedTextProbe::kLargestCount;
  TItemBlocks blocks;
  TPackedText text;
  text.Assign(u"a\r\nb\n", &blocks);
  TPackedTextProbe::SetCount(text, kLimit - 2);
  // Copies made and let go of; the count while they are held and after.
  const std::tuple<int, std::uint32_t, std::uint32_t> cases[] = {
      {1, kLimit - 1, kLimit - 2},
      {2, kLimit, kLimit},
      {100, kLimit, kLimit},
  };
  for (const auto& [copies, held, after] : cases) {
    std::vector<TPackedText> holders(copies, text);
    EXPECT_EQ(TPackedTextProbe::Count(text), held) << copies;
    holders.clear();
    EXPECT_EQ(TPackedTextProbe::Count(text), after) << copies;
  }
  EXPECT_EQ(text.View(), u"a\r\nb\n");
  EXPECT_TRUE(text.HasCRLF());
  EXPECT_TRUE(text.HasLoneLineBreak());
  EXPECT_TRUE(text.Shared());
  // Handed back by the test alone, so that the sanitizers see nothing left over.
  TPackedTextProbe::SetCount(text, 1);
  EXPECT_FALSE(text.Shared());
}

class SharedCellTextTest : public test::SheetTest {};

TEST(PackedTextTest, LineBreakFactsAndTheirNormalForm) {
  const std::tuple<std::u16string, bool, bool, std::u16string> cases[] = {
      {u"", false, false, u""},
      {u"plain", false, false, u"plain"},
      {u"a\r\nb", true, false, u"a\r\nb"},
      {u"a\nb", false, true, u"a\r\nb"},
      {u"a\rb", false, true, u"a\r\nb"},
      {u"a\n\rb", false, true, u"a\r\n\r\nb"},
      {u"a\r\n\nb\r", true, true, u"a\r\n\r\nb\r\n"},
      {u"\r\r\n", true, true, u"\r\n\r\n"},
      // The controls next to CR and LF are no breaks; a break may end the text.
      {u"\t\v\f\x0E", false, false, u"\t\v\f\x0E"},
      {u"x\r", false, true, u"x\r\n"},
      {u"\x0C\r\n", true, false, u"\x0C\r\n"},
  };
  for (const auto& [chars, crlf, lone, normalForm] : cases) {
    const TPackedText text(chars);
    const std::string name(chars.begin(), chars.end());
    EXPECT_EQ(text.HasCRLF(), crlf) << name;
    EXPECT_EQ(text.HasLoneLineBreak(), lone) << name;
    const TPackedText normal = text.WithCRLFBreaks();
    EXPECT_EQ(normal.View(), normalForm) << name;
    // A text already in its normal form is itself, not a copy.
    if (!lone) {
      EXPECT_EQ(normal.View().data(), text.View().data()) << name;
    }
  }
}

TEST_F(SharedCellTextTest, CellsShareATableTextReadOnceAndKeepItsRules) {
  std::u16string chars(1'000'000, u'x');
  chars[500'000] = u'\r';
  chars[500'001] = u'\n';
  const std::uint64_t before = TPackedText::CharactersExamined();
  const TPackedText table(chars);
  TExportCellString* first = nullptr;
  for (int r = 0; r < 1000; ++r) {
    auto* text = static_cast<TExportCellString*>(sheet->GetRow(r)->AddCell(TCellClass::String));
    text->SetValueShared(table);
    if (!first) first = text;
  }
  // Copies share it too.
  auto* copy = static_cast<TExportCellString*>(sheet->GetRow(0)->AddCell(TCellClass::String));
  copy->Assign(*first);
  EXPECT_EQ(copy->GetValue().data(), table.View().data());
  EXPECT_TRUE(copy->GetStyle().GetWrapText());
  EXPECT_LE(TPackedText::CharactersExamined() - before, chars.size());
  // A shared long text is a shared string even where the cell was told otherwise; changing the
  // cell gives it its own text and leaves the table's alone.
  first->SetSharedString(false);
  EXPECT_TRUE(first->SharedString());
  first->SetValue(u"c");
  EXPECT_EQ(table.View(), chars);
}

}  // namespace
}  // namespace workbook
