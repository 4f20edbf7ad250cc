#pragma once

#include <cstdint>
#include <memory>

#include "render/image.h"
#include "render/image_ops.h"

namespace lumivane {

// Shades the map, already at display size, in place: every pixel is taken to
// latitude and west longitude by the map geometry of the image's own size,
// and darkened towards blue on the night side or slightly brightened near the
// sub-solar point. nightDarkness is 1..100. An empty image is left alone.
//
// Every pixel gets exactly the result of ShadePixel with SolarZenithCosine
// evaluated for that pixel; the shortcuts below only avoid repeating work.
void ShadeDayNight(Image& image, double declination, double westLongitude,
                   std::int32_t nightDarkness);

// What the command line can add to the shading.
struct ShadeExtras {
  // Where the whole map lies in the image (it may reach past the image's
  // edges); the pixels outside are left alone.
  PixelRect mapArea;
  // Twilight bands instead of the sharp terminator (see NightOpacity below).
  bool twilight = false;
  // City lights, the same size as the image: blended into the night side.
  const Image* nightLights = nullptr;
  // Threads to shade with: the result is the same for any number.
  std::int32_t threads = 1;
};

// The same shading for a map placed in the image, with twilight and night
// lights when asked for. With mapArea the whole image and neither extra,
// every pixel is exactly what the function above gives.
void ShadeDayNight(Image& image, double declination, double westLongitude,
                   std::int32_t nightDarkness, const ShadeExtras& extras);

// The shading of one frame with its per-frame and per-column factors made
// once, for a caller that shades its rows a band at a time: ShadeRows gives
// those rows exactly what ShadeDayNight gives them. Bands may be shaded on
// several threads at once.
class DayNightShader {
 public:
  DayNightShader(std::int32_t imageWidth, double declination, double westLongitude,
                 std::int32_t nightDarkness, const ShadeExtras& extras);
  ~DayNightShader();
  void ShadeRows(Image& image, std::int32_t firstRow, std::int32_t endRow) const;

 private:
  struct Tables;
  std::unique_ptr<const Tables> tables_;
};

// The night's opacity O at a place where the sun's zenith cosine z (the sine
// of its altitude h) is below 0. The night rule takes trunc(O * amount) from
// each channel.
//
// Without twilight: O = (-z)^0.4.
// With twilight, where the sun is less than 18 degrees down, O is a quarter,
// a half and three quarters of O18 = sin(18 deg)^0.4 (0.625), the night rule's
// opacity at -18 degrees, in the civil (0 > h > -6), nautical (-6 >= h > -12)
// and astronomical (-12 >= h > -18) bands; from h <= -18 degrees on, the
// night rule as without twilight. So the darkening grows with depth, with a
// visible step of O18 / 4 at -6, -12 and -18 degrees.
double NightOpacity(double zenithCosine, bool twilight);

}  // namespace lumivane
