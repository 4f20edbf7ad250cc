#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/compose_frame.h"
#include "settings/ports.h"
#include "settings/setting_table.h"

namespace lumivane {

// The world window's copy of the settings, filled only from the profile store
// (the store is the source of truth).
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
  bool twilight = kTwilight.defaultValue;
  bool preciseSky = kPreciseSky.defaultValue;
  std::string nightLightsFile{kNightLightsFile.defaultValue};
  std::vector<MapPin> pins;  // the readable ones
  bool pinNames = kPinNames.defaultValue;
};

// The settings that decide the picture, read in the order the window reads
// them, with their defaults and clamps (the store is never rewritten): the
// markers (options sun, suncentered, moon), then the size and the sky (size
// scale, w, h; colors/nightfilter; sky twilight, precise, nightlights; places pins, names). The
// native size is that of the Earth map in use, the default base size.
void ReadMarkerSettings(ProfileStore& store, ClockSettings& settings);
void ReadSizeAndSkySettings(ProfileStore& store, ClockSettings& settings, std::int32_t nativeWidth,
                            std::int32_t nativeHeight);

// Both, for a picture without a window (the renderer).
ClockSettings ReadPictureSettings(ProfileStore& store, std::int32_t nativeWidth,
                                  std::int32_t nativeHeight);

// The frame the window shows with these settings, its markers sized for a
// map mapWidth pixels wide.
inline FrameOptions FrameOptionsFor(const ClockSettings& settings, std::int32_t mapWidth) {
  return FrameOptions{.width = settings.displayWidth,
                      .height = settings.displayHeight,
                      .nightDarkness = settings.nightDarkness,
                      .markerScale = settings.scale,
                      .markerMapWidth = mapWidth,
                      .showSun = settings.showSun,
                      .showMoon = settings.showMoon,
                      .sunCentered = settings.sunCentered,
                      .twilight = settings.twilight,
                      .precise = settings.preciseSky,
                      .pins = settings.pins,
                      .pinNames = settings.pinNames};
}

}  // namespace lumivane
