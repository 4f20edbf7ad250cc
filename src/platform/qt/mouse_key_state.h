#pragma once

#include <Qt>

#include "app/ports.h"

namespace lumivane {

// The buttons held and the modifier keys down during a mouse event.
MouseKeys MouseKeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

}  // namespace lumivane
