#include "render/shade_rules.h"

#include <cmath>

namespace lumivane {

NightAmounts NightAmountsFor(std::int32_t nightDarkness) {
  NightAmounts amounts;
  amounts.redGreen = nightDarkness * 340 / 100;
  if (amounts.redGreen >= 255) amounts.redGreen = 255;
  amounts.blue = nightDarkness * 255 / 100;
  return amounts;
}

namespace {

Pixel ApplyNightRule(Pixel pixel, double zenithCosine, NightAmounts amounts) {
  const double opacity = std::pow(-zenithCosine, 0.4);
  const std::int32_t redGreen = TruncateToInt32(opacity * amounts.redGreen);
  const std::int32_t blue = TruncateToInt32(opacity * amounts.blue);
  return DarkenPixel(pixel, redGreen, blue);
}

}  // namespace

Pixel ShadePixel(Pixel pixel, double zenithCosine, NightAmounts amounts) {
  if (zenithCosine < 0) return ApplyNightRule(pixel, zenithCosine, amounts);
  if (std::isnan(zenithCosine)) return pixel & 0x00FFFFFFu;
  return ApplyDayRule(pixel, zenithCosine);
}

}  // namespace lumivane
