#include "render/compose_frame.h"

#include <algorithm>
#include <limits>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "astro/map_geometry.h"
#include "astro/truncate.h"
#include "render/image_ops.h"
#include "render/parallel_for.h"
#include "render/pin_names.h"
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

// Where a marker of size x size goes: centred on the body's pixel of the
// map in area (it may reach past the picture's edges).
PixelRect MarkerPlace(const PixelRect& area, double declination, double westLongitude,
                      std::int32_t size) {
  const std::int64_t cx =
      std::int64_t{area.x} + MapGeometry::WestLongitudeToColumn(area.width, westLongitude);
  const std::int64_t cy =
      std::int64_t{area.y} + MapGeometry::LatitudeToRow(area.height, declination);
  return PixelRect{SaturateToInt32(cx - size / 2), SaturateToInt32(cy - size / 2), size, size};
}

// Mask AND, then picture OR, both resampled from the marker's whole square;
// clipped at the picture's edges.
void DrawMarker(Image& working, const PixelRect& to, const Image& mask, const Image& picture,
                std::int32_t squareSize) {
  if (to.width <= 0) return;
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

PixelRect MapArea(const FrameOptions& options) {
  const std::int64_t width = options.width;
  const std::int64_t height = options.height;
  if (options.fit == MapFit::Stretch || width <= 0 || height <= 0) {
    return PixelRect{0, 0, options.width, options.height};
  }
  // The frame is wider than 2:1: the height decides when padding, the width
  // when cropping; the other way round otherwise.
  const bool wide = width >= 2 * height;
  std::int64_t mapWidth = 0;
  std::int64_t mapHeight = 0;
  if (wide == (options.fit == MapFit::Pad)) {
    mapHeight = height;
    mapWidth = 2 * height;
  } else {
    mapWidth = width;
    mapHeight = options.fit == MapFit::Pad ? std::max<std::int64_t>(1, width / 2) : (width + 1) / 2;
  }
  return PixelRect{static_cast<std::int32_t>((width - mapWidth) / 2),
                   static_cast<std::int32_t>((height - mapHeight) / 2),
                   static_cast<std::int32_t>(mapWidth), static_cast<std::int32_t>(mapHeight)};
}

namespace {

bool CoversTheFrame(const FrameOptions& options, const PixelRect& area) {
  return area == PixelRect{0, 0, options.width, options.height};
}

// A map that does not fill the frame exactly is turned at its own size
// before it is placed.
bool TurnsBeforePlacing(const FrameOptions& options, const PixelRect& area) {
  return options.sunCentered && !CoversTheFrame(options, area);
}

// The frame's pixels outside the map area get the background.
void FillOutside(Image& frame, const PixelRect& area, Pixel background, std::int32_t firstRow = 0,
                 std::int32_t endRow = std::numeric_limits<std::int32_t>::max()) {
  const std::int64_t left = std::clamp<std::int64_t>(area.x, 0, frame.width());
  const std::int64_t right =
      std::clamp<std::int64_t>(std::int64_t{area.x} + area.width, left, frame.width());
  for (std::int32_t y = std::max(0, firstRow); y < std::min(frame.height(), endRow); ++y) {
    Pixel* row = frame.row(y);
    if (y < area.y || y >= std::int64_t{area.y} + area.height) {
      std::fill(row, row + frame.width(), background);
      continue;
    }
    std::fill(row, row + left, background);
    std::fill(row + right, row + frame.width(), background);
  }
}

}  // namespace

namespace {

bool HasPixels(const EarthMapView& map) {
  return !map.image.empty() && map.nativeWidth > 0 && map.nativeHeight > 0;
}

// The part of the map's picture a frame shows: all of it, at its own size.
PixelRect WholeMap(const EarthMapView& map) {
  return PixelRect{0, 0, map.nativeWidth, map.nativeHeight};
}

// Rows [firstRow, endRow) of the plain map of a frame the map is not turned
// in before it is placed: those rows of the map, and the background beside
// and around it.
void DrawPlainRows(const FrameOptions& options, const StretchPlan& stretch, Image& plain,
                   std::int32_t firstRow, std::int32_t endRow) {
  stretch.DrawRows(plain, firstRow, endRow, RasterOp::Copy);
  const PixelRect area = MapArea(options);
  if (!CoversTheFrame(options, area)) {
    FillOutside(plain, area, options.background, firstRow, endRow);
  }
}

}  // namespace

Image PlainMap(const FrameOptions& options, const EarthMapView& map) {
  const PixelRect area = MapArea(options);
  if (TurnsBeforePlacing(options, area)) {
    Image plain(area.width, area.height);
    StretchBlit(plain, PixelRect{0, 0, area.width, area.height}, map.image, WholeMap(map),
                RasterOp::Copy, RowFilter::Sse2, options.threads);
    return plain;
  }
  // A map writes every pixel of its area, the background the rest.
  Image plain = HasPixels(map) ? Image(options.width, options.height, Image::Unfilled{})
                               : Image(options.width, options.height);
  StretchBlit(plain, area, map.image, WholeMap(map), RasterOp::Copy, RowFilter::Sse2,
              options.threads);
  if (!CoversTheFrame(options, area)) FillOutside(plain, area, options.background);
  return plain;
}

Image FinishFrame(const FrameOptions& options, Image working, const MarkerImages& markers,
                  const SkyPositions& sky, const Image* nightLights) {
  FinishFrameFromTheTop(options, working, markers, sky, nightLights, {});
  return working;
}

namespace {

// Where the markers and pins go, and the rows [top, end) they touch: they
// are drawn once those rows are shaded.
struct MarkerLayout {
  PixelRect moon;
  PixelRect sun;
  std::int32_t pinSize = 0;
  std::int32_t top = 0;
  std::int32_t end = 0;
};

MarkerLayout LayOutMarkers(const FrameOptions& options, const SkyPositions& sky,
                           const PixelRect& mapArea, std::int32_t height) {
  MarkerLayout layout;
  if (options.showMoon) {
    layout.moon = MarkerPlace(mapArea, sky.moon.declination, sky.moon.westLongitude,
                              MoonMarkerSize(options.markerScale, options.markerMapWidth));
  }
  if (options.showSun) {
    layout.sun = MarkerPlace(mapArea, sky.sun.declination, sky.sun.westLongitude,
                             SunMarkerSize(options.markerScale, options.markerMapWidth));
  }
  std::int64_t top = height;
  std::int64_t end = 0;
  for (const PixelRect& marker : {layout.moon, layout.sun}) {
    if (marker.width <= 0) continue;
    top = std::min<std::int64_t>(top, marker.y);
    end = std::max<std::int64_t>(end, std::int64_t{marker.y} + marker.height);
  }
  layout.pinSize = PinMarkerSize(options.markerScale, options.markerMapWidth);
  for (const MapPin& pin : options.pins) {
    const RowSpan rows = PinRows(mapArea, pin, layout.pinSize);
    top = std::min(top, rows.top);
    end = std::max(end, rows.end);
    if (options.pinNames && !pin.label.empty()) {
      const RowSpan nameRows = PinNameRows(mapArea, pin);
      top = std::min(top, nameRows.top);
      end = std::max(end, nameRows.end);
    }
  }
  layout.top = static_cast<std::int32_t>(std::clamp<std::int64_t>(top, 0, height));
  layout.end = static_cast<std::int32_t>(std::clamp<std::int64_t>(end, layout.top, height));
  return layout;
}

// The moon, then the sun over it, then the pins' names, then the pins' dots:
// a name may run under another pin's dot but never hides it. Markers stay
// on the map: what reached the background around it is painted over.
void DrawMarkers(Image& working, const FrameOptions& options, const MarkerImages& markers,
                 const SkyPositions& sky, const MarkerLayout& layout, const PixelRect& area,
                 const PixelRect& mapArea, bool covers) {
  DrawMarker(working, layout.moon, markers.moonMask, markers.MoonImage(sky.moonPhase),
             kMoonMarkerSize);
  DrawMarker(working, layout.sun, markers.sunMask, markers.sunImage, kSunMarkerSize);
  if (options.pinNames) {
    DrawPinNames(working, mapArea, options.pins, layout.pinSize, markers.pinFont);
  }
  DrawPins(working, mapArea, options.pins, layout.pinSize);
  if (!covers) FillOutside(working, area, options.background, layout.top, layout.end);
}

// Steps of rows taken by the threads in turn, each thread going on to the
// next free step at once: the map drawn into the step (with a plan), the
// step shaded. Rows are final once every step above them is done and, where
// the markers lie, once drawMarkers has run; rowsFinal hears of them.
void ShadeFromTheTop(const FrameOptions& options, Image& working, const DayNightShader& shader,
                     const std::optional<StretchPlan>& stretch, const MarkerLayout& layout,
                     const std::function<void()>& drawMarkers,
                     const std::function<void(std::int32_t)>& rowsFinal) {
  constexpr std::int32_t kRowsPerStep = 64;
  const std::int32_t height = working.height();
  const std::int32_t steps = (height + kRowsPerStep - 1) / kRowsPerStep;
  std::mutex lock;  // guards the fields below, the markers and rowsFinal
  std::vector<bool> stepDone(static_cast<std::size_t>(steps));
  std::int32_t stepsDone = 0;  // steps 0 .. stepsDone - 1 are all done
  bool markersDrawn = layout.top == layout.end;
  ParallelFor(steps, options.threads, [&](std::int64_t piece, std::int32_t) {
    const auto step = static_cast<std::int32_t>(piece);
    const std::int32_t from = step * kRowsPerStep;
    const std::int32_t to = std::min(height, from + kRowsPerStep);
    if (stretch) DrawPlainRows(options, *stretch, working, from, to);
    shader.ShadeRows(working, from, to);
    const std::lock_guard<std::mutex> guard(lock);
    stepDone[static_cast<std::size_t>(step)] = true;
    while (stepsDone < steps && stepDone[static_cast<std::size_t>(stepsDone)]) ++stepsDone;
    const std::int32_t rows = std::min(height, stepsDone * kRowsPerStep);
    if (!markersDrawn && rows >= layout.end) {
      drawMarkers();
      markersDrawn = true;
    }
    rowsFinal(markersDrawn ? rows : std::min(rows, layout.top));
  });
}

// The map made ready in the frame: band by band (with the plan made here)
// where it lies in the frame as it is, else whole at once.
void PrepareMap(const FrameOptions& options, Image& working, const EarthMapView* map,
                const PixelRect& area, std::optional<StretchPlan>& stretch) {
  if (map && HasPixels(*map) && !options.sunCentered) {
    if (working.width() != options.width || working.height() != options.height) {
      working = Image(options.width, options.height, Image::Unfilled{});
    }
    stretch.emplace(working, area, map->image, WholeMap(*map));
  } else if (map) {
    working = PlainMap(options, *map);
  }
}

}  // namespace

void FinishFrameFromTheTop(const FrameOptions& options, Image& working, const MarkerImages& markers,
                           const SkyPositions& sky, const Image* nightLights,
                           const std::function<void(std::int32_t)>& rowsReady,
                           const EarthMapView* map) {
  const auto ready = [&rowsReady](std::int32_t rows) {
    if (rowsReady) rowsReady(rows);
  };
  const PixelRect area = MapArea(options);
  std::optional<StretchPlan> stretch;
  PrepareMap(options, working, map, area, stretch);
  if (TurnsBeforePlacing(options, area)) {
    // Finished as a frame of the map's own size, then placed.
    FrameOptions mapSized = options;
    mapSized.width = area.width;
    mapSized.height = area.height;
    mapSized.fit = MapFit::Stretch;
    const Image turned = FinishFrame(mapSized, std::move(working), markers, sky, nightLights);
    working = Image(options.width, options.height, options.background);
    CopyBlit(working, area.x, area.y, turned, PixelRect{0, 0, area.width, area.height});
    ready(working.height());
    return;
  }

  const bool covers = CoversTheFrame(options, area);
  const PixelRect mapArea = covers ? PixelRect{0, 0, working.width(), working.height()} : area;
  const MarkerLayout layout = LayOutMarkers(options, sky, mapArea, working.height());
  const DayNightShader shader(working.width(), sky.sun.declination, sky.sun.westLongitude,
                              options.nightDarkness,
                              ShadeExtras{mapArea, options.twilight, nightLights});
  ShadeFromTheTop(
      options, working, shader, stretch, layout,
      [&] { DrawMarkers(working, options, markers, sky, layout, area, mapArea, covers); },
      [&](std::int32_t rows) {
        // The sun-centred turn moves every row: none is final before it.
        if (!options.sunCentered) ready(rows);
      });
  if (!options.sunCentered) return;
  Image turned(working.width(), working.height());
  TurnIntoFrame(working, SunCenteredShift(working.width(), sky.sun.westLongitude), turned);
  working = std::move(turned);
  ready(working.height());
}

Image ComposeFrame(const FrameOptions& options, const EarthMapView& map,
                   const MarkerImages& markers, UnixTime time) {
  return FinishFrame(options, PlainMap(options, map), markers, SkyAt(time));
}

}  // namespace lumivane
