#pragma once

#include <cstdint>

#include "astro/truncate.h"
#include "render/image.h"

namespace lumivane {

// How much the night takes away at its darkest: A from red and green, B from
// blue. Derived from the night darkness (1..100) by integer arithmetic.
struct NightAmounts {
  std::int32_t redGreen = 0;  // nf * 340 / 100, capped at 255
  std::int32_t blue = 0;      // nf * 255 / 100
};

NightAmounts NightAmountsFor(std::int32_t nightDarkness);

// Takes redGreen from red and green and blue from blue, never below 0.
inline Pixel DarkenPixel(Pixel pixel, std::int32_t redGreen, std::int32_t blue) {
  const auto darken = [](std::uint32_t value, std::int32_t amount) {
    const auto a = static_cast<std::uint32_t>(amount);
    return a >= value ? 0u : value - a;
  };
  return MakePixel(darken(RedOf(pixel), redGreen), darken(GreenOf(pixel), redGreen),
                   darken(BlueOf(pixel), blue));
}

// Day (z >= 0): red and green gain trunc(16 z^9), blue trunc(19 z^9), capped
// at 255. Inline: it runs for every day pixel near the sub-solar point.
struct DayGains {
  std::int32_t redGreen = 0;
  std::int32_t blue = 0;
};

inline DayGains DayGainsAt(double zenithCosine) {
  const double z2 = zenithCosine * zenithCosine;
  const double z4 = z2 * z2;
  const double z8 = z4 * z4;
  const double opacity = z8 * zenithCosine;
  return DayGains{TruncateToInt32(16 * opacity), TruncateToInt32(19 * opacity)};
}

inline Pixel ApplyDayRule(Pixel pixel, double zenithCosine) {
  const DayGains gains = DayGainsAt(zenithCosine);
  const auto brighten = [](std::uint32_t value, std::int32_t gain) {
    const std::uint32_t sum = value + static_cast<std::uint32_t>(gain);
    return sum >= 255 ? 255u : sum;
  };
  return MakePixel(brighten(RedOf(pixel), gains.redGreen), brighten(GreenOf(pixel), gains.redGreen),
                   brighten(BlueOf(pixel), gains.blue));
}

// One pixel as the shading defines it: night below 0, day from 0 up. A NaN
// takes the day branch and leaves the pixel as it was. At night (z < 0) each
// channel loses trunc((-z)^0.4 * amount), floored at 0. The frame's shader
// gives the same pixels faster; this is the rule it is tested against.
Pixel ShadePixel(Pixel pixel, double zenithCosine, NightAmounts amounts);

}  // namespace lumivane
