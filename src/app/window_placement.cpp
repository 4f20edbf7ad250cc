#include "app/window_placement.h"

#include <algorithm>

#include "render/device_pixels.h"

namespace lumivane {

namespace {

constexpr std::int32_t kFarthestPosition = 1 << 30;

// Moves one axis of a rectangle: both its edges.
void Shift(std::int32_t& nearEdge, std::int32_t& farEdge, std::int32_t by) {
  nearEdge += by;
  farEdge += by;
}

// Snaps one axis: the near edge (top or left) is tested first, so a window
// larger than the desktop keeps to the top and the left. Returns the anchor.
std::int32_t Snap(std::int32_t& nearEdge, std::int32_t& farEdge, std::int32_t desktopNear,
                  std::int32_t desktopFar) {
  const std::int32_t nearGap = desktopNear - nearEdge;
  if (nearGap >= -kSnapInside && nearGap <= kSnapOutside) {
    Shift(nearEdge, farEdge, nearGap);
    return -1;
  }
  const std::int32_t farGap = desktopFar - farEdge;
  if (farGap >= -kSnapOutside && farGap <= kSnapInside) {
    Shift(nearEdge, farEdge, farGap);
    return 1;
  }
  return 0;
}

// Only -1, 0 and 1 come from this program; a hand-edited anchor value is
// treated as "none" when deciding whether a lost window must be fetched.
bool IsUnanchored(std::int32_t anchor) { return anchor != -1 && anchor != 1; }

}  // namespace

void DragStep(Window& window, Timers& timers, ClockSettings& settings, GrabPoint& grab,
              const MouseKeys& keys, std::int32_t x, std::int32_t y) {
  if (keys != MouseKeys{.leftButton = true}) {
    grab = GrabPoint{};
    return;
  }
  timers.StopTimer(TimerId::Peek);
  if (grab.x < 0) {
    grab = GrabPoint{x, y};
    return;
  }
  const WindowRect desktop = window.DesktopRect();
  WindowRect r = window.GetWindowPlacement();
  Shift(r.left, r.right, x - grab.x);
  Shift(r.top, r.bottom, y - grab.y);
  settings.anchorY = Snap(r.top, r.bottom, desktop.top, desktop.bottom);
  settings.anchorX = Snap(r.left, r.right, desktop.left, desktop.right);
  window.SetWindowPlacement(r);
}

void ReAnchor(Window& window, ClockSettings& settings) {
  const WindowRect desktop = window.DesktopRect();
  WindowRect r = window.GetWindowPlacement();

  const bool outsideVertically = r.bottom < desktop.top || r.top > desktop.bottom;
  if (outsideVertically && IsUnanchored(settings.anchorY)) settings.anchorY = -1;
  const bool outsideHorizontally = r.right < desktop.left || r.left > desktop.right;
  if (outsideHorizontally && IsUnanchored(settings.anchorX)) settings.anchorX = -1;

  if (settings.anchorX == 0 && settings.anchorY == 0) return;

  if (settings.anchorY == -1) Shift(r.top, r.bottom, desktop.top - r.top);
  if (settings.anchorY == 1) Shift(r.top, r.bottom, desktop.bottom - r.bottom);
  if (settings.anchorX == -1) Shift(r.left, r.right, desktop.left - r.left);
  if (settings.anchorX == 1) Shift(r.left, r.right, desktop.right - r.right);
  window.SetWindowPlacement(r);
}

void ApplyPlacement(Window& window, ClockSettings& settings) {
  // A hand-edited position near the int32 limits would overflow the edge
  // arithmetic; no desktop reaches a billion pixels, so hold it to that.
  const auto bounded = [](std::int32_t position) {
    return std::clamp(position, -kFarthestPosition, kFarthestPosition);
  };
  WindowRect r = window.GetWindowPlacement();
  r.left = bounded(settings.positionX);
  r.top = bounded(settings.positionY);
  r.right = r.left + InDevicePixels(settings.displayWidth, window.WindowSizeScale());
  r.bottom = r.top + InDevicePixels(settings.displayHeight, window.WindowSizeScale());
  window.SetWindowPlacement(r);
  ReAnchor(window, settings);
}

}  // namespace lumivane
