#pragma once

#include <windows.h>

#include <optional>

#include "app/ports.h"

namespace lumivane::win32 {

// The key state of a mouse message (MK_ flags in wParam).
inline MouseKeys MouseKeysOf(WPARAM keys) {
  return MouseKeys{.leftButton = (keys & MK_LBUTTON) != 0,
                   .rightButton = (keys & MK_RBUTTON) != 0,
                   .middleButton = (keys & MK_MBUTTON) != 0,
                   .extraButton = (keys & (MK_XBUTTON1 | MK_XBUTTON2)) != 0,
                   .shift = (keys & MK_SHIFT) != 0,
                   .control = (keys & MK_CONTROL) != 0};
}

// The tray event a notification-icon mouse message stands for; presses and
// other messages stand for none.
inline std::optional<TrayEvent> TrayEventOf(UINT mouseMessage) {
  switch (mouseMessage) {
    case WM_MOUSEMOVE: return TrayEvent::PointerMoved;
    case WM_LBUTTONUP: return TrayEvent::LeftButtonUp;
    case WM_RBUTTONUP: return TrayEvent::RightButtonUp;
    default: return std::nullopt;
  }
}

}  // namespace lumivane::win32
