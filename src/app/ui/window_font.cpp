#include "app/ui/window_font.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace app {

QFont WindowFont(int pixelHeight) {
  QFont font(QStringLiteral("Tahoma"));
  font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(pixelHeight);
  return font;
}

void CenterOnScreen(QWidget* window) {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
  }
}

}  // namespace app
