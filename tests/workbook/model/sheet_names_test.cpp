#include "workbook/model/sheet_names.h"

#include <gtest/gtest.h>

#include "model_fixture.h"

namespace workbook {
namespace {

using WritableSheetNamesTest = ModelTest;

TEST_F(WritableSheetNamesTest, FollowTheRule) {
  // Cutting never leaves half of a surrogate pair; names are told apart without letter case, also
  // once cleaned.
  const std::pair<std::vector<std::u16string>, std::vector<std::u16string>> cases[] = {
      {{u"Dane 2024", u"A1!"}, {u"Dane 2024", u"A1!"}},
      {{u"a[b]:c*d?e/f\\g"}, {u"a-b--c-d-e-f-g"}},
      {{u"'quoted'", u"it's"}, {u"-quoted-", u"it's"}},
      {{u"", u"   "}, {u"Sheet1", u"Sheet2"}},
      {{u"1234567890123456789012345678901234"}, {u"1234567890123456789012345678901"}},
      {{std::u16string(30, u'x') + u"\U0001F600"}, {std::u16string(30, u'x')}},
      {{u"Data", u"DATA", u"data", u"a/b", u"a-b"},
       {u"Data", u"DATA (2)", u"data (3)", u"a-b", u"a-b (2)"}},
      {{std::u16string(31, u'n'), std::u16string(31, u'n')},
       {std::u16string(31, u'n'), std::u16string(27, u'n') + u" (2)"}}};
  for (const auto& [given, written] : cases) {
    TWorkbook book;
    for (const std::u16string& name : given) book.AddWorkSheet()->Name = name;
    EXPECT_EQ(WritableSheetNames(book.WorkSheets), written);
  }
}

TEST(RenameSheetInRefs, ReplacesOnlyTheSheetPrefixOfEachReference) {
  EXPECT_EQ(RenameSheetInRefs(u"'a[1]'!$A:$B,'a[1]'!$1:$2", u"a[1]", u"a-1-"),
            u"'a-1-'!$A:$B,'a-1-'!$1:$2");
  // A quoted name holding a comma or a doubled quote stays one reference.
  EXPECT_EQ(RenameSheetInRefs(u"'x,y''s'!A1", u"x,y's", u"z"), u"'z'!A1");
  EXPECT_EQ(RenameSheetInRefs(u"'other'!A1", u"a[1]", u"a-1-"), u"'other'!A1");
}

}  // namespace
}  // namespace workbook
