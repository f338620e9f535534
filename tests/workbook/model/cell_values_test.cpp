#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "model_fixture.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"

namespace workbook {
namespace {

class CellValuesTest : public test::SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    row_ = sheet->GetRow(0);
  }
  template <class T>
  T* Add(TCellClass cellClass) {
    return static_cast<T*>(row_->AddCell(cellClass));
  }
  TExportRow* row_ = nullptr;
};

TEST_F(CellValuesTest, NumberClassesBuildTheirFormatCodes) {
  const std::tuple<TCellClass, int, bool, bool, std::u16string> cases[] = {
      {TCellClass::Number, 2, false, false, u"0.00;\\-0.00"},
      {TCellClass::Number, 2, true, true, u"#,##0.00;[Red]\\-#,##0.00"},
      {TCellClass::Number, 0, true, true, u"#,##0;[Red]\\-#,##0"},
      {TCellClass::Number, 255, false, false, u""},
      {TCellClass::Percent, 2, false, false, u"0.00%;\\-0.00%"},
      {TCellClass::Currency, 2, true, false, u"\"€\"\\ #,##0.00;\"€\"\\ \\-#,##0.00"},
      {TCellClass::Scientific, 2, false, false, u"0.00E+00;\\-0.00E+00"},
      {TCellClass::Fraction, 2, false, false, u"# ?/?"},
      {TCellClass::Fraction, 2, true, true, u"#,## ?/?;[Red]-#,## ?/?"}};
  for (const auto& [cellClass, decimals, thousands, red, expected] : cases) {
    auto* cell = static_cast<TExportCellNumber*>(row_->AddCell(cellClass));
    cell->SetDecimals(static_cast<std::uint8_t>(decimals));
    cell->ThousandSeparator = thousands;
    cell->RedNegative = red;
    if (auto* currency = dynamic_cast<TExportCellCurrency*>(cell)) currency->CurrencySymbol = u"€";
    EXPECT_EQ(cell->GetFormatCode(), expected);
  }
}

// General decimals show the mantissa as the general float text writes it (system separator).
TEST_F(CellValuesTest, ScientificWithGeneralDecimalsKeepsItsExponent) {
  platform::FormatSettings().DecimalSeparator = u',';
  auto* cell = Add<TExportCellScientific>(TCellClass::Scientific);
  cell->SetDecimals(255);
  std::u16string texts;
  for (double value : {12345.0, -0.000125, 0.0, 1.0 / 3, 9.9999999999999999e99})
    texts += cell->WithValue(value)->GetDisplayText() + u"|";
  EXPECT_EQ(texts, u"1,2345E+04|-1,25E-04|0E+00|3,33333333333333E-01|1E+100|");
}

TEST_F(CellValuesTest, CurrencySymbolAfterAndWithFill) {
  auto* cell = Add<TExportCellCurrency>(TCellClass::Currency);
  cell->CurrencySymbol = u"Sk";
  cell->CurrencyPosition = 2;
  cell->ThousandSeparator = false;
  EXPECT_EQ(cell->GetFormatCode(), u"0.00\\ \"Sk\";\\-0.00\\ \"Sk\"");
  cell->SetValue(-3.5);
  EXPECT_EQ(cell->GetDisplayText(), u"-3.50 Sk");
  cell->CurrencyPosition = 1;
  EXPECT_EQ(cell->GetPositiveFormatCode(), u"\"Sk\"\\ * 0.00");
  EXPECT_EQ(cell->GetDisplayText(), u"Sk -3.50");
  cell->SetDisplayText(u"Sk 1 234.5");
  EXPECT_EQ(cell->Value, 1234.5);
}

