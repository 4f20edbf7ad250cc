#include "settings/display_size.h"

#include <algorithm>
#include <cmath>

#include "astro/truncate.h"

namespace lumivane {
namespace {

// The double nearest to 1/30: the scale is counted in thirtieths.
constexpr double kOneThirtieth = 0.03333333333333333;

DisplaySize AtLeastOnePixel(double width, double height) {
  return {std::max(TruncateToInt32(width), std::int32_t{1}),
          std::max(TruncateToInt32(height), std::int32_t{1})};
}

}  // namespace

bool FitsDisplay(double width, double height) {
  return width <= kMaxDisplaySide && height <= kMaxDisplaySide &&
         width * height <= static_cast<double>(kMaxDisplayArea);
}

double ScaledSide(std::uint32_t base, std::int32_t scale) {
  return std::trunc(static_cast<double>(base) * scale * kOneThirtieth);
}

DisplaySize ComputeDisplaySize(std::uint32_t baseWidth, std::uint32_t baseHeight,
                               std::int32_t scale, std::int32_t nativeWidth,
                               std::int32_t nativeHeight) {
  double width = ScaledSide(baseWidth, scale);
  double height = ScaledSide(baseHeight, scale);
  if (FitsDisplay(width, height)) return AtLeastOnePixel(width, height);

  width = ScaledSide(static_cast<std::uint32_t>(std::max(nativeWidth, 0)), scale);
  height = ScaledSide(static_cast<std::uint32_t>(std::max(nativeHeight, 0)), scale);
  if (FitsDisplay(width, height)) return AtLeastOnePixel(width, height);

  // A huge map of the user's own: the largest display of its proportions.
  const double areaFactor = std::sqrt(static_cast<double>(kMaxDisplayArea) / (width * height));
  const double factor = std::min({kMaxDisplaySide / width, kMaxDisplaySide / height, areaFactor});
  // The small allowance keeps a side that should land exactly on the bound
  // from being rounded one pixel short; the loop takes back any excess.
  double shrunkWidth = std::min(std::floor(width * factor + 1e-6), double{kMaxDisplaySide});
  double shrunkHeight = std::min(std::floor(height * factor + 1e-6), double{kMaxDisplaySide});
  while (!FitsDisplay(shrunkWidth, shrunkHeight)) {
    (shrunkWidth >= shrunkHeight ? shrunkWidth : shrunkHeight) -= 1;
  }
  return AtLeastOnePixel(shrunkWidth, shrunkHeight);
}

}  // namespace lumivane
