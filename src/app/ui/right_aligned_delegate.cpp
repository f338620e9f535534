#include "app/ui/right_aligned_delegate.h"

#include <QApplication>
#include <QPainter>

namespace app {

void TRightAlignedDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
  // The cell's own background and frame, without its text.
  QStyleOptionViewItem background = option;
  initStyleOption(&background, index);
  background.text.clear();
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

  painter->save();
  painter->setFont(option.font);
  painter->setPen(option.state & QStyle::State_Selected
                      ? option.palette.color(QPalette::HighlightedText)
                      : option.palette.color(QPalette::Text));
  QRect text = option.rect.adjusted(0, 2, -2, 0);
  painter->drawText(text, Qt::AlignRight | Qt::AlignTop, index.data(Qt::DisplayRole).toString());
  painter->restore();
}

}  // namespace app
