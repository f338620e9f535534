#pragma once
// Grid columns as wide as their headers and cells, so no caption or number is cut short.
class QTableWidget;

namespace app {

// Widens every column that is narrower than its header or its widest cell; wider columns keep
// their width.
void WidenColumnsToContent(QTableWidget* grid);

// The width the grid needs to show all its columns side by side, with its frame and, when its
// rows do not fit its height, the vertical scroll bar.
int WidthForColumns(const QTableWidget* grid);

}  // namespace app