// Currency cells share one pooled copy of a symbol: a cell given another symbol, an empty one or
// a copy's symbol changes only itself, and a symbol outlives the workbook its cells were in.
TEST_F(CellValuesTest, CurrencySymbolsSharedButEachCellsOwn) {
  auto* euro = Add<TExportCellCurrency>(TCellClass::Currency);
  auto* copy = Add<TExportCellCurrency>(TCellClass::Currency);
  auto* other = Add<TExportCellCurrency>(TCellClass::Currency);
  euro->SetFormatCode(u"#,##0.00\\ \"€\"", true);
  euro->AssignTo(*copy);
  other->CurrencySymbol = std::u16string(u"€");
  EXPECT_EQ(&copy->CurrencySymbol.str(), &euro->CurrencySymbol.str());
  EXPECT_EQ(&other->CurrencySymbol.str(), &euro->CurrencySymbol.str());
  const std::tuple<std::u16string, std::u16string, std::u16string> cases[] = {
      {u"Kč", u"Kč", u"Kč 1.50"}, {u"", u"", u"1.50"}, {u"€", u"€", u"€ 1.50"}};
  for (const auto& [symbol, expected, display] : cases) {
    other->CurrencySymbol = symbol;
    other->SetValue(1.5);
    EXPECT_EQ(other->CurrencySymbol, expected);
    EXPECT_EQ(other->CurrencySymbol.empty(), expected.empty());
    EXPECT_EQ(other->GetDisplayText(), display);
    EXPECT_EQ(euro->CurrencySymbol, u"€");
    EXPECT_EQ(copy->CurrencySymbol, u"€");
  }
  auto kept = TOwnedListObject::Create<TExportCellCurrency>();
  {
    TWorkbook book;
    auto* cell = static_cast<TExportCellCurrency*>(
        book.AddWorkSheet(u"S")->GetRow(0)->AddCell(TCellClass::Currency));
    cell->SetFormatCode(u"#,##0.00\\ \"zł\"", true);
    cell->AssignTo(*kept);
  }
  EXPECT_EQ(kept->CurrencySymbol, u"zł");
  EXPECT_EQ(kept->GetFormatSuffix(), u"\\ \"zł\"");
}

TEST_F(CellValuesTest, StoredFormatCodeWinsUnlessTextAndFillsTheClassSettings) {
  auto* cell = Add<TExportCellNumber>(TCellClass::Number);
  cell->SetFormatCode(u"@", false);
  EXPECT_EQ(cell->GetFormatCode(), u"0.00;\\-0.00");
  cell->SetFormatCode(u"#,##0.000;[Red]-#,##0.000", true);
  EXPECT_EQ(cell->GetFormatCode(), u"#,##0.000;[Red]-#,##0.000");
  EXPECT_EQ(cell->Decimals, 3);
  EXPECT_TRUE(cell->ThousandSeparator);
  EXPECT_TRUE(cell->RedNegative);
  auto* currency = Add<TExportCellCurrency>(TCellClass::Currency);
  currency->SetFormatCode(u"#,##0.00\\ \"€\"", true);
  EXPECT_EQ(currency->CurrencySymbol, u"€");
  EXPECT_EQ(currency->CurrencyPosition, 2);
}

// The display functions have their own tables; here the classes reach them and read back.
TEST_F(CellValuesTest, DisplayTextsOfTheNumberClassesAndBack) {
  auto* percent = Add<TExportCellPercent>(TCellClass::Percent);
  percent->SetDecimals(1);
  percent->SetValue(0.125);
  EXPECT_EQ(percent->GetDisplayText(), u"12.5%");
  EXPECT_EQ(percent->GetValueText(), u"0.125");  // the value itself, not hundredfold
  percent->SetDisplayText(u"40 %");
  EXPECT_DOUBLE_EQ(percent->Value, 0.4);
  // A fraction over 0 reads as its whole part.
  auto* fraction = Add<TExportCellFraction>(TCellClass::Fraction);
  for (auto [display, value] : {std::pair{u"-1 1/2", -1.5}, std::pair{u"2 1/0", 2.0}}) {
    fraction->SetDisplayText(display);
    EXPECT_DOUBLE_EQ(fraction->Value, value);
  }
}

