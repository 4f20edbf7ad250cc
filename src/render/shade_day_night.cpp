#include "render/shade_day_night.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "astro/angles.h"
#include "astro/daylight.h"
#include "astro/map_geometry.h"
#include "render/parallel_for.h"
#include "render/shade_rules.h"
#include "render/two_fifths_power.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumivane {

namespace {

// Zenith cosines are formed this many at a time.
constexpr std::size_t kColumnsPerChunk = 512;

// Fewer rows than this are not worth a thread of their own.
constexpr std::int32_t kRowsPerBand = 64;

// Below this z, 19 z^9 < 1: the day rule gains nothing (0.7^9 * 19 = 0.77).
constexpr double kNoDayGainBelow = 0.7;

// The range of x = -z over which a pair of whole amounts holds: amount k of
// A is trunc(x^0.4 * A), k from x^0.4 in [k / A, (k + 1) / A), that is from
// x in [(k / A)^2.5, ((k + 1) / A)^2.5). The bounds are drawn in by a margin
// far above pow's error of a few units in the last place, so inside them
// the exact rule gives the same amounts without a pow per pixel.
class NightAmountRanges {
 public:
  explicit NightAmountRanges(NightAmounts amounts) {
    Fill(amounts.redGreen, redGreen_);
    Fill(amounts.blue, blue_);
  }

  // [low, high] of x where the amounts are redGreen and blue.
  void RangeOf(std::int32_t redGreen, std::int32_t blue, double& low, double& high) const {
    if (redGreen < 0 || redGreen > 255 || blue < 0 || blue > 255) {
      low = 1;  // past the tables (x a little over 1): an empty range
      high = 0;
      return;
    }
    low = std::max(redGreen_.low[redGreen], blue_.low[blue]);
    high = std::min(redGreen_.high[redGreen], blue_.high[blue]);
  }

  // Moves redGreen and blue from where they are to the amounts of x, a step
  // at a time: x moves little from one pixel to the next. False, leaving
  // them as they were, when x lies in a margin between two ranges, where
  // only the exact rule can tell.
  bool StepTo(double x, std::int32_t& redGreen, std::int32_t& blue) const {
    std::int32_t newRedGreen = redGreen;
    std::int32_t newBlue = blue;
    if (!Step(redGreen_, x, newRedGreen) || !Step(blue_, x, newBlue)) return false;
    redGreen = newRedGreen;
    blue = newBlue;
    return true;
  }

 private:
  static constexpr double kMargin = 1e-12;
  struct Bounds {
    std::array<double, 256> low{};
    std::array<double, 256> high{};
    std::int32_t last = 0;  // the largest amount that occurs
  };

  static bool Step(const Bounds& bounds, double x, std::int32_t& k) {
    k = std::clamp(k, 0, bounds.last);
    while (k < bounds.last && x > bounds.high[k]) ++k;
    while (k > 0 && x < bounds.low[k]) --k;
    return x >= bounds.low[k] && x <= bounds.high[k];
  }

  static void Fill(std::int32_t amount, Bounds& bounds) {
    bounds.low.fill(1);  // amounts that cannot occur: an empty range
    bounds.high.fill(0);
    if (amount <= 0) {  // nothing is ever taken
      bounds.low[0] = -std::numeric_limits<double>::infinity();
      bounds.high[0] = std::numeric_limits<double>::infinity();
      return;
    }
    bounds.last = std::min(amount, 255);
    for (std::int32_t k = 0; k <= std::min(amount, 255); ++k) {
      const double from = static_cast<double>(k) / amount + kMargin;
      const double to = static_cast<double>(k + 1) / amount - kMargin;
      bounds.low[k] = k == 0 ? -std::numeric_limits<double>::infinity() : std::pow(from, 2.5);
      bounds.high[k] = std::pow(to, 2.5);
    }
  }

  Bounds redGreen_;
  Bounds blue_;
};

// The amounts of the last night pixel and the range of x they hold for:
// along a row x changes slowly, so most night pixels reuse them.
struct LastAmounts {
  double low = 1;  // an empty range
  double high = 0;
  std::int32_t redGreen = 0;
  std::int32_t blue = 0;

