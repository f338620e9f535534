#include "workbook/gui/text_measuring.h"

#include <gtest/gtest.h>

#include <memory>

#include "workbook/gui/gui_exporters.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/workbook.h"

namespace workbook {
namespace {

TExportFont Font(const std::u16string& name, int size) {
  TExportFont font;
  font.SetName(name);
  font.SetSize(size);
  return font;
}

class TextMeasuringTest : public ::testing::Test {
 protected:
  void SetUp() override { FreeCharWidthCache(); }
  void TearDown() override { FreeCharWidthCache(); }
};

TEST_F(TextMeasuringTest, WiderTextMeasuresWider) {
  const TExportFont font = Font(u"Arial", 10);
  EXPECT_GT(GetTextWidth(u"MMMM", font), GetTextWidth(u"M", font) * 3);
  EXPECT_EQ(GetTextWidth(u"", font), 0);
  EXPECT_GT(GetTextWidth(u"abc", Font(u"Arial", 20)), GetTextWidth(u"abc", font));
  // The ampersand is an ordinary character, not a mnemonic prefix.
  EXPECT_GT(GetTextWidth(u"a&b", font), GetTextWidth(u"ab", font));
  EXPECT_GT(GetTextWidth(u"&&", font), GetTextWidth(u"&", font));
}

TEST_F(TextMeasuringTest, ScriptTextMeasuresAtSixtyPercent) {
  TExportFont normal = Font(u"Arial", 10);
  TExportFont sixPoint = Font(u"Arial", 6);
  for (std::uint8_t script : {1, 2}) {
    TExportFont raised = normal;
    raised.GetStyle().VertPosition = script;
    EXPECT_EQ(GetTextWidth(u"0123456789", raised), GetTextWidth(u"0123456789", sixPoint));
  }
  TExportFont baseline = normal;
  baseline.GetStyle().VertPosition = 3;
  EXPECT_EQ(GetTextWidth(u"0123456789", baseline), GetTextWidth(u"0123456789", normal));
}

// The digit width is a tenth of the ten digits', truncated; cached by name and size, not style.
TEST_F(TextMeasuringTest, CharWidthsAreCachedByNameAndSizeNotStyle) {
  TExportFont plain = Font(u"Arial", 10);
  const int width = GetFontCharWidth(plain);
  EXPECT_EQ(width, GetTextWidth(u"0123456789", plain) / 10);
  EXPECT_EQ(CharWidthCacheLookup(u"ARIAL::10"), width);  // keys ignore case
  TExportFont bold = plain;
  bold.GetStyle().Bold = 1;
  EXPECT_EQ(GetFontCharWidth(bold), width);
  EXPECT_EQ(CharWidthCacheCount(), 1);
  GetFontCharWidth(Font(u"Arial", 11));
  EXPECT_EQ(CharWidthCacheCount(), 2);
}

TEST_F(TextMeasuringTest, CacheStaysBoundedOnHostileFonts) {
  for (int size = 1; size <= 2 * kCharWidthCacheLimit; ++size)
    EXPECT_GE(GetFontCharWidth(Font(u"Arial", size * 1000)), 0);
  EXPECT_EQ(CharWidthCacheCount(), kCharWidthCacheLimit);
  FreeCharWidthCache();
  const TExportFont longName = Font(std::u16string(100000, u'x'), 10);
  EXPECT_GT(GetFontCharWidth(longName), 0);
  EXPECT_EQ(CharWidthCacheCount(), 0);
  EXPECT_GE(GetFontCharWidth(Font(u"Arial", -5)), 0);
  EXPECT_GE(GetTextWidth(u"x", Font(u"Arial", 2147483647)), 0);
}

class CellHeightTest : public TextMeasuringTest {
 protected:
  void SetUp() override {
    TextMeasuringTest::SetUp();
    book_ = std::make_unique<TWorkbook>();
    sheet_ = book_->AddWorkSheet(u"S");
  }
  TExportCell& Cell(const std::u16string& text) {
    auto* cell =
        static_cast<TExportCellString*>(sheet_->FindCreateCell(0, 0, TCellClass::String, false));
    cell->SetValue(text);
    return *cell;
  }
  std::unique_ptr<TWorkbook> book_;
  TExportWorkSheet* sheet_ = nullptr;
  gui::TExporterXLSX xlsx_;
  gui::TExporterXLS xls_;
};

TEST_F(CellHeightTest, WrappedLinesMultiplyTheRowHeight) {
  TExportCell& cell = Cell(u"word word word word word word word word word word word word");
  const double row = TCustomExporter::GetFontRowHeight(cell.GetFont());
  const QFont font = MeasuringFont(cell.GetFont());
  const int lineWidth = CalcTextExtent(font, u"word word", 0, kDtNoPrefix).width();
  // Each line holds a few words, so the text takes several lines.
  const double height = xlsx_.GetCellAutoHeight(cell, lineWidth + 8 + 1);
  EXPECT_GT(height, 2 * row);
  EXPECT_EQ(std::fmod(height, row), 0.0);
  EXPECT_EQ(xls_.GetCellAutoHeight(cell, lineWidth + 9), height);

  const QSize measured =
      CalcTextExtent(font, cell.GetValueText(), lineWidth + 1, kDtWordBreak | kDtNoPrefix);
  EXPECT_EQ(CalcODSCellTextHeight(xlsx_, cell, lineWidth + 2 + 1), measured.height() + 2.0);
}

TEST_F(CellHeightTest, ZeroWidthUsesTheColumnThenTheSheetDefault) {
  TExportCell& cell = Cell(u"word word word word word word word word word word word word");
  EXPECT_EQ(CellLayoutWidth(xlsx_, cell, 0), 80.0);
  EXPECT_EQ(xlsx_.GetCellAutoHeight(cell, 0), xlsx_.GetCellAutoHeight(cell, 80));
  EXPECT_EQ(CalcODSCellTextHeight(xlsx_, cell, -1), CalcODSCellTextHeight(xlsx_, cell, 80));
  sheet_->Cols.DefaultWidth = 150;
  EXPECT_EQ(CellLayoutWidth(xlsx_, cell, 0), 150.0);
  sheet_->GetCol(0)->Width = 40;
  EXPECT_EQ(CellLayoutWidth(xlsx_, cell, 0), 40.0);
  EXPECT_EQ(CellLayoutWidth(xlsx_, cell, 300), 300.0);
  EXPECT_EQ(xlsx_.GetCellAutoHeight(cell, 0), xlsx_.GetCellAutoHeight(cell, 40));
  // A column without its own width takes the sheet's.
  sheet_->GetCol(0)->Width = -1;
  EXPECT_EQ(CellLayoutWidth(xlsx_, cell, -5), 150.0);
}

}  // namespace
}  // namespace workbook
