#include "platform/qt/mouse_key_state.h"

namespace lumivane {

std::uint32_t MouseKeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  std::uint32_t keys = 0;
  if (buttons.testFlag(Qt::LeftButton)) keys |= kMouseKeyLeftButton;
  if (buttons.testFlag(Qt::RightButton)) keys |= kMouseKeyRightButton;
  if (buttons.testFlag(Qt::MiddleButton)) keys |= kMouseKeyMiddleButton;
  if (modifiers.testFlag(Qt::ShiftModifier)) keys |= kMouseKeyShift;
  if (modifiers.testFlag(Qt::ControlModifier)) keys |= kMouseKeyControl;
  return keys;
}

}  // namespace lumivane