  bool Covers(double x) const { return x >= low && x <= high; }
};

// The night rule's amounts at x = -z > 0; last keeps them, with the range
// of x they hold for. Stepping from the last amounts nearly always finds
// them; only in a range's margin does the exact rule need its pow.
inline NightAmounts NightAmountsAt(double x, NightAmounts amounts, const NightAmountRanges& ranges,
                                   LastAmounts& last) {
  if (last.Covers(x)) return NightAmounts{last.redGreen, last.blue};
  if (!ranges.StepTo(x, last.redGreen, last.blue)) {
    const double opacity = std::pow(x, 0.4);
    last.redGreen = TruncateToInt32(opacity * amounts.redGreen);
    last.blue = TruncateToInt32(opacity * amounts.blue);
  }
  ranges.RangeOf(last.redGreen, last.blue, last.low, last.high);
  return NightAmounts{last.redGreen, last.blue};
}

// Amounts as the bytes of a pixel (0x00RRGGBB) for saturating byte
// arithmetic. An amount past a byte's range clamps to the byte's end:
// adding or taking 255 already gives 255 or 0, as the rules do.
inline std::uint32_t AmountBytes(std::int32_t redGreen, std::int32_t blue) {
  const auto byte = [](std::int32_t amount) {
    return static_cast<std::uint32_t>(std::clamp(amount, 0, 255));
  };
  return byte(redGreen) << 16 | byte(redGreen) << 8 | byte(blue);
}

// A chunk of a row with neither twilight nor night lights: first what each
// pixel gains (day) or loses (night) per channel, with little branching;
// then one pass adds and takes them with saturating byte arithmetic.
void ShadePlainChunk(Pixel* row, const double* zenithCosines, std::size_t count,
                     NightAmounts amounts, const NightAmountRanges& ranges, LastAmounts& last) {
  std::array<std::uint32_t, kColumnsPerChunk> gains;
  std::array<std::uint32_t, kColumnsPerChunk> losses;
  std::uint32_t lastLoss = AmountBytes(last.redGreen, last.blue);
  for (std::size_t i = 0; i < count; ++i) {
    const double z = zenithCosines[i];
    std::uint32_t gain = 0;
    std::uint32_t loss = 0;
    if (z < 0) {
      if (last.Covers(-z)) {
        loss = lastLoss;
      } else {
        const NightAmounts taken = NightAmountsAt(-z, amounts, ranges, last);
        lastLoss = AmountBytes(last.redGreen, last.blue);
        loss = AmountBytes(taken.redGreen, taken.blue);
      }
    } else if (z >= kNoDayGainBelow) {
      const DayGains day = DayGainsAt(z);
      gain = AmountBytes(day.redGreen, day.blue);
    }  // else no gain yet; a NaN also leaves the pixel
    gains[i] = gain;
    losses[i] = loss;
  }
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
  for (; i + 4 <= count; i += 4) {
    auto* at = reinterpret_cast<__m128i*>(row + i);
    const __m128i gained = _mm_adds_epu8(
        _mm_loadu_si128(at), _mm_loadu_si128(reinterpret_cast<const __m128i*>(&gains[i])));
    const __m128i lost =
        _mm_subs_epu8(gained, _mm_loadu_si128(reinterpret_cast<const __m128i*>(&losses[i])));
    _mm_storeu_si128(at, _mm_and_si128(lost, colour));
  }
#endif
  for (; i < count; ++i) {
    const auto channel = [&](std::uint32_t shift) {
      const std::uint32_t sum = (row[i] >> shift & 0xFFu) + (gains[i] >> shift & 0xFFu);
      const std::uint32_t value = std::min(sum, 255u);
      const std::uint32_t loss = losses[i] >> shift & 0xFFu;
      return value > loss ? value - loss : 0u;
    };
    row[i] = channel(16) << 16 | channel(8) << 8 | channel(0);
  }
}

// 0 civil, 1 nautical, 2 astronomical, for a zenith cosine in
// (-sin 18 deg, 0).
int TwilightBand(double zenithCosine) {
  switch (DaylightForZenithCosine(zenithCosine)) {
    case Daylight::NauticalTwilight: return 1;
    case Daylight::AstronomicalTwilight:
    case Daylight::Night: return 2;
    default: return 0;
  }
}

// A quarter, a half, three quarters of the night rule's opacity at -18 deg.
double TwilightBandOpacity(int band) {
  static const double darkest = std::pow(kSinAstronomicalTwilightDepth, 0.4);
  return darkest * (band + 1) / 4;
}

// The night side with twilight or city lights: the same amounts as the night
// rule from NightOpacity, then the lights mixed in by that opacity.
class ExtraNightRule {
 public:
  ExtraNightRule(NightAmounts amounts, const ShadeExtras& extras)
      : amounts_(amounts), twilight_(extras.twilight), lights_(extras.nightLights) {
    for (int band = 0; band < 3; ++band) {
      const double opacity = TwilightBandOpacity(band);
      bandOpacities_[band] = opacity;
      bandAmounts_[band] = {TruncateToInt32(opacity * amounts.redGreen),
                            TruncateToInt32(opacity * amounts.blue)};
    }
  }

