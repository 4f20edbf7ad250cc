#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "astro/lunar_position.h"
#include "astro/solar_position.h"
#include "astro/unix_time.h"
#include "render/builtin_images.h"
#include "render/image.h"
#include "render/image_ops.h"
#include "render/map_pins.h"

namespace lumivane {

// How the 2:1 Earth map fills a frame of another shape.
enum class MapFit {
  Stretch,  // the map is resampled to the whole frame (the window's way)
  Pad,      // as large as fits, centred; the background around it
  Crop,     // covers the frame, centred; the excess cut equally from both sides
};

// What a frame shows. The layers above fill every field from their settings
// (the defaults are theirs); new picture features are new fields here.
struct FrameOptions {
  std::int32_t width = 0;  // the frame, pixels
  std::int32_t height = 0;
  std::int32_t nightDarkness = 0;  // 1..100
  std::int32_t markerScale = 0;    // 1..100
  // The map width the markers are sized for: the window's map's native width.
  std::int32_t markerMapWidth = 0;
  bool showSun = false;
  bool showMoon = false;
  bool sunCentered = false;
  MapFit fit = MapFit::Stretch;
  Pixel background = 0;   // around a padded map
  bool twilight = false;  // twilight bands instead of the sharp terminator
  bool precise = false;   // the sun and moon from the precise ephemeris
  // Pinned places, drawn as dots over the markers, with their names beside
  // them when pinNames is set.
  std::vector<MapPin> pins{};
  bool pinNames = true;
  // Threads that may shade the frame; the pixels are the same for any number.
  std::int32_t threads = 1;
};

// Where the whole map lies in the frame: the frame itself when stretched; a
// 2:1 rectangle inside it (pad) or around it (crop), centred.
PixelRect MapArea(const FrameOptions& options);

// The Earth map as a frame reads it: the picture and the native size it is
// resampled from (the whole picture, for every map the program loads).
struct EarthMapView {
  const Image& image;
  std::int32_t nativeWidth = 0;
  std::int32_t nativeHeight = 0;
};

// Where the sun and the moon stand, and the moon's phase.
struct SkyPositions {
  SubSolarPoint sun;
  SubLunarPoint moon;
  MoonPhase moonPhase = MoonPhase::New;
};

// The positions the clock gives at time t.
SkyPositions SkyAt(UnixTime t);

// The frame: the Earth map resampled to the frame's size, day and night
// shaded, the moon and then the sun marker, optionally turned so the sun is
// in the middle column.
Image ComposeFrame(const FrameOptions& options, const EarthMapView& map,
                   const MarkerImages& markers, UnixTime time);

// The same in two steps, for a caller that shows the plain map meanwhile or
// makes many frames from one map: the map resampled into place, then
// everything else done to it. nightLights, when given, is PlainMap of the
// night picture for the same options: blended into the night side.
Image PlainMap(const FrameOptions& options, const EarthMapView& map);
Image FinishFrame(const FrameOptions& options, Image plainMap, const MarkerImages& markers,
                  const SkyPositions& sky, const Image* nightLights = nullptr);

// FinishFrame done in place from the top down, for a caller that passes the
// rows on while the rest is still being made: rowsReady(n) is called each
// time rows [0, n) are final, the last time with the frame's height. The
// same pixels as FinishFrame. The sun-centred view turns every row, so there
// all rows become final at once (and the frame may get a new size).
// With map, frame's pixels are only written (it is given the frame's size
// when it lacks it): it becomes PlainMap(options, *map), made a band at a
// time just before the band is shaded, while it is still in the caches.
void FinishFrameFromTheTop(const FrameOptions& options, Image& frame, const MarkerImages& markers,
                           const SkyPositions& sky, const Image* nightLights,
                           const std::function<void(std::int32_t)>& rowsReady,
                           const EarthMapView* map = nullptr);

// Marker sizes in pixels: trunc(scale x mapWidth x 20 (moon) or 40 (sun)
// x 0.0000625), that is scale x mapWidth / 800 or / 400 rounded down. They
// follow the map picture's width, not the frame's. 0 draws nothing.
std::int32_t MoonMarkerSize(std::int32_t scale, std::int32_t mapWidth);
std::int32_t SunMarkerSize(std::int32_t scale, std::int32_t mapWidth);

// The sun-centred view's turn in columns, d = W / 2 - (the sun's column), in
// [-W/2, W/2] for every sun longitude the clock gives.
std::int32_t SunCenteredShift(std::int32_t width, double sunWestLongitude);

// Column x of the working picture becomes column (x + shift) modulo W of the
// frame, every row unchanged: two unscaled strip copies. The frame must have
// the working picture's size.
void TurnIntoFrame(const Image& working, std::int32_t shift, Image& frame);

}  // namespace lumivane
