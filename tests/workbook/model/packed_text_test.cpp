#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "model_fixture.h"
#include "support/thrown.h"
#include "workbook/core/exceptions.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/load_budget.h"
#include "workbook/model/packed_text.h"

namespace workbook {
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

// Short texts are copied out of the builder, long ones (from 65,536 characters) take its room:
// either way the text and its line-break facts are the ones built, and the builder starts over.
TEST(PackedTextBuilderTest, TakenTextsAreTheCharactersBuilt) {
  // The length, where a CR LF stands when inside the text, and whether the text holds one.
  const std::tuple<std::size_t, std::size_t, bool> cases[] = {
      {0, 0, false},          {1, 5, false},           {300, 150, true},
      {65'535, 65'000, true}, {65'536, 70'000, false}, {200'001, 3, true}};
  TPackedTextBuilder builder;
  for (const auto& [length, breakAt, crlf] : cases) {
    std::u16string expected;
    for (std::size_t i = 0; i < length; ++i)
      expected += i == breakAt ? u'\r' : i == breakAt + 1 ? u'\n' : char16_t(u'a' + i % 26);
    for (char16_t ch : expected) builder.push_back(ch);
    const TPackedText text = builder.Take();
    EXPECT_EQ(text.View(), expected) << length;
    EXPECT_EQ(text.HasCRLF(), crlf) << length;
    EXPECT_FALSE(text.HasLoneLineBreak()) << length;
    EXPECT_TRUE(builder.empty()) << length;
  }
}

TEST(PackedTextBuilderTest, ATextBeyondTheLoadBudgetIsRefusedWhileBuilt) {
  TWorkbookLoadLimits limits;
  limits.MaxTextBytes = 1 << 20;
  TWorkbookLoadBudget budget(limits);
  TPackedTextBuilder builder;
  std::size_t built = 0;
  EXPECT_EQ(test_support::Thrown<EWorkbookFileException>([&] {
              for (; built < (1u << 20); ++built) builder.push_back(u'x');
            }),
            "The file is too large to load: its texts take more than 1 MB.");
  // Refused at the growth that would pass 1 MB, not after the whole text.
  EXPECT_EQ(built, 512u * 1024u);
}

}  // namespace
}  // namespace workbook