  Pixel Shade(Pixel pixel, double zenithCosine, std::int32_t x, std::int32_t y,
              const NightAmountRanges& ranges, LastAmounts& last) const {
    const bool inTwilight = twilight_ && zenithCosine > -kSinAstronomicalTwilightDepth;
    if (!lights_) {
      if (!inTwilight) {
        const NightAmounts taken = NightAmountsAt(-zenithCosine, amounts_, ranges, last);
        return DarkenPixel(pixel, taken.redGreen, taken.blue);
      }
      const NightAmounts& band = bandAmounts_[TwilightBand(zenithCosine)];
      return DarkenPixel(pixel, band.redGreen, band.blue);
    }
    const Pixel light = lights_->at(x, y);
    if (!inTwilight) {
      // The night rule's amounts, without pow as above; and its opacity
      // (-z)^0.4, where pow is most of the cost, from a close approximation
      // whenever that cannot change a rounded channel.
      const NightAmounts taken = NightAmountsAt(-zenithCosine, amounts_, ranges, last);
      const Pixel dark = DarkenPixel(pixel, taken.redGreen, taken.blue);
      const double near = power_.Approximate(-zenithCosine);
      if (const auto mixed = MixIfSure(dark, light, near)) return *mixed;
      return Mix(dark, light, std::pow(-zenithCosine, 0.4));
    }
    // A twilight band: NightOpacity's band opacity and the amounts it takes.
    const int band = TwilightBand(zenithCosine);
    const NightAmounts& taken = bandAmounts_[band];
    return Mix(DarkenPixel(pixel, taken.redGreen, taken.blue), light, bandOpacities_[band]);
  }

 private:
  // Each channel: (1 - O) x darkened map + O x lights, rounded.
  static double MixedChannel(std::uint32_t map, std::uint32_t lights, double opacity) {
    const double m = map;
    return m + (static_cast<double>(lights) - m) * opacity + 0.5;
  }

  static Pixel Mix(Pixel dark, Pixel light, double opacity) {
    const auto mix = [opacity](std::uint32_t map, std::uint32_t lights) {
      return static_cast<std::uint32_t>(MixedChannel(map, lights, opacity));
    };
    return MakePixel(mix(RedOf(dark), RedOf(light)), mix(GreenOf(dark), GreenOf(light)),
                     mix(BlueOf(dark), BlueOf(light)));
  }

  // The mix by an opacity within 4 TwoFifthsPower::kRelativeError of pow's
  // (8e-15), which moves a channel before rounding by at most 255 x 8e-15
  // plus a few roundings of numbers below 256 (under 3e-12 in all): where
  // every channel lies further than that from a whole number, pow's opacity
  // rounds the same. Nothing where one does not, or near is NaN.
  static std::optional<Pixel> MixIfSure(Pixel dark, Pixel light, double near) {
    constexpr double kUnsure = 1e-11;
    bool sure = near == near;  // not NaN
    const auto mix = [&](std::uint32_t map, std::uint32_t lights) {
      const double value = MixedChannel(map, lights, near);
      const auto whole = static_cast<std::uint32_t>(value);
      const double fraction = value - whole;
      sure = sure && fraction > kUnsure && fraction < 1 - kUnsure;
      return whole;
    };
    const Pixel mixed =
        MakePixel(mix(RedOf(dark), RedOf(light)), mix(GreenOf(dark), GreenOf(light)),
                  mix(BlueOf(dark), BlueOf(light)));
    if (!sure) return std::nullopt;
    return mixed;
  }

  NightAmounts amounts_;
  bool twilight_;
  const Image* lights_;
  const TwoFifthsPower& power_ = TwoFifthsPower::Instance();
  double bandOpacities_[3];
  NightAmounts bandAmounts_[3];
};

}  // namespace

double NightOpacity(double zenithCosine, bool twilight) {
  if (twilight && zenithCosine > -kSinAstronomicalTwilightDepth) {
    return TwilightBandOpacity(TwilightBand(zenithCosine));
  }
  return std::pow(-zenithCosine, 0.4);
}

void ShadeDayNight(Image& image, double declination, double westLongitude,
                   std::int32_t nightDarkness) {
  ShadeDayNight(image, declination, westLongitude, nightDarkness,
                ShadeExtras{PixelRect{0, 0, image.width(), image.height()}});
}

