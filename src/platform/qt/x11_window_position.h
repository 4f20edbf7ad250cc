#pragma once

#include <QPoint>
#include <optional>

class QWindow;

namespace lumivane {

// Where the X server has the window's top-left corner now, in the root
// window's (device) pixels, whatever the program asked for last. Nothing off
// X11, for a window without a native one, or when the server cannot say.
std::optional<QPoint> X11WindowPosition(QWindow& window);

}  // namespace lumivane
