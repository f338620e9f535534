#include "workbook/model/sheet_names.h"

#include <gtest/gtest.h>

#include <vector>

#include "model_fixture.h"
#include "support/thrown.h"
#include "workbook/core/exceptions.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/measuring_hooks.h"
#include "workbook/model/sheet_protection.h"

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

using WorkbookTest = ModelTest;

TEST_F(WorkbookTest, RefusesCreationWithoutDateOrTimeFormat) {
  WorkbookTimeFormat.clear();
  const std::string message = test_support::Thrown<EWorkbookException>([] { TWorkbook book; });
  EXPECT_TRUE(message.starts_with(
      "You have not specified global variables for Workbook date/time cells!\r\n\r\nPlease "
      "define WorkbookDateFormat and WorkbookTimeFormat as you wish.\r\n"));
  // The last line points at the help page on global variables.
  EXPECT_TRUE(
      message.ends_with("\r\nSee documentation for more information: "
                        "https://help.workbook.invalid/workbook-help/global-variables/"));
  WorkbookTimeFormat = u"%systime%";
  WorkbookDateFormat.clear();
  EXPECT_THROW(TWorkbook(), EWorkbookException);
}

TEST_F(WorkbookTest, SheetsAreNamedPlacedFoundAndForgottenWhenDeleted) {
  TWorkbook book;
  TExportWorkSheet* first = book.GetActiveWorkSheet();  // made once
  EXPECT_EQ(first->Name, u"Worksheet 1");
  EXPECT_EQ(book.AddWorkSheet()->Name, u"Worksheet 2");
  TExportWorkSheet* front = book.AddWorkSheet(u"a/b:c", 0);
  EXPECT_EQ(front->Name, u"a-b-c");
  EXPECT_EQ(book.ActiveWorkSheet(), front);
  TExportWorkSheet* last = book.AddWorkSheet(u"A-B-C", 99);
  EXPECT_EQ(last->GetIndex(), 3);
  EXPECT_EQ(book.WorkSheets.FindWorkSheet(u"a-b-c"), front);  // exact and first
  EXPECT_EQ(book.WorkSheets.GetSheetRelId(0), u"rId5");
  EXPECT_EQ(book.WorkSheets.GetSheetId(2), u"3");
  book.WorkSheets.Delete(3);
  EXPECT_EQ(book.ActiveWorkSheet(), nullptr);
  TWorkbook other;
  book.SetActiveWorkSheet(other.AddWorkSheet());
  EXPECT_EQ(book.ActiveWorkSheet(), nullptr);
}

TEST_F(WorkbookTest, ProgressStagesDriveTheDialog) {
  std::vector<std::u16string> log;
  TWorkbook book;
  book.ProgressDlg = std::make_unique<test::TRecordingDialog>(log);
  book.DoProgress(wpsWorkSheet, 0, 2, u"A1");
  book.DoProgress(wpsWorkSheet, 2, 2, u"A1");  // done: nothing shown
  book.DoProgress(wpsRows, 5, 10, u"500");
  book.DoProgress(wpsRows, 5, 10, u"");
  book.DoProgress(wpsSharedStrings, 1, 2, u"");
  book.DoProgress(wpsDone, 1, 1, u"");
  book.DoProgress(9, 1, 1, u"");
  std::vector<std::u16string> expected = {u"caption Worksheet 1/2: A1", u"sheet Exported rows: 500",
                                          u"sheet ", u"caption Shared strings", u"caption "};
  EXPECT_EQ(log, expected);
  book.ShowProgress = false;
  book.DoProgress(wpsLoading, 0, 1, u"");
  EXPECT_EQ(log.size(), expected.size());
}