struct DayNightShader::Tables {
  Tables(std::int32_t imageWidth, double declination, double westLongitude,
         std::int32_t nightDarkness, const ShadeExtras& extras)
      : area(extras.mapArea),
        firstX(static_cast<std::int32_t>(std::max<std::int64_t>(0, area.x))),
        endX(static_cast<std::int32_t>(
            std::min<std::int64_t>(imageWidth, std::int64_t{area.x} + area.width))),
        amounts(NightAmountsFor(nightDarkness)),
        extraNight(extras.twilight || extras.nightLights),
        extraRule(amounts, extras),
        ranges(amounts) {
    // The same factors SolarZenithCosine forms, computed once per frame, row
    // and column; the products and sums are then made in its exact order.
    const double a = declination * kDegreesToRadians;
    const double b = westLongitude * kDegreesToRadians;
    sinBCosA = std::sin(b) * std::cos(a);
    cosBCosA = std::cos(b) * std::cos(a);
    sinA = std::sin(a);
    for (std::int32_t x = firstX; x < endX; ++x) {
      const double q =
          MapGeometry::ColumnToWestLongitude(x - area.x, area.width) * kDegreesToRadians;
      sinQ.push_back(std::sin(q));
      cosQ.push_back(std::cos(q));
    }
  }

  PixelRect area;
  std::int32_t firstX;  // the part of the map inside the image
  std::int32_t endX;
  NightAmounts amounts;
  bool extraNight;
  ExtraNightRule extraRule;
  NightAmountRanges ranges;
  double sinBCosA = 0;
  double cosBCosA = 0;
  double sinA = 0;
  std::vector<double> sinQ;
  std::vector<double> cosQ;
};

DayNightShader::DayNightShader(std::int32_t imageWidth, double declination, double westLongitude,
                               std::int32_t nightDarkness, const ShadeExtras& extras)
    : tables_(std::make_unique<const Tables>(imageWidth, declination, westLongitude, nightDarkness,
                                             extras)) {}

DayNightShader::~DayNightShader() = default;

void DayNightShader::ShadeRows(Image& image, std::int32_t firstRow, std::int32_t endRow) const {
  const Tables& t = *tables_;
  const PixelRect& area = t.area;
  if (area.width <= 0 || area.height <= 0 || t.firstX >= t.endX) return;
  const auto firstY = static_cast<std::int32_t>(std::max<std::int64_t>({0, area.y, firstRow}));
  const auto endY = static_cast<std::int32_t>(
      std::min<std::int64_t>({image.height(), std::int64_t{area.y} + area.height, endRow}));
  const auto width = static_cast<std::size_t>(t.endX - t.firstX);
  std::array<double, kColumnsPerChunk> zenithCosines;
  // The amounts hold for their range of x anywhere: a row starts from those
  // its neighbour ended with, across the date line.
  LastAmounts last;
  for (std::int32_t y = firstY; y < endY; ++y) {
    const double p = MapGeometry::RowToLatitude(y - area.y, area.height) * kDegreesToRadians;
    const double sinP = std::sin(p);
    const double cosP = std::cos(p);
    const double sinPSinA = sinP * t.sinA;
    Pixel* row = image.row(y) + t.firstX;
    for (std::size_t from = 0; from < width; from += kColumnsPerChunk) {
      const std::size_t count = std::min(kColumnsPerChunk, width - from);
      // A branch-free pass the compiler can vectorise, then the per-pixel
      // rules; in chunks that stay in the first-level cache.
      for (std::size_t j = 0; j < count; ++j) {
        const std::size_t i = from + j;
        zenithCosines[j] =
            (t.sinQ[i] * cosP) * t.sinBCosA + (t.cosQ[i] * cosP) * t.cosBCosA + sinPSinA;
      }
      if (!t.extraNight) {
        ShadePlainChunk(row + from, zenithCosines.data(), count, t.amounts, t.ranges, last);
        continue;
      }
      for (std::size_t j = 0; j < count; ++j) {
        const std::size_t i = from + j;
        const double z = zenithCosines[j];
        if (z < 0) {
          row[i] = t.extraRule.Shade(row[i], z, t.firstX + static_cast<std::int32_t>(i), y,
                                     t.ranges, last);
        } else if (z >= kNoDayGainBelow) {
          row[i] = ApplyDayRule(row[i], z);
        } else {
          row[i] &= 0x00FFFFFFu;  // no gain yet; a NaN also leaves the pixel
        }
      }
    }
  }
}

void ShadeDayNight(Image& image, double declination, double westLongitude,
                   std::int32_t nightDarkness, const ShadeExtras& extras) {
  const DayNightShader shader(image.width(), declination, westLongitude, nightDarkness, extras);
  // Every pixel is shaded on its own, so bands of rows can be shaded side by
  // side with the same result.
  InBands(image.height(), extras.threads, kRowsPerBand, [&](std::int64_t from, std::int64_t to) {
    shader.ShadeRows(image, static_cast<std::int32_t>(from), static_cast<std::int32_t>(to));
  });
}

}  // namespace lumivane
