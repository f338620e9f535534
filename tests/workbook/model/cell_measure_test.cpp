#include <gtest/gtest.h>

#include "model_fixture.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/measuring_hooks.h"
#include "workbook/model/rich_text.h"

namespace workbook {
namespace {

class TMeasuringExporter : public TCustomExporter {
 public:
  int GetCellWidthPadding() const override { return 7; }
  int GetRichTextRunSpacing() const override { return 2; }
  double GetCellAutoHeight(TExportCell&, double width) override { return width + 1000; }
};

// Seven pixels a character, whatever the font, plus one per point above 10.
int FakeTextWidth(std::u16string_view text, const TExportFont& font) {
  return static_cast<int>(text.size()) * (7 + std::max(0, font.GetSize() - 10));
}

class CellMeasureTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    savedHook_ = TextWidthHook;
    TextWidthHook = FakeTextWidth;
    book_ = std::make_unique<TWorkbook>();
    row_ = book_->AddWorkSheet(u"S")->GetRow(0);
  }
  void TearDown() override {
    TextWidthHook = savedHook_;
    ModelTest::TearDown();
  }
  TTextWidthHook savedHook_ = nullptr;
  std::unique_ptr<TWorkbook> book_;
  TExportRow* row_ = nullptr;
  TMeasuringExporter exporter_;
};

TEST_F(CellMeasureTest, WidthOfTheDisplayTextWithPadding) {
  EXPECT_EQ(row_->AddCellNumber(1.5, 2)->CalcTextWidth(exporter_), 4 * 7 + 7);
}

TEST_F(CellMeasureTest, RichTextWidthAddsRunSpacing) {
  auto* cell = row_->AddCellString(u"Hello world");
  TExportFont big;
  big.SetSize(12);
  cell->GetRichTextTags().AddTag(7, big);
  EXPECT_EQ(cell->CalcTextWidth(exporter_), 6 * 7 + 5 * 9 + 2 + 7);
}

TEST_F(CellMeasureTest, HeightFollowsFontsAndWrapping) {
  auto* cell = row_->AddCellString(u"Hello world");
  double plain = TCustomExporter::GetFontRowHeight(cell->GetFont());
  EXPECT_EQ(cell->CalcTextHeight(exporter_, 50), plain);
  TExportFont big;
  big.SetSize(20);
  cell->GetRichTextTags().AddTag(7, big);
  TExportFont effective;
  cell->GetRichTextTags().GetTag(0)->GetEffectiveFont(effective);
  EXPECT_EQ(cell->CalcTextHeight(exporter_, 50), TCustomExporter::GetFontRowHeight(effective));
  EXPECT_GT(cell->CalcTextHeight(exporter_, 50), plain);
  cell->SetWrapText(true);
  row_->SetHeightMode(1);
  EXPECT_EQ(cell->CalcTextHeight(exporter_, 50), 1050);
  row_->SetHeightMode(0);
  EXPECT_NE(cell->CalcTextHeight(exporter_, 50), 1050);
}

}  // namespace
}  // namespace workbook
