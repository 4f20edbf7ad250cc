#pragma once

#include <QByteArray>
#include <QString>

namespace lumivane {

// The Qt platform plugin to force, or empty to leave Qt's choice alone.
// Wayland does not let a window place itself, and the world window is placed
// by the program, so with an X display (XWayland) and no platform chosen by
// the user, or Wayland chosen, the program runs on xcb.
QByteArray PlatformToForce(const QByteArray& chosenPlatform, const QByteArray& display);

// Why the program cannot start on this display, in one line, or empty when it
// can: without a platform chosen by the user it needs an X display it can
// open (displayOpens says whether `display` opened).
QString DisplayProblem(const QByteArray& chosenPlatform, const QByteArray& display,
                       bool displayOpens);

// True when an X connection to `display` can be opened and the server has the
// screen it names.
bool X11DisplayOpens(const QByteArray& display);

// Applies PlatformToForce to this process's environment; call it before the
// QApplication is created. Returns DisplayProblem for this environment.
QString PreferX11Platform();

}  // namespace lumivane