TEST_F(CellValuesTest, BlankZeroAndUnsetValuesShowNothingAndValueTextsIgnoreTheLocale) {
  auto* cell = Add<TExportCellNumber>(TCellClass::Number);
  EXPECT_EQ(cell->GetDisplayText(), u"");
  cell->SetValue(0);
  EXPECT_EQ(cell->GetDisplayText(), u"0.00");
  cell->BlankZero = true;
  EXPECT_EQ(cell->GetDisplayText(), u"");
  cell->SetDisplayText(u"abc");
  EXPECT_FALSE(cell->HasValue);
  cell->SetValueText(u"abc");
  EXPECT_TRUE(cell->HasValue);
  cell->SetValueText(u"2,5");
  EXPECT_EQ(cell->Value, 2.5);
  // The display follows the locale, the value text does not.
  cell->SetValue(1234.5);
  cell->ThousandSeparator = true;
  platform::FormatSettings().DecimalSeparator = u',';
  platform::FormatSettings().ThousandSeparator = 0;
  EXPECT_EQ(cell->GetDisplayText(), u"1.234,50");
  EXPECT_EQ(cell->GetValueText(), u"1234.5");
}

TEST_F(CellValuesTest, SheetDefaultsReachNewCells) {
  sheet->DefaultNumberBlankZero = true;
  sheet->DefaultStringShared = false;
  EXPECT_TRUE(Add<TExportCellNumber>(TCellClass::Number)->BlankZero);
  EXPECT_FALSE(Add<TExportCellString>(TCellClass::String)->SharedString());
  EXPECT_EQ(Add<TExportCellDateTime>(TCellClass::DateTime)->FormatCode(), u"%sysdatetime%");
  sheet->DateFormat = u"DD.MM.YYYY";
  sheet->TimeFormat = u"hh:nn:ss AMPM";
  EXPECT_EQ(Add<TExportCellDateTime>(TCellClass::DateTime)->FormatCode(),
            u"dd.mm.yyyy hh:mm:ss am/pm");
  EXPECT_EQ(Add<TExportCellTime>(TCellClass::Time)->FormatCode(), u"hh:mm:ss am/pm");
}

TEST_F(CellValuesTest, DateTextsFollowTheKindOfTheCode) {
  // Midnight is a time; a hair before midnight rounds to the next day.
  const std::tuple<std::u16string, double, std::u16string, std::u16string> cases[] = {
      {u"hh:mm", 45000.75, u"18:00:00", u"18:00"},
      {u"[h]:mm:ss", 1.5, u"12:00:00", u"36:00:00"},
      {u"%sysdatetime%", 45000.5, u"2023-03-15 12:00:00", u"15.03.2023 12:00:00"},
      {u"dd.mm.yyyy", 0, u"0000-00-00", u""},
      {u"hh:mm:ss", 45000, u"00:00:00", u"00:00:00"},
      {u"dd.mm.yyyy", 45000.999999999, u"2023-03-16", u"16.03.2023"}};
  for (const auto& [code, value, valueText, displayText] : cases) {
    auto* cell = Add<TExportCellDateTime>(TCellClass::DateTime);
    cell->SetFormatCode(code, false);
    cell->SetValue(value);
    EXPECT_EQ(cell->GetValueText(), valueText) << value;
    EXPECT_EQ(cell->GetDisplayText(), displayText) << value;
  }
}

TEST_F(CellValuesTest, Date1904ShiftsOnReadAndWrite) {
  book->Date1904 = true;
  auto* cell = Add<TExportCellDateTime>(TCellClass::DateTime);
  cell->SetFormatCode(u"dd.mm.yyyy", false);
  cell->ReadValue(0);
  EXPECT_EQ(cell->GetValueText(), u"1904-01-01");
  EXPECT_EQ(cell->FileValue(), 0);
  book->Date1904 = false;
  EXPECT_EQ(cell->FileValue(), 1462);
}

TEST_F(CellValuesTest, BooleanTextsAndErrors) {
  auto* cell = Add<TExportCellBoolean>(TCellClass::Boolean);
  cell->SetBoolean(true);
  EXPECT_EQ(cell->GetValueText(), u"1");
  EXPECT_EQ(cell->GetDisplayText(), u"True");
  cell->SetValueText(u"yes");
  EXPECT_EQ(cell->GetValueText(), u"0");
  cell->SetDisplayText(u"TRUE");
  EXPECT_TRUE(cell->GetBoolean());
  cell->IsErrorValue = true;  // #N/A read from a file must not read as an amount
  cell->SetValue(0x2A);
  EXPECT_EQ(cell->GetValueText(), u"");
  EXPECT_EQ(cell->GetDisplayText(), u"#N/A");  // as spreadsheets show it
  for (double noCode : {-1.0, 256.0, 1e300, std::nan("")}) {
    cell->SetValue(noCode);
    EXPECT_EQ(cell->ErrorCode(), 0x2A) << noCode;
  }
}

