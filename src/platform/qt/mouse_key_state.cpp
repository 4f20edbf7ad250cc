#include "platform/qt/mouse_key_state.h"

namespace lumivane {

MouseKeys MouseKeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  return MouseKeys{.leftButton = buttons.testFlag(Qt::LeftButton),
                   .rightButton = buttons.testFlag(Qt::RightButton),
                   .middleButton = buttons.testFlag(Qt::MiddleButton),
                   .shift = modifiers.testFlag(Qt::ShiftModifier),
                   .control = modifiers.testFlag(Qt::ControlModifier)};
}

}  // namespace lumivane
