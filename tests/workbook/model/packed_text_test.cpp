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
  EXPECT_EQ(assigned.Identity(), original->Identity());
  original.reset();
  EXPECT_EQ(copy.ToString(), u"Položka 1");
  assigned.Assign(u"xyz");
  EXPECT_EQ(copy.ToString(), u"Položka 1");
  assigned = assigned;  // self-assignment keeps the text
  EXPECT_EQ(assigned.ToString(), u"xyz");
}

// A short text made in blocks is read and shared as any other; when its last copy goes its room
// serves the next text of its size. A long one goes to the heap. A text that outlives the blocks'
// owner stays whole until its own last copy goes (the sanitizers watch both).
TEST(PackedTextTest, TextsMadeInBlocks) {
  auto blocks = std::make_unique<TItemBlocks>();
  TPackedText first;
  first.Assign(u"2024-01-31\r\n", blocks.get());
  TPackedText copy = first;
  EXPECT_EQ(copy.ToString(), u"2024-01-31\r\n");
  EXPECT_TRUE(copy.HasCRLF());
  EXPECT_FALSE(copy.HasLoneLineBreak());
  const void* room = first.Identity();
  first.Assign(u"");
  copy.Assign(u"");
  TPackedText next;
  next.Assign(u"2024-02-29\r\n", blocks.get());
  EXPECT_EQ(next.Identity(), room);

  const std::u16string longText(300, u'x');
  TPackedText heap;
  heap.Assign(longText, blocks.get());
  EXPECT_EQ(heap.ToString(), longText);

  TPackedText outliving;
  outliving.Assign(u"kept", blocks.get());
  blocks.reset();
  EXPECT_EQ(outliving.ToString(), u"kept");
  EXPECT_EQ(next.WithCRLFBreaks().ToString(), u"2024-02-29\r\n");
}

// The room a text takes in blocks, found from where the next text made after it starts.
std::ptrdiff_t RoomInBlocks(std::u16string_view chars) {
  TItemBlocks blocks;
  TPackedText text, next;
  text.Assign(chars, &blocks);
  // Of a size no room given back while the text was made has (a wide text's first, narrow room).
  next.Assign(std::u16string(40, u'x'), &blocks);
  return static_cast<const char*>(next.Identity()) - static_cast<const char*>(text.Identity());
}

// A text keeps one byte a character when each of its characters is one of Windows-1250, two
// otherwise; either way it reads back as it was made, is as long in UTF-16 units and compares
// equal to its characters. Its room is an 8-byte header and the characters, in 8-byte grains.
TEST(PackedTextTest, OneByteACharacterWhereWindows1250HoldsEveryCharacter) {
  const std::tuple<const char*, std::u16string, bool, std::ptrdiff_t> cases[] = {
      {"ASCII", u"abcde", true, 16},
      {"Slovak letters", u"ľščťž", true, 16},
      {"Czech and German letters", u"ůřěäß", true, 16},
      {"the code page's signs", u"€„‰™\u00A0", true, 16},
      {"a control the code page leaves unassigned", u"ab\u0081cd", true, 16},
      {"NUL", std::u16string(u"ab\0cd", 5), true, 16},
      {"a Latin-1 letter outside it", u"añejo", false, 24},
      {"a Latin-1 capital outside it", u"\u00C0bcde", false, 24},
      {"a C1 control", u"ab\u0080cd", false, 24},
      {"the last C1 control", u"ab\u009Fcd", false, 24},
      {"CJK", u"ab中cd", false, 24},
      {"a lone surrogate",
       u"ab\xD800"
       u"cd",
       false, 24},
      {"a surrogate pair", u"ab\U0001F600c", false, 24},
      {"CR LF and a lone LF", u"a\r\nb\n", true, 16},
      {"the largest narrow text in blocks", std::u16string(240, u'č'), true, 248},
      {"the largest wide text in blocks", std::u16string(120, u'ñ'), false, 248},
  };
  for (const auto& [name, chars, narrow, room] : cases) {
    const TPackedText text(chars);
    EXPECT_EQ(text.size(), chars.size()) << name;
    EXPECT_EQ(text.ToString(), chars) << name;
    std::u16string scratch;
    const std::u16string_view view = text.View(scratch);
    EXPECT_EQ(view, chars) << name;
    EXPECT_EQ(view.data() == scratch.data(), narrow) << name;
    std::u16string appended = u"<";
    text.AppendTo(appended);
    EXPECT_EQ(appended, u"<" + chars) << name;
    EXPECT_TRUE(text.Equals(chars)) << name;
    std::u16string other = chars;
    other.back() = u'\u0161';  // š: narrow itself
    EXPECT_FALSE(text.Equals(other)) << name;
    EXPECT_FALSE(text.Equals(chars.substr(1))) << name;
    EXPECT_EQ(RoomInBlocks(chars), room) << name;
  }
  // Past the blocks' largest item a text goes to the heap.
  EXPECT_NE(RoomInBlocks(std::u16string(241, u'č')), 248);
  const TPackedText empty(u"");
  EXPECT_TRUE(empty.Equals(u""));
  EXPECT_FALSE(empty.Equals(u"a"));
  std::u16string scratch = u"left";
  EXPECT_TRUE(empty.View(scratch).empty());
}

// The holders of a text (of one byte a character or two, in blocks or on the heap) may let go
// of it in any order: each reads it whole until it does (the sanitizers watch the rest).
TEST(PackedTextTest, SharedTextsFreedInAnyOrder) {
  // Narrow and wide, in blocks and on the heap, and wide on the heap though one byte a
  // character would have fitted in blocks.
  const std::u16string texts[] = {u"Košice", u"Malmö ø", std::u16string(300, u'ž'),
                                  std::u16string(300, u'ñ'), std::u16string(130, u'ñ')};
  const int orders[][3] = {{0, 1, 2}, {2, 1, 0}, {1, 0, 2}, {1, 2, 0}};
  TItemBlocks blocks;
  for (const std::u16string& chars : texts) {
    for (const auto& order : orders) {
      auto holders = std::make_unique<std::unique_ptr<TPackedText>[]>(3);
      holders[0] = std::make_unique<TPackedText>();
      holders[0]->Assign(chars, &blocks);
      holders[1] = std::make_unique<TPackedText>(*holders[0]);
      holders[2] = std::make_unique<TPackedText>(std::move(*holders[1]));
      *holders[1] = *holders[2];
      for (int k : order) {
        EXPECT_TRUE(holders[k]->Equals(chars));
        holders[k].reset();
      }
    }
  }
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
  EXPECT_EQ(text.ToString(), u"a\r\nb\n");
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
    EXPECT_EQ(normal.ToString(), normalForm) << name;
    // A text already in its normal form is itself, not a copy.
    if (!lone) {
      EXPECT_EQ(normal.Identity(), text.Identity()) << name;
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
  EXPECT_EQ(copy->GetValueShared().Identity(), table.Identity());
  EXPECT_TRUE(copy->GetStyle().GetWrapText());
  EXPECT_LE(TPackedText::CharactersExamined() - before, chars.size());
  // A shared long text is a shared string even where the cell was told otherwise; changing the
  // cell gives it its own text and leaves the table's alone.
  first->SetSharedString(false);
  EXPECT_TRUE(first->SharedString());
  first->SetValue(u"c");
  EXPECT_EQ(table.ToString(), chars);
}

}  // namespace
}  // namespace workbook
