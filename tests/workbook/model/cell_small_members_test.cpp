// The cells' one-byte and one-bit members share a few bytes: each must keep its own value
// whatever the others hold, through copies and class changes, and a cell made in the room of a
// freed one starts from its class's defaults.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <iterator>

#include "model_fixture.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"

namespace workbook {
namespace {

class CellSmallMembersTest : public test::SheetTest {
 protected:
  TExportCellNumber* AddNumber(TCellClass cellClass = TCellClass::Number) {
    return static_cast<TExportCellNumber*>(sheet->GetRow(0)->AddCell(cellClass));
  }
};

// A number cell's small members in one array, so a failure shows them all: decimals, minimum
// integer digits, has value, value from file, thousands, red, blank zero, auto width.
using TMembers = std::array<int, 8>;
TMembers Members(const TExportCellNumber& cell) {
  return {cell.Decimals,          cell.MinIntegerDigits, cell.HasValue,  cell.ValueFromFile(),
          cell.ThousandSeparator, cell.RedNegative,      cell.BlankZero, cell.AutoWidth()};
}

TEST_F(CellSmallMembersTest, EachMemberOfANumberIsSetAloneAndClearedAlone) {
  using TSet = std::function<void(TExportCellNumber&, bool)>;
  const TSet sets[] = {
      [](TExportCellNumber& c, bool on) { c.Decimals = on ? 255 : 0; },
      [](TExportCellNumber& c, bool on) { c.MinIntegerDigits = on ? 255 : 0; },
      [](TExportCellNumber& c, bool on) { c.HasValue = on; },
      [](TExportCellNumber& c, bool on) {  // a value read stays read: only set here
        if (on) c.ReadValue(1);
      },
      [](TExportCellNumber& c, bool on) { c.ThousandSeparator = on; },
      [](TExportCellNumber& c, bool on) { c.RedNegative = on; },
      [](TExportCellNumber& c, bool on) { c.BlankZero = on; },
      [](TExportCellNumber& c, bool on) { c.SetAutoWidth(on); },
  };
  const TMembers allOn = {255, 255, 1, 1, 1, 1, 1, 1};
  constexpr std::size_t kFromFile = 3;
  for (std::size_t k = 0; k < std::size(sets); ++k) {
    SCOPED_TRACE(k);
    TExportCellNumber* alone = AddNumber();
    for (const TSet& set : sets) set(*alone, false);
    sets[k](*alone, true);
    if (k == kFromFile) alone->HasValue = false;  // reading sets both
    TMembers expected{};
    expected[k] = allOn[k];
    EXPECT_EQ(Members(*alone), expected);

    if (k == kFromFile) continue;
    TExportCellNumber* all = AddNumber();
    for (const TSet& set : sets) set(*all, true);
    ASSERT_EQ(Members(*all), allOn);
    sets[k](*all, false);
    expected = allOn;
    expected[k] = 0;
    EXPECT_EQ(Members(*all), expected);
  }
}

TEST_F(CellSmallMembersTest, BooleanTextAndLookFlagsLeaveTheValueFlagsAlone) {
  TExportRow* row = sheet->GetRow(0);
  TExportCellBoolean* error = static_cast<TExportCellBoolean*>(row->AddCell(TCellClass::Boolean));
  error->SetErrorValue(7);
  EXPECT_TRUE(error->IsErrorValue);
  EXPECT_TRUE(error->HasValue);
  error->HasValue = false;
  EXPECT_TRUE(error->IsErrorValue);
  error->SetBoolean(true);  // a Boolean again
  EXPECT_TRUE(error->HasValue);
  error->IsErrorValue = false;
  EXPECT_TRUE(error->GetBoolean());

  TExportCellString* text = row->AddCellString(u"x");
  text->SetSharedString(false);
  text->UseSheetDefaultStyle();
  EXPECT_FALSE(text->SharedString());
  text->SetSharedString(true);
  EXPECT_TRUE(text->SharedString());
  EXPECT_FALSE(text->HasStyle());
  // The default look holds: a style made now takes no class alignment.
  EXPECT_EQ(text->GetStyle().GetAlignment(), TExportCellStyle::haGeneral);
  EXPECT_TRUE(text->SharedString());
}

TEST_F(CellSmallMembersTest, CopiesAndClassChangesKeepEveryMember) {
  TExportCellNumber* source = AddNumber(TCellClass::Currency);
  source->ReadValue(-12.5);
  source->SetDecimals(3);
  source->SetMinIntegerDigits(4);
  source->ThousandSeparator = false;  // a currency's default is on
  source->RedNegative = true;
  source->BlankZero = true;
  const TMembers expected = {3, 4, 1, 1, 0, 1, 1, 0};
  ASSERT_EQ(Members(*source), expected);

  TExportCellNumber* copy = AddNumber(TCellClass::Currency);
  copy->Assign(*source);
  EXPECT_EQ(Members(*copy), expected);
  EXPECT_EQ(copy->Value, -12.5);

  TExportCell* changed = copy->Transform(TCellClass::Number);
  ASSERT_EQ(changed->CellClass(), TCellClass::Number);
  EXPECT_EQ(Members(*static_cast<TExportCellNumber*>(changed)), expected);

  // A whole sheet copied keeps them too.
  TExportWorkSheet* other = book->AddWorkSheet(u"Copy");
  other->Assign(*sheet);
  auto* copied = dynamic_cast<TExportCellNumber*>(other->Rows[0]->Cells[0]);
  ASSERT_NE(copied, nullptr);
  EXPECT_EQ(Members(*copied), expected);

  TExportCellBoolean* error =
      static_cast<TExportCellBoolean*>(sheet->GetRow(1)->AddCell(TCellClass::Boolean));
  error->SetErrorValue(0x07);
  auto* errorCopy =
      static_cast<TExportCellBoolean*>(sheet->GetRow(1)->AddCell(TCellClass::Boolean));
  errorCopy->Assign(*error);
  EXPECT_TRUE(errorCopy->IsErrorValue);
  EXPECT_EQ(errorCopy->GetValueText(), error->GetValueText());
}

TEST_F(CellSmallMembersTest, ACellMadeInAFreedCellsRoomStartsFromTheDefaults) {
  TExportRow* row = sheet->GetRow(0);
  TExportCellNumber* used = AddNumber(TCellClass::Currency);
  used->ReadValue(3);
  used->SetDecimals(255);
  used->RedNegative = true;
  used->BlankZero = true;
  used->SetAutoWidth(true);
  const void* room = used;
  row->Cells.Delete(used->GetIndex());

  TExportCellNumber* fresh = AddNumber(TCellClass::Currency);
  EXPECT_EQ(static_cast<const void*>(fresh), room);  // the room was used again
  EXPECT_EQ(Members(*fresh), (TMembers{2, 1, 0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(static_cast<TExportCellCurrency*>(fresh)->CurrencySymbol, u"");

  row->Cells.Delete(fresh->GetIndex());
  TExportCellBoolean* flag = static_cast<TExportCellBoolean*>(row->AddCell(TCellClass::Boolean));
  EXPECT_FALSE(flag->IsErrorValue);
  EXPECT_FALSE(flag->HasValue);
}

TEST_F(CellSmallMembersTest, CellsTakenOutOfAFreedWorkbookKeepTheirMembersAndTexts) {
  TExportRow* row = sheet->GetRow(0);
  TExportCellNumber* number = row->AddCellNumber(-4, 1);
  number->RedNegative = true;
  TExportCellString* text = row->AddCellString(u"kept\r\nalive");
  TExportCellString* sharing = row->AddCellString(u"");
  sharing->SetValueShared(text->GetValueShared());
  TOwnedPtr<TExportCell> takenNumber = row->Cells.Extract(number);
  TOwnedPtr<TExportCell> takenText = row->Cells.Extract(text);
  book.reset();
  const auto& n = static_cast<const TExportCellNumber&>(*takenNumber);
  EXPECT_EQ(Members(n), (TMembers{1, 1, 1, 0, 0, 1, 0, 0}));
  EXPECT_EQ(takenText->GetValueText(), u"kept\r\nalive");
  takenText.reset();
  takenNumber.reset();
}

}  // namespace
}  // namespace workbook
