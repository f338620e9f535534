#include "workbook/model/text_buffer.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/thrown.h"
#include "workbook/core/exceptions.h"
#include "workbook/model/load_budget.h"

namespace workbook {
namespace {

// Short texts are copied out of the buffer, long ones (from 65,536 characters) take its room,
// narrowed where it stands when one byte a character holds them: either way the text and its
// facts are the ones built, and the buffer starts over.
TEST(TextBufferTest, TakenTextsAreTheCharactersBuilt) {
  // The length, where a CR LF stands when inside the text, whether the text holds one, its last
  // character and whether that leaves it one byte a character.
  const std::tuple<std::size_t, std::size_t, bool, char16_t, bool> cases[] = {
      {0, 0, false, 0, false},
      {1, 5, false, u'č', true},
      {300, 150, true, u'ñ', false},
      {65'535, 65'000, true, u'z', true},
      {65'536, 70'000, false, u'ž', true},
      {65'536, 3, true, u'ñ', false},
      {200'001, 3, true, u'\xDFFF', false},
      {200'001, 199'990, true, u'€', true},
      // Narrowed where it stands from a first unit that is not plain ASCII.
      {65'536, 1, true, u'ľ', true}};
  TTextBuffer buffer;
  for (const auto& [length, breakAt, crlf, last, narrow] : cases) {
    std::u16string expected;
    for (std::size_t i = 0; i < length; ++i)
      expected += i == breakAt ? u'\r' : i == breakAt + 1 ? u'\n' : char16_t(u'a' + i % 26);
    if (length > 0) expected.back() = last;
    if (breakAt == 1) expected.front() = u'č';
    for (char16_t ch : expected) buffer.push_back(ch);
    const TPackedText text = buffer.Take();
    std::u16string scratch;
    const std::u16string_view view = text.View(scratch);
    EXPECT_EQ(view, expected) << length;
    EXPECT_EQ(!view.empty() && view.data() == scratch.data(), narrow) << length;
    EXPECT_EQ(text.HasCRLF(), crlf) << length;
    EXPECT_FALSE(text.HasLoneLineBreak()) << length;
    EXPECT_TRUE(buffer.empty()) << length;
  }
}

TEST(TextBufferTest, ATextBeyondTheLoadBudgetIsRefusedWhileBuilt) {
  TWorkbookLoadLimits limits;
  limits.MaxTextBytes = 1 << 20;
  TWorkbookLoadBudget budget(limits);
  TTextBuffer buffer;
  std::size_t built = 0;
  EXPECT_EQ(test_support::Thrown<EWorkbookFileException>([&] {
              for (; built < (1u << 20); ++built) buffer.push_back(u'x');
            }),
            "The file is too large to load: its texts take more than 1 MB.");
  // Refused at the growth that would pass 1 MB, not after the whole text.
  EXPECT_EQ(built, 512u * 1024u);
}

// Runs appended whole land as if pushed one at a time; a run longer than double the room gets
// room enough at once.
TEST(TextBufferTest, AppendedRunsJoinThePushedCharacters) {
  TTextBuffer buffer(4);
  std::u16string expected;
  const std::u16string runs[] = {u"ab", u"", u"cdefg", std::u16string(40, u'h'), u"\r\n"};
  for (const std::u16string& run : runs) {
    buffer.append(run);
    buffer.push_back(u'|');
    expected += run + u'|';
    EXPECT_GE(buffer.capacity(), buffer.size());
  }
  EXPECT_EQ(buffer.View(), expected);
  EXPECT_EQ(buffer.capacity(), 64u);
  EXPECT_TRUE(buffer.Take().HasCRLF());
}

TEST(TextBufferTest, ARunBeyondTheLoadBudgetIsRefusedBeforeItsRoomIsTaken) {
  TWorkbookLoadLimits limits;
  limits.MaxTextBytes = 1 << 20;
  TWorkbookLoadBudget budget(limits);
  TTextBuffer buffer;
  buffer.append(std::u16string(300'000, u'x'));
  EXPECT_EQ(test_support::Thrown<EWorkbookFileException>(
                [&] { buffer.append(std::u16string(300'000, u'y')); }),
            "The file is too large to load: its texts take more than 1 MB.");
  EXPECT_EQ(buffer.size(), 300'000u);
  EXPECT_EQ(buffer.capacity(), 524'288u);  // no room taken for the refused run
}

// The first room is the one asked for, taken at the first character; it doubles from there,
// and a buffer whose room a long text took starts again from the first size.
TEST(TextBufferTest, RoomStartsAtTheCapacityAskedForAndDoubles) {
  TTextBuffer buffer(1024);
  std::vector<std::size_t> capacities{buffer.capacity()};
  for (std::size_t length : {1, 1024, 1025, 70'000}) {
    while (buffer.size() < length) buffer.push_back(u'x');
    capacities.push_back(buffer.capacity());
  }
  buffer.Take();
  buffer.push_back(u'y');
  capacities.push_back(buffer.capacity());
  EXPECT_EQ(capacities, (std::vector<std::size_t>{0, 1024, 1024, 2048, 131'072, 1024}));
}

}  // namespace
}  // namespace workbook
