#include "app/ui/right_aligned_delegate.h"

#include <QPainter>

namespace app {

void TRightAlignedDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
  QStyleOptionViewItem background = option;
  initStyleOption(&background, index);
  background.text.clear();
  QStyledItemDelegate::paint(painter, background, index);

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
