#include "app/window_placement.h"

#include <algorithm>
#include <vector>

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

// How far apart two spans of one axis are; 0 when they overlap or touch.
std::int64_t Gap(std::int32_t nearEdge, std::int32_t farEdge, std::int32_t low, std::int32_t high) {
  return std::max<std::int64_t>({0, std::int64_t{low} - farEdge, std::int64_t{nearEdge} - high});
}

// How much of one axis two spans share.
std::int64_t Overlap(std::int32_t nearEdge, std::int32_t farEdge, std::int32_t low,
                     std::int32_t high) {
  return std::max<std::int64_t>(0, std::int64_t{std::min(farEdge, high)} - std::max(nearEdge, low));
}

// The monitor that shows most of the window or, when none shows any of it,
// the nearest; the earlier listed wins a tie, so the primary. No monitor
// known: an empty desktop at the origin.
WindowRect MonitorOf(const WindowRect& r, const std::vector<WindowRect>& monitors) {
  WindowRect best;
  std::int64_t bestArea = 0;
  std::int64_t bestDistance = -1;
  for (const WindowRect& m : monitors) {
    const std::int64_t area =
        Overlap(r.left, r.right, m.left, m.right) * Overlap(r.top, r.bottom, m.top, m.bottom);
    const std::int64_t dx = Gap(r.left, r.right, m.left, m.right);
    const std::int64_t dy = Gap(r.top, r.bottom, m.top, m.bottom);
    const std::int64_t distance = dx * dx + dy * dy;
    const bool nearer = bestDistance < 0 || distance < bestDistance;
    if (area > bestArea || (bestArea == 0 && area == 0 && nearer)) {
      best = m;
      bestArea = area;
      bestDistance = distance;
    }
  }
  return best;
}

// Shifts one axis by the least that puts it within [low, high]; a window
// larger than that keeps to the near edge.
void PullInside(std::int32_t& nearEdge, std::int32_t& farEdge, std::int32_t low,
                std::int32_t high) {
  if (farEdge > high) Shift(nearEdge, farEdge, high - farEdge);
  if (nearEdge < low) Shift(nearEdge, farEdge, low - nearEdge);
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
  const std::vector<WindowRect> monitors = window.MonitorRects();
  WindowRect r = window.GetWindowPlacement();
  Shift(r.left, r.right, x - grab.x);
  Shift(r.top, r.bottom, y - grab.y);
  const WindowRect desktop = MonitorOf(r, monitors);
  settings.anchorY = Snap(r.top, r.bottom, desktop.top, desktop.bottom);
  settings.anchorX = Snap(r.left, r.right, desktop.left, desktop.right);
  window.SetWindowPlacement(r);
}

void ReAnchor(Window& window, ClockSettings& settings) {
  const std::vector<WindowRect> monitors = window.MonitorRects();
  WindowRect r = window.GetWindowPlacement();
  const WindowRect desktop = MonitorOf(r, monitors);

  const bool outsideVertically = r.bottom < desktop.top || r.top > desktop.bottom;
  if (outsideVertically && IsUnanchored(settings.anchorY)) settings.anchorY = -1;
  const bool outsideHorizontally = r.right < desktop.left || r.left > desktop.right;
  if (outsideHorizontally && IsUnanchored(settings.anchorX)) settings.anchorX = -1;
  const bool lost = outsideVertically || outsideHorizontally;

  if (settings.anchorX == 0 && settings.anchorY == 0) return;

  if (settings.anchorY == -1) Shift(r.top, r.bottom, desktop.top - r.top);
  if (settings.anchorY == 1) Shift(r.top, r.bottom, desktop.bottom - r.bottom);
  if (settings.anchorX == -1) Shift(r.left, r.right, desktop.left - r.left);
  if (settings.anchorX == 1) Shift(r.left, r.right, desktop.right - r.right);
  // A lost window comes back whole: its anchored edges are on the monitor
  // now, and the other axis follows (it may hang off a monitor that is gone).
  if (lost && IsUnanchored(settings.anchorY)) {
    PullInside(r.top, r.bottom, desktop.top, desktop.bottom);
  }
  if (lost && IsUnanchored(settings.anchorX)) {
    PullInside(r.left, r.right, desktop.left, desktop.right);
  }
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
