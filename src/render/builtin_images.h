#pragma once

#include <cstdint>

#include "astro/lunar_position.h"
#include "render/image.h"

namespace lumivane {

// The pictures the program carries with it, by role.
enum class BuiltinImage {
  EarthMap,
  SunImage,
  SunMask,
  MoonFullImage,
  MoonNewImage,
  MoonMask,
  MoonFirstQuarterImage,
  MoonLastQuarterImage,
  NightLights,  // city lights, blended into the night side when chosen
  PinFont,      // the glyphs the pins' names are drawn with
};

// The bitmap resource number of the role (131, 134, 136 to 143).
std::int32_t ResourceId(BuiltinImage image);

// The file in res/ that holds the role's picture, e.g. "earth_map.bmp".
const char* ResourceFileName(BuiltinImage image);

// The built-in map's size, which is also the native size that goes with it.
inline constexpr std::int32_t kDefaultEarthMapWidth = 400;
inline constexpr std::int32_t kDefaultEarthMapHeight = 200;

// Markers are drawn from these whole squares, so the pictures have exactly
// these sizes.
inline constexpr std::int32_t kSunMarkerSize = 40;
inline constexpr std::int32_t kMoonMarkerSize = 20;

// The marker pictures, loaded once and never changed. Each mask is pure black
// on the shape and pure white elsewhere; each image is pure black outside the
// shape and never pure black inside it. With them, the font of the pins'
// names (see pin_names.h).
struct MarkerImages {
  Image sunImage;
  Image sunMask;
  Image moonMask;
  Image moonNew;
  Image moonFirstQuarter;
  Image moonFull;
  Image moonLastQuarter;
  Image pinFont;

  // The picture shown for a phase: the lit half of a quarter faces the sun
  // as seen from the northern hemisphere (right while waxing).
  const Image& MoonImage(MoonPhase phase) const;
};

class BuiltinImageSource;

// Loads the seven marker pictures in the order 134, 136, 137, 138, 140, 141,
// 139 (sun image and mask, full, new, first and last quarter, moon mask),
// then the pins' font (143).
MarkerImages LoadMarkerImages(BuiltinImageSource& source);

}  // namespace lumivane
