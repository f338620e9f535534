#pragma once
// The windows' typeface and placement helpers.
#include <QFont>

class QWidget;

namespace app {

// Tahoma (or the closest face the system has) at the given pixel height.
QFont WindowFont(int pixelHeight);
void CenterOnScreen(QWidget* window);

}  // namespace app
