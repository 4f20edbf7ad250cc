#include "platform/win32/window_geometry.h"

#include <algorithm>

namespace lumivane::win32 {

RECT CentreWithin(const RECT& over, LONG width, LONG height, const RECT& bounds) {
  LONG left = over.left + (over.right - over.left - width) / 2;
  LONG top = over.top + (over.bottom - over.top - height) / 2;
  left = std::max(std::min(left, bounds.right - width), bounds.left);
  top = std::max(std::min(top, bounds.bottom - height), bounds.top);
  return {left, top, left + width, top + height};
}

void CentreOverOwner(HWND dialog) {
  HWND owner = GetWindow(dialog, GW_OWNER);
  RECT dialogRect{};
  GetWindowRect(dialog, &dialogRect);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(owner != nullptr ? owner : dialog, MONITOR_DEFAULTTONEAREST),
                  &monitor);
  RECT over = monitor.rcWork;
  if (owner != nullptr) GetWindowRect(owner, &over);
  const RECT placed = CentreWithin(over, dialogRect.right - dialogRect.left,
                                   dialogRect.bottom - dialogRect.top, monitor.rcWork);
  SetWindowPos(dialog, nullptr, placed.left, placed.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace lumivane::win32
