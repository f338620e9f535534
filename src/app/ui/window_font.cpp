#include "app/ui/window_font.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace app {
namespace {

// Debian ships a Tahoma-compatible face with Wine's fonts, outside the font paths the desktop
// searches; the windows were laid out for Tahoma, so it is loaded when it is there.
void LoadTahomaOnce() {
  static const bool loaded = [] {
    const QString path = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
    return QFile::exists(path) && QFontDatabase::addApplicationFont(path) >= 0;
  }();
  (void)loaded;
}

}  // namespace

QFont WindowFont(int pixelHeight) {
  LoadTahomaOnce();
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
