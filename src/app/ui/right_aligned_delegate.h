#pragma once
// Paints the sums column right-aligned: the text's right edge 2 pixels inside the cell's right
// border and its top 2 pixels below the cell's top, over the cell's background.
#include <QStyledItemDelegate>

namespace app {

class TRightAlignedDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace app
