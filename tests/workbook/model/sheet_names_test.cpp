#include "workbook/model/sheet_names.h"

#include <gtest/gtest.h>

#include "workbook/model/workbook.h"

namespace workbook {
namespace {

struct TNamesCase {
  const char* name;
  std::vector<std::u16string> given;
  std::vector<std::u16string> written;
};

class WritableSheetNamesTest : public ::testing::TestWithParam<TNamesCase> {};

TEST_P(WritableSheetNamesTest, FollowTheRule) {
  WorkbookDateFormat = u"%sysdate%";
  WorkbookTimeFormat = u"%systime%";
  TWorkbook book;
  for (const std::u16string& name : GetParam().given) book.AddWorkSheet()->Name = name;
  EXPECT_EQ(WritableSheetNames(book.WorkSheets), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WritableSheetNamesTest,
    ::testing::Values(
        TNamesCase{"ValidKept", {u"Dane 2024", u"A1!"}, {u"Dane 2024", u"A1!"}},
        TNamesCase{"Forbidden", {u"a[b]:c*d?e/f\\g"}, {u"a-b--c-d-e-f-g"}},
        TNamesCase{"ApostropheAtEdges", {u"'quoted'", u"it's"}, {u"-quoted-", u"it's"}},
        TNamesCase{"Blank", {u"", u"   "}, {u"Sheet1", u"Sheet2"}},
        TNamesCase{
            "Cut", {u"1234567890123456789012345678901234"}, {u"1234567890123456789012345678901"}},
        // Cutting never leaves half of a surrogate pair.
        TNamesCase{"CutBeforeSurrogatePair",
                   {std::u16string(30, u'x') + u"\U0001F600"},
                   {std::u16string(30, u'x')}},
        // Names are told apart without letter case, also once cleaned.
        TNamesCase{"Unique",
                   {u"Data", u"DATA", u"data", u"a/b", u"a-b"},
                   {u"Data", u"DATA (2)", u"data (3)", u"a-b", u"a-b (2)"}},
        TNamesCase{"UniqueWithinTheLimit",
                   {std::u16string(31, u'n'), std::u16string(31, u'n')},
                   {std::u16string(31, u'n'), std::u16string(27, u'n') + u" (2)"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RenameSheetInRefs, ReplacesOnlyTheSheetPrefixOfEachReference) {
  EXPECT_EQ(RenameSheetInRefs(u"'a[1]'!$A:$B,'a[1]'!$1:$2", u"a[1]", u"a-1-"),
            u"'a-1-'!$A:$B,'a-1-'!$1:$2");
  // A quoted name holding a comma or a doubled quote stays one reference.
  EXPECT_EQ(RenameSheetInRefs(u"'x,y''s'!A1", u"x,y's", u"z"), u"'z'!A1");
  EXPECT_EQ(RenameSheetInRefs(u"'other'!A1", u"a[1]", u"a-1-"), u"'other'!A1");
}

}  // namespace
}  // namespace workbook
