#include "render/compose_frame.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "astro/map_geometry.h"
#include "astro/truncate.h"
#include "render/image_ops.h"
#include "render/shade_day_night.h"

namespace lumivane {

namespace {

constexpr std::int32_t kMoonSizeFactor = 20;
constexpr std::int32_t kSunSizeFactor = 40;
constexpr double kMarkerSizePerUnit = 0.0000625;  // 1/16000

std::int32_t MarkerSize(std::int32_t scale, std::int32_t mapWidth, std::int32_t factor) {
  // The whole-number product in 64 bits: a wide map must not wrap it.
  const std::int64_t product = std::int64_t{scale} * mapWidth * factor;
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

SkyPositions SkyAt(UnixTime t) {
  const SolarPosition solar = ComputeSubSolarPoint(t);
  const SubLunarPoint moon = ComputeSubLunarPoint(solar.ephemeris, solar.sun);
  return SkyPositions{solar.sun, moon, ChooseMoonPhase(solar.sun, moon)};
}

std::int32_t MoonMarkerSize(std::int32_t scale, std::int32_t mapWidth) {
  return MarkerSize(scale, mapWidth, kMoonSizeFactor);
}

std::int32_t SunMarkerSize(std::int32_t scale, std::int32_t mapWidth) {
  return MarkerSize(scale, mapWidth, kSunSizeFactor);
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

Image PlainMap(const FrameOptions& options, const EarthMapView& map) {
  Image plain(options.width, options.height);
  StretchBlit(plain, PixelRect{0, 0, options.width, options.height}, map.image,
              PixelRect{0, 0, map.nativeWidth, map.nativeHeight}, RasterOp::Copy);
  return plain;
}

Image FinishFrame(const FrameOptions& options, Image working, const MarkerImages& markers,
                  const SkyPositions& sky) {
  ShadeDayNight(working, sky.sun.declination, sky.sun.westLongitude, options.nightDarkness);
  if (options.showMoon) {
    DrawMarker(working, sky.moon.declination, sky.moon.westLongitude,
               MoonMarkerSize(options.markerScale, options.markerMapWidth), markers.moonMask,
               markers.MoonImage(sky.moonPhase), kMoonMarkerSize);
  }
  // The sun comes second and covers the moon where they overlap.
  if (options.showSun) {
    DrawMarker(working, sky.sun.declination, sky.sun.westLongitude,
               SunMarkerSize(options.markerScale, options.markerMapWidth), markers.sunMask,
               markers.sunImage, kSunMarkerSize);
  }
  if (!options.sunCentered) return working;
  Image turned(working.width(), working.height());
  TurnIntoFrame(working, SunCenteredShift(working.width(), sky.sun.westLongitude), turned);
  return turned;
}

Image ComposeFrame(const FrameOptions& options, const EarthMapView& map,
                   const MarkerImages& markers, UnixTime time) {
  return FinishFrame(options, PlainMap(options, map), markers, SkyAt(time));
}

}  // namespace lumivane
