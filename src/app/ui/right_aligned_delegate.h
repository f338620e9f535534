#pragma once
// Amounts read best lined up on their last digit, so the sums column draws its texts flush right,
// with a small inset from the cell's edges.
#include <QStyledItemDelegate>

namespace app {

class TRightAlignedDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace app
