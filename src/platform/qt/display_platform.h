#pragma once

#include <QByteArray>

namespace lumivane {

// The Qt platform plugin to force, or empty to leave Qt's choice alone.
// Wayland does not let a window place itself, and the world window is placed
// by the program, so with an X display (XWayland) and no platform chosen by
// the user the program runs on xcb.
QByteArray PlatformToForce(const QByteArray& chosenPlatform, const QByteArray& display);

// Applies PlatformToForce to this process's environment; call it before the
// QApplication is created.
void PreferX11Platform();

}  // namespace lumivane
