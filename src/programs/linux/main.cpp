// Lumivane for Linux: the sun clock's world window on Qt Widgets.
#include <QApplication>
#include <cstdio>

#include "app/application.h"
#include "platform/qt/display_platform.h"
#include "platform/qt/process_environment.h"
#include "platform/qt/qt_startup_platform.h"

int main(int argc, char* argv[]) {
  lumivane::OpenClosedStandardStreams();
  lumivane::RepairFolderEnvironment();
  // Without a display Qt would abort; say what is missing instead.
  const QString displayProblem = lumivane::PreferX11Platform();
  if (!displayProblem.isEmpty()) {
    std::fprintf(stderr, "%s\n", displayProblem.toLocal8Bit().constData());
    return 1;
  }
  QApplication application(argc, argv);
  // The world window's end ends the program, not the last window closing:
  // the tray icon and message boxes would confuse that count.
  QApplication::setQuitOnLastWindowClosed(false);
  lumivane::QtStartupPlatform platform;
  return lumivane::RunApplication(platform);
}
