#pragma once

#include <cstdint>

#include "app/ports.h"
#include "settings/clock_settings.h"

namespace lumivane {

// Where the current drag began, in client coordinates; x < 0: no drag.
struct GrabPoint {
  std::int32_t x = -1;
  std::int32_t y = -1;
};

// Snap distances: an edge snaps when it is up to 8 pixels inside the desktop
// edge or up to 25 pixels outside it.
inline constexpr std::int32_t kSnapInside = 8;
inline constexpr std::int32_t kSnapOutside = 25;

// The desktop every rule below works against is one monitor's: the one
// that shows most of the window or, when none shows any of it, the nearest
// one (on a tie the earlier listed, so the primary). With one monitor that
// is always the whole desktop.

// One mouse move over the world window. With the left button alone held it
// drags: the first move records the grab point, every later one shifts the
// window by the pointer's offset from it and snaps each axis to the edges of
// its monitor (top before bottom, left before right), setting the anchors.
// Any other key state ends the drag. Stops the peek timer while dragging.
void DragStep(Window& window, Timers& timers, ClockSettings& settings, GrabPoint& grab,
              const MouseKeys& keys, std::int32_t x, std::int32_t y);

// Pulls the window onto its anchored edges of its (possibly changed)
// monitor. A window wholly outside every monitor comes back whole onto the
// nearest one: on an axis where it is wholly outside with no anchor it
// comes back at the left or top edge and is anchored there, an anchored
// edge goes to its edge, and an unanchored axis is pulled just inside.
void ReAnchor(Window& window, ClockSettings& settings);

// Gives the window its stored position and the display size, then
// re-anchors it. The only place where the window's size changes.
void ApplyPlacement(Window& window, ClockSettings& settings);

}  // namespace lumivane
