// Lumivane for Linux: the sun clock's world window on Qt Widgets.
#include <QApplication>

#include "app/application.h"
#include "platform/qt/display_platform.h"
#include "platform/qt/qt_startup_platform.h"

int main(int argc, char* argv[]) {
  lumivane::PreferX11Platform();
  QApplication application(argc, argv);
  // The world window's end ends the program, not the last window closing:
  // the tray icon and message boxes would confuse that count.
  QApplication::setQuitOnLastWindowClosed(false);
  lumivane::QtStartupPlatform platform;
  return lumivane::RunApplication(platform);
}
