#include "render/frame_composer.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "astro/lunar_position.h"
#include "astro/map_geometry.h"
#include "astro/solar_position.h"
#include "astro/truncate.h"
#include "render/image_ops.h"
#include "render/shade_day_night.h"

namespace lumivane {

namespace {

constexpr std::int32_t kMoonSizeFactor = 20;
constexpr std::int32_t kSunSizeFactor = 40;
constexpr double kMarkerSizePerUnit = 0.0000625;  // 1/16000

std::int32_t MarkerSize(std::int32_t scale, std::int32_t nativeWidth, std::int32_t factor) {
  // The whole-number product in 64 bits: a wide map must not wrap it.
  const std::int64_t product = std::int64_t{scale} * nativeWidth * factor;
  return TruncateToInt32(static_cast<double>(product) * kMarkerSizePerUnit);
}

std::int32_t SaturateToInt32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// Mask AND, then picture OR, both resampled from the marker's whole square to
// size x size centred on the body's pixel; clipped at the picture's edges.
void DrawMarker(Image& working, double declination, double westLongitude, std::int32_t size,
                const Image& mask, const Image& picture, std::int32_t squareSize) {
  if (size <= 0) return;
  const std::int32_t cx = MapGeometry::WestLongitudeToColumn(working.width(), westLongitude);
  const std::int32_t cy = MapGeometry::LatitudeToRow(working.height(), declination);
  const PixelRect to{SaturateToInt32(std::int64_t{cx} - size / 2),
                     SaturateToInt32(std::int64_t{cy} - size / 2), size, size};
  const PixelRect square{0, 0, squareSize, squareSize};
  StretchBlit(working, to, mask, square, RasterOp::And);
  StretchBlit(working, to, picture, square, RasterOp::Or);
}

}  // namespace

std::int32_t MoonMarkerSize(std::int32_t scale, std::int32_t nativeWidth) {
  return MarkerSize(scale, nativeWidth, kMoonSizeFactor);
}

std::int32_t SunMarkerSize(std::int32_t scale, std::int32_t nativeWidth) {
  return MarkerSize(scale, nativeWidth, kSunSizeFactor);
}

std::int32_t SunCenteredShift(std::int32_t width, double sunWestLongitude) {
  const std::int32_t sunColumn = MapGeometry::WestLongitudeToColumn(width, sunWestLongitude);
  return SaturateToInt32(std::int64_t{width / 2} - sunColumn);
}

void TurnIntoFrame(const Image& working, std::int32_t shift, Image& frame) {
  const std::int32_t width = working.width();
  const std::int32_t height = working.height();
  if (width <= 0) return;
  // d >= 0 and d < 0 are the same turn once d is taken modulo W: the right
  // part goes to the left edge and the rest follows it.
  const std::int32_t d = ((shift % width) + width) % width;
  CopyBlit(frame, 0, 0, working, PixelRect{width - d, 0, d, height});
  CopyBlit(frame, d, 0, working, PixelRect{0, 0, width - d, height});
}

bool FrameComposer::RecomputeDue(const ClockSettings& settings, UnixTime now) const {
  // A cache of another size cannot be shown for these settings.
  if (needsRecompute_ || !frameCache_ || frameCache_->width() != settings.displayWidth ||
      frameCache_->height() != settings.displayHeight) {
    return true;
  }
  const UnixTime q = refreshPeriodMs_ / 1000;
  const UnixTime last = lastComputeTime_;
  // now >= last + q or now <= last - q, without overflowing at the clock's ends.
  constexpr UnixTime kMax = std::numeric_limits<UnixTime>::max();
  constexpr UnixTime kMin = std::numeric_limits<UnixTime>::min();
  const bool periodPassed = last <= kMax - q && now >= last + q;
  const bool clockWentBack = last >= kMin + q && now <= last - q;
  return periodPassed || clockWentBack;
}

void FrameComposer::PaintFrame(const ClockSettings& settings, const EarthMapView& map,
                               const MarkerImages& markers, FrameWindow& window, UnixTime now) {
  if (window.IsMinimised()) return;
  if (RecomputeDue(settings, now)) {
    Recompute(settings, map, markers, window, now);
    return;
  }
  window.ShowFrame(*frameCache_);
}

void FrameComposer::Recompute(const ClockSettings& settings, const EarthMapView& map,
                              const MarkerImages& markers, FrameWindow& window, UnixTime now) {
  const std::int32_t width = settings.displayWidth;
  const std::int32_t height = settings.displayHeight;
  lastComputeTime_ = now;
  const SolarPosition solar = ComputeSubSolarPoint(now);

  Image working(width, height);
  StretchBlit(working, PixelRect{0, 0, width, height}, map.image,
              PixelRect{0, 0, map.nativeWidth, map.nativeHeight}, RasterOp::Copy);

  // While the frame is built the window shows something already: the plain
  // map after a change of settings (the old frame may have another size),
  // the previous frame otherwise.
  const bool forced = needsRecompute_ || !frameCache_ || frameCache_->width() != width ||
                      frameCache_->height() != height;
  if (forced) {
    frameCache_.reset();
    needsRecompute_ = false;
    window.ShowFrame(working);
  } else {
    window.ShowFrame(*frameCache_);
  }

  ShadeDayNight(working, solar.sun.declination, solar.sun.westLongitude, settings.nightFilter);

  if (settings.showMoon) {
    const SubLunarPoint moon = ComputeSubLunarPoint(solar.ephemeris, solar.sun);
    const MoonPhase phase = ChooseMoonPhase(solar.sun, moon);
    DrawMarker(working, moon.declination, moon.westLongitude,
               MoonMarkerSize(settings.scale, map.nativeWidth), markers.moonMask,
               markers.MoonImage(phase), kMoonMarkerSize);
  }
  // The sun comes second and covers the moon where they overlap.
  if (settings.showSun) {
    DrawMarker(working, solar.sun.declination, solar.sun.westLongitude,
               SunMarkerSize(settings.scale, map.nativeWidth), markers.sunMask,
               markers.sunImage, kSunMarkerSize);
  }

  if (settings.sunCentered) {
    Image turned(width, height);
    TurnIntoFrame(working, SunCenteredShift(width, solar.sun.westLongitude), turned);
    frameCache_ = std::move(turned);
  } else {
    // The working picture is released right after, so it becomes the cache.
    frameCache_ = std::move(working);
  }
  window.ShowFrame(*frameCache_);
}

}  // namespace lumivane
