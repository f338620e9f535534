#include "app/ui/grid_fit.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>

namespace app {

void WidenColumnsToContent(QTableWidget* grid) {
  const QHeaderView* header = grid->horizontalHeader();
  const QAbstractItemView* view = grid;  // where the cells' size hint is public
  for (int column = 0; column < grid->columnCount(); ++column) {
    const int wanted = std::max(view->sizeHintForColumn(column),
                                header->isHidden() ? 0 : header->sectionSizeHint(column));
    if (grid->columnWidth(column) < wanted) grid->setColumnWidth(column, wanted);
  }
}

int WidthForColumns(const QTableWidget* grid) {
  int width = 2 * grid->frameWidth();
  for (int column = 0; column < grid->columnCount(); ++column) width += grid->columnWidth(column);
  int height =
      2 * grid->frameWidth() +
      (grid->horizontalHeader()->isHidden() ? 0 : grid->horizontalHeader()->sizeHint().height());
  for (int row = 0; row < grid->rowCount(); ++row) height += grid->rowHeight(row);
  if (height > grid->height())
    width += grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
  return width;
}

}  // namespace app