TEST_F(WorkbookTest, ReadRowsByEventAsksOnlyWhenBothAreSet) {
  TWorkbook book;
  TExportWorkSheet* sheet = book.AddWorkSheet();
  int asked = 0;
  book.OnBeforeWorkSheetRead = [&](TWorkbook&, TExportWorkSheet&, bool& read) {
    ++asked;
    read = false;
  };
  // Declining is in the delimited-text reader's tests; without row events nobody is asked.
  bool read = false;
  book.DoBeforeWorkSheetRead(*sheet, read);
  EXPECT_TRUE(read);
  EXPECT_EQ(asked, 0);
}

TEST_F(WorkbookTest, AssignCopiesSheetsAndFlags) {
  TWorkbook book;
  book.Date1904 = true;
  book.Creator = u"me";
  TExportWorkSheet* sheet = book.AddWorkSheet(u"S");
  sheet->FindCreateCell(2, 3, TCellClass::String, false)->SetValueText(u"x");
  TWorkbook copy;
  copy.AddWorkSheet(u"gone");
  copy.Assign(book);
  EXPECT_TRUE(copy.Date1904);
  EXPECT_EQ(copy.Creator, u"me");
  ASSERT_EQ(copy.WorkSheets.Count(), 1);
  TExportWorkSheet* copied = copy.WorkSheets[0];
  EXPECT_EQ(copied->Name, u"S");
  ASSERT_EQ(copied->Rows.Count(), 4);
  EXPECT_EQ(copied->Rows.PeekItem(0), nullptr);  // untouched rows stay untouched
  EXPECT_EQ(copied->Rows[3]->Cells[2]->GetValueText(), u"x");
  EXPECT_EQ(copied->Rows[3]->Cells[2]->GetWorkbook(), &copy);
}

TEST_F(WorkbookTest, DefaultCharWidthMeasuresTheDefaultFontThroughTheHook) {
  const TCharWidthHook saved = CharWidthHook;
  TWorkbook book;
  CharWidthHook = nullptr;
  EXPECT_EQ(book.GetDefaultCharWidth(), 0);
  CharWidthHook = [](const TExportFont& font) {
    return font.GetName() == u"Arial" ? font.GetSize() * 100 : -1;
  };
  EXPECT_EQ(book.GetDefaultCharWidth(), 1000);
  CharWidthHook = saved;
}

// Up to 23 characters the values are openpyxl's hash_password. From the 24th character on
// openpyxl shifts bits past the 16-bit verifier, so the longer ones are those LibreOffice accepts
// as the password (the XLSX peer test unprotects a sheet with one).
TEST(PasswordHashTest, MatchesIndependentValues) {
  const std::pair<std::u16string, std::uint16_t> cases[] = {
      {u"", 0},
      {u"password", 0x83AF},
      {u"a", 0xCE88},
      {u"xxxxxxxxxxxxxxx", 0xCE44},
      {std::u16string(23, u'a'), 0xF01D},
      {std::u16string(24, u'a'), 0xB213},
      {u"abcdefghijklmnopqrstuvwxyz0123456789", 0xF3CA},
      {std::u16string(40, u'~'), 0x9E35},
      {std::u16string(255, u'z'), 0xB14B}};
  for (const auto& [password, hash] : cases)
    EXPECT_EQ(TExportWorkSheetProtection::PasswordVerifier(password), hash) << password.size();
  // A very long password runs through every character without reading outside it.
  EXPECT_NO_THROW(TExportWorkSheetProtection::PasswordVerifier(std::u16string(100000, u'z')));
}

TEST(PasswordHashTest, InternationalCharactersRaise) {
  EXPECT_EQ(test_support::Thrown<EWorkbookException>(
                [] { TExportWorkSheetProtection::PasswordVerifier(u"he\u0161lo"); }),
            "The password \"he\xC5\xA1lo\" has invalid characters.\r\n\r\n"
            "Please do not use any international characters.");
  EXPECT_THROW(TExportWorkSheetProtection::PasswordVerifier(std::u16string(1, char16_t{128})),
               EWorkbookException);
  EXPECT_NO_THROW(TExportWorkSheetProtection::PasswordVerifier(std::u16string(1, char16_t{127})));
}

}  // namespace
}  // namespace workbook
