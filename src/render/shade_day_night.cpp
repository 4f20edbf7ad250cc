#include "render/shade_day_night.h"

#include <array>
#include <bit>
#include <cmath>
#include <vector>

#include "astro/angles.h"
#include "astro/map_geometry.h"
#include "render/shade_rules.h"

namespace lumivane {

namespace {

// (-z)^0.4 costs a pow per night pixel, most of the shading time. The result
// only matters through trunc(O * A) and trunc(O * B), so we estimate O from a
// table with a proven error bound and call pow only when that bound leaves
// the truncated amount in doubt.
class NightOpacityEstimate {
 public:
  NightOpacityEstimate() {
    for (int i = 0; i <= kMantissaSteps; ++i) {
      mantissaPower_[i] = std::pow(1.0 + static_cast<double>(i) / kMantissaSteps, 0.4);
    }
    for (int e = kMinExponent; e <= 0; ++e) {
      exponentPower_[e - kMinExponent] = std::pow(2.0, 0.4 * e);
    }
  }

  // Below this, O * 255 < 0.026: every amount is 0.
  static constexpr double kNegligible = 1e-10;
  // Linear interpolation of m^0.4 on [1, 2] in steps h = 1/1024 errs by at
  // most h^2/8 * max|f''| = 2.9e-8; scaled by 2^(0.4e) <= 1. Margin on top.
  static constexpr double kMaxError = 4e-8;

  // O for 1e-10 <= x < 2; false when x is outside that range.
  bool Estimate(double x, double& opacity) const {
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
    if (exponent < kMinExponent || exponent > 0) return false;
    const std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    const auto index = static_cast<int>(mantissa >> kFractionBits);
    const double fraction =
        static_cast<double>(mantissa & ((std::uint64_t{1} << kFractionBits) - 1)) *
        kFractionScale;
    const double low = mantissaPower_[index];
    const double m = low + fraction * (mantissaPower_[index + 1] - low);
    opacity = m * exponentPower_[exponent - kMinExponent];
    return true;
  }

 private:
  static constexpr int kMantissaSteps = 1024;
  static constexpr int kFractionBits = 52 - 10;
  static constexpr double kFractionScale = 1.0 / static_cast<double>(std::uint64_t{1} << 42);
  static constexpr int kMinExponent = -34;  // 2^-34 < 1e-10

  std::array<double, kMantissaSteps + 1> mantissaPower_{};
  std::array<double, 1 - kMinExponent> exponentPower_{};
};

const NightOpacityEstimate& Estimator() {
  static const NightOpacityEstimate estimator;
  return estimator;
}

// trunc(O * amount) when it is the same at both ends of O's error interval.
// The products lie in (-1, 257), so a plain cast truncates them safely.
inline bool SureAmount(double opacity, std::int32_t amount, std::int32_t& result) {
  const double a = amount;
  const auto low = static_cast<std::int32_t>((opacity - NightOpacityEstimate::kMaxError) * a);
  const auto high = static_cast<std::int32_t>((opacity + NightOpacityEstimate::kMaxError) * a);
  result = low;
  return low == high;
}

// Below this z, 19 z^9 < 1: the day rule gains nothing (0.7^9 * 19 = 0.77).
constexpr double kNoDayGainBelow = 0.7;

inline Pixel ShadeNight(Pixel pixel, double zenithCosine, NightAmounts amounts,
                 const NightOpacityEstimate& estimator) {
  const double x = -zenithCosine;
  if (x < NightOpacityEstimate::kNegligible) return pixel & 0x00FFFFFFu;
  double opacity = 0;
  std::int32_t redGreen = 0;
  std::int32_t blue = 0;
  if (estimator.Estimate(x, opacity) && SureAmount(opacity, amounts.redGreen, redGreen) &&
      SureAmount(opacity, amounts.blue, blue)) {
    return DarkenPixel(pixel, redGreen, blue);
  }
  return ApplyNightRule(pixel, zenithCosine, amounts);
}

}  // namespace

void ShadeDayNight(Image& image, double declination, double westLongitude,
                   std::int32_t nightDarkness) {
  const std::int32_t width = image.width();
  const std::int32_t height = image.height();
  if (width <= 0 || height <= 0) return;

  const NightAmounts amounts = NightAmountsFor(nightDarkness);
  const NightOpacityEstimate& estimator = Estimator();

  // The same factors SolarZenithCosine forms, computed once per frame, row
  // and column; the products and sums are then made in its exact order.
  const double a = declination * kDegreesToRadians;
  const double b = westLongitude * kDegreesToRadians;
  const double sinBCosA = std::sin(b) * std::cos(a);
  const double cosBCosA = std::cos(b) * std::cos(a);
  const double sinA = std::sin(a);

  std::vector<double> sinQ(static_cast<std::size_t>(width));
  std::vector<double> cosQ(static_cast<std::size_t>(width));
  for (std::int32_t x = 0; x < width; ++x) {
    const double q = MapGeometry::ColumnToWestLongitude(x, width) * kDegreesToRadians;
    sinQ[static_cast<std::size_t>(x)] = std::sin(q);
    cosQ[static_cast<std::size_t>(x)] = std::cos(q);
  }

  std::vector<double> zenithCosines(static_cast<std::size_t>(width));
  for (std::int32_t y = 0; y < height; ++y) {
    const double p = MapGeometry::RowToLatitude(y, height) * kDegreesToRadians;
    const double sinP = std::sin(p);
    const double cosP = std::cos(p);
    const double sinPSinA = sinP * sinA;
    // A branch-free pass the compiler can vectorise, then the per-pixel rules.
    for (std::size_t i = 0; i < zenithCosines.size(); ++i) {
      zenithCosines[i] = (sinQ[i] * cosP) * sinBCosA + (cosQ[i] * cosP) * cosBCosA + sinPSinA;
    }
    Pixel* row = image.row(y);
    for (std::int32_t x = 0; x < width; ++x) {
      const double z = zenithCosines[static_cast<std::size_t>(x)];
      if (z < 0) {
        row[x] = ShadeNight(row[x], z, amounts, estimator);
      } else if (z >= kNoDayGainBelow) {
        row[x] = ApplyDayRule(row[x], z);
      } else {
        row[x] &= 0x00FFFFFFu;  // no gain yet; a NaN also leaves the pixel
      }
    }
  }
}

}  // namespace lumivane
