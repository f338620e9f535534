// The windows' texts are readable in full: grid columns as wide as their headers and cells,
// captions that do not run into each other, counts of many digits with room for a scroll bar.
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>

#include "app_fixture.h"

namespace app::test {
namespace {

// Every header and cell text fits its column (with the cell's padding).
void ExpectColumnsShowTheirTexts(const QTableWidget* grid) {
  const QFontMetrics metrics(grid->font());
  for (int column = 0; column < grid->columnCount(); ++column) {
    int widest = grid->horizontalHeader()->isHidden()
                     ? 0
                     : grid->horizontalHeader()->sectionSizeHint(column);
    for (int row = 0; row < grid->rowCount(); ++row)
      widest = std::max(widest, metrics.horizontalAdvance(Cell(grid, row, column)) + 6);
    EXPECT_GE(grid->columnWidth(column), widest)
        << grid->objectName().toStdString() << " column " << column;
  }
}

TEST_F(AppTest, SettingsWindowShowsEveryHeaderAndCaptionInFull) {
  Start(PlainSettings());
  settings_->show();
  for (QTableWidget* grid : {settings_->SubjectParameters, settings_->SheetList,
                             settings_->OffsetList, settings_->OrderList}) {
    ExpectColumnsShowTheirTexts(grid);
    EXPECT_FALSE(grid->horizontalScrollBar()->isVisible()) << grid->objectName().toStdString();
    EXPECT_TRUE(grid->parentWidget()->rect().contains(grid->geometry()));
  }
  // The captions above the three lists, left to right, each clear of the next.
  std::vector<QRect> captions;
  for (QLabel* label : settings_->GroupBox2->findChildren<QLabel*>())
    captions.push_back(QRect(label->pos(), label->sizeHint()));
  ASSERT_EQ(captions.size(), 3u);
  std::sort(captions.begin(), captions.end(),
            [](const QRect& a, const QRect& b) { return a.x() < b.x(); });
  EXPECT_LT(captions[0].right(), captions[1].left());
  EXPECT_LT(captions[1].right(), captions[2].left());
  EXPECT_LT(captions[1].right(), settings_->OrderList->x());
}

// A count of six digits (a sheet of 100,000 empty rows) reads in full, and all five rows stay in
// sight above the scroll bar the wider column brings.
TEST_F(AppTest, SixDigitCountsShowInFull) {
  Start(PlainSettings());
  TFakeSheet sheet{"A1", {{"h"}}};
  sheet.Rows.resize(100001);
  Import("long.xlsx", {sheet});
  main_->show();
  EXPECT_EQ(Cell(main_->StatsList, 4, 1), "100000");
  ExpectColumnsShowTheirTexts(main_->StatsList);
  int rows = 0;
  for (int row = 0; row < 5; ++row) rows += main_->StatsList->rowHeight(row);
  const int scrollBar = main_->StatsList->horizontalScrollBar()->sizeHint().height();
  EXPECT_GE(main_->StatsList->height() - 2 * main_->StatsList->frameWidth(), rows + scrollBar);
}

TEST_F(AppTest, LargeSumsShowInFull) {
  Start(PlainSettings());
  Import("sum.xlsx",
         {TFakeSheet{"A1", {{"h"}, {"", "F", "2021-03-01", "999999999999999", "-0.2", "20"}}}});
  main_->show();
  EXPECT_EQ(Sum(main_->SubtotalsList, "A1-Z"), U("999 999 999 999 999,00 €"));
  ExpectColumnsShowTheirTexts(main_->SubtotalsList);
}

}  // namespace
}  // namespace app::test
