#include "platform/qt/display_platform.h"

#include <xcb/xcb.h>

#include <QtGlobal>

namespace lumivane {
namespace {

// A Wayland choice (QT_QPA_PLATFORM=wayland, "wayland;xcb", "wayland-egl")
// counts as none: the world window places itself, which only X11 allows, so
// a Wayland session runs it through XWayland like any other.
QByteArray UsersChoice(const QByteArray& chosenPlatform) {
  return chosenPlatform.startsWith("wayland") ? QByteArray() : chosenPlatform;
}

}  // namespace

QByteArray PlatformToForce(const QByteArray& chosenPlatform, const QByteArray& display) {
  if (!UsersChoice(chosenPlatform).isEmpty() || display.isEmpty()) return {};
  return QByteArrayLiteral("xcb");
}

QString DisplayProblem(const QByteArray& chosenPlatform, const QByteArray& display,
                       bool displayOpens) {
  if (!UsersChoice(chosenPlatform).isEmpty()) return {};
  const QString needs = QStringLiteral("Lumivane needs an X11 display (an X server or XWayland)");
  if (display.isEmpty()) return needs + QStringLiteral(": DISPLAY is not set");
  if (!displayOpens) {
    return needs + QStringLiteral(": cannot open display ") + QString::fromLocal8Bit(display);
  }
  return {};
}

bool X11DisplayOpens(const QByteArray& display) {
  if (display.isEmpty()) return false;
  int screen = 0;
  xcb_connection_t* connection = xcb_connect(display.constData(), &screen);
  // ":0.5" connects to the server even when it has no screen 5; Qt would
  // then abort.
  const bool opens = xcb_connection_has_error(connection) == 0 &&
                     screen < xcb_setup_roots_length(xcb_get_setup(connection));
  xcb_disconnect(connection);
  return opens;
}

QString PreferX11Platform() {
  const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
  const QByteArray display = qgetenv("DISPLAY");
  const QByteArray platform = PlatformToForce(chosen, display);
  if (platform.isEmpty()) return DisplayProblem(chosen, display, false);
  qputenv("QT_QPA_PLATFORM", platform);
  return DisplayProblem(chosen, display, X11DisplayOpens(display));
}

}  // namespace lumivane
