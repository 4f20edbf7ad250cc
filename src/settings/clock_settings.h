#pragma once

#include <cstdint>

#include "render/compose_frame.h"
#include "settings/setting_table.h"

namespace lumivane {

// The world window's copy of the settings, filled only by LoadSettings from
// the profile store (the store is the source of truth).
struct ClockSettings {
  std::int32_t anchorX = 0;    // -1 left edge, 0 none, 1 right edge
  std::int32_t anchorY = 0;    // -1 top edge, 0 none, 1 bottom edge
  std::int32_t positionX = 0;  // window's left edge, screen pixels
  std::int32_t positionY = 0;  // window's top edge, screen pixels
  bool showSun = kShowSun.defaultValue;
  bool sunCentered = kSunCentered.defaultValue;
  bool showMoon = kShowMoon.defaultValue;
  bool onTop = kAlwaysOnTop.defaultValue;
  std::int32_t scale = kScale.defaultValue;
  std::int32_t nightDarkness = kNightDarkness.defaultValue;
  std::int32_t displayWidth = 0;  // pixels: the window and the shown map
  std::int32_t displayHeight = 0;
};

// The frame the window shows with these settings, its markers sized for a
// map mapWidth pixels wide.
inline FrameOptions FrameOptionsFor(const ClockSettings& settings, std::int32_t mapWidth) {
  return FrameOptions{.width = settings.displayWidth, .height = settings.displayHeight,
                      .nightDarkness = settings.nightDarkness, .markerScale = settings.scale,
                      .markerMapWidth = mapWidth, .showSun = settings.showSun,
                      .showMoon = settings.showMoon, .sunCentered = settings.sunCentered};
}

}  // namespace lumivane
