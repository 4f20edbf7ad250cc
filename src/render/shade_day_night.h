#pragma once

#include <cstdint>

#include "render/image.h"

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

}  // namespace lumivane