// Doubled quotes and line breaks are in the delimited-text writer's table.
TEST_F(CellValuesTest, CsvTextsOfTabsAndUnquotedTexts) {
  std::u16string tabbed, plain;
  row_->AddCellString(u"a\tb")->GetCSVText(u'\t', false, tabbed, true);
  EXPECT_EQ(tabbed, u"a b");
  row_->AddCellString(u"a\"\tb")->GetCSVText(u' ', false, plain, true);
  EXPECT_EQ(plain, u"a\"\tb");
}

using CellStyleTest = CellValuesTest;

TEST_F(CellStyleTest, ClassAlignmentsAndSheetDefaults) {
  EXPECT_FALSE(row_->AddCellNumber(1, 2)->HasStyle());  // made only when asked for
  EXPECT_EQ(row_->AddCellNumber(1, 2)->GetStyle().GetAlignment(), TExportCellStyle::haRight);
  EXPECT_EQ(row_->AddCell(TCellClass::DateTime)->GetStyle().GetAlignment(),
            TExportCellStyle::haCenter);
  EXPECT_EQ(row_->AddCellString(u"a")->GetStyle().GetAlignment(), TExportCellStyle::haGeneral);
  // CR LF breaks switch wrapping on; a lone LF does not.
  EXPECT_TRUE(row_->AddCellString(u"a\r\nb")->GetStyle().GetWrapText());
  EXPECT_FALSE(row_->AddCellString(u"a\nb")->GetStyle().GetWrapText());
  // A row's style wins over the class alignment; numbers and dates take the sheet's alignment
  // for their class (unless it is 0) last.
  TExportRow* styled = sheet->GetRow(1);
  styled->GetStyle().SetAlignment(TExportCellStyle::haLeft);
  styled->GetStyle().SetBGColor(0x00FF00);
  EXPECT_EQ(styled->AddCellString(u"a")->GetStyle().GetAlignment(), TExportCellStyle::haLeft);
  EXPECT_EQ(styled->AddCellString(u"a")->GetStyle().GetBGColor(), 0x00FF00);
  EXPECT_EQ(styled->AddCellNumber(1, 2)->GetStyle().GetAlignment(), TExportCellStyle::haRight);
  sheet->DefaultNumberAlignment = TExportCellStyle::haLeft;
  sheet->DefaultStringAlignment = TExportCellStyle::haCenter;
  sheet->DefaultFont.GetStyle().Bold = 1;
  sheet->DefaultWrapText = true;
  TExportCell* number = row_->AddCellNumber(1, 2);
  EXPECT_EQ(number->GetStyle().GetAlignment(), TExportCellStyle::haLeft);
  EXPECT_EQ(number->GetFont().GetStyle().Bold, 1);
  EXPECT_TRUE(number->GetStyle().GetWrapText());
  EXPECT_EQ(row_->AddCellString(u"b")->GetStyle().GetAlignment(), TExportCellStyle::haCenter);
}

TEST_F(CellStyleTest, KeyEndsWithTheCellsFormatCode) {
  TExportCell* number = row_->AddCellNumber(1.5, 2);
  number->SetFormatCode(u"0.00", false);
  EXPECT_EQ(number->GetStyle().GetKeyString(number),
            number->GetStyle().GetKeyString(static_cast<const TExportCell*>(nullptr)) + u"0.00");
}

TEST_F(CellStyleTest, AddingARowFoldsPrivateFontsIntoTheRegistry) {
  TExportCell* cell = row_->AddCellString(u"x");
  cell->GetStyle().GetFontForWrite().SetSize(14);
  EXPECT_TRUE(cell->GetStyle().HasOwnFont());
  row_->GetWorkSheet()->AddRow();
  EXPECT_FALSE(cell->GetStyle().HasOwnFont());
  EXPECT_EQ(book->FontList.GetItem(cell->GetStyle().GetFontIndex())->GetSize(), 14);
}

}  // namespace
}  // namespace workbook
