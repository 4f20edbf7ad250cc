#include "render_frame.h"

#include <algorithm>
#include <limits>
#include <new>
#include <thread>
#include <utility>

#include "astro/precise/precise_sky.h"
#include "picture_writer.h"
#include "render/compose_frame.h"
#include "render/parallel_for.h"
#include "settings/display_size.h"
#include "settings/setting_table.h"

namespace lumivane {

namespace {

bool MarkersComplete(const MarkerImages& m) {
  const auto square = [](const Image& image, std::int32_t size) {
    return image.width() >= size && image.height() >= size;
  };
  return square(m.sunImage, kSunMarkerSize) && square(m.sunMask, kSunMarkerSize) &&
         square(m.moonMask, kMoonMarkerSize) && square(m.moonNew, kMoonMarkerSize) &&
         square(m.moonFirstQuarter, kMoonMarkerSize) && square(m.moonFull, kMoonMarkerSize) &&
         square(m.moonLastQuarter, kMoonMarkerSize);
}

// The program quietly falls back to the map's own size when a base size
// would give a display too large to build; a size asked for on the command
// line is refused instead.
std::optional<std::string> CheckBaseSize(const BaseSize& base, std::int32_t scale) {
  if (FitsDisplay(ScaledSide(base.width, scale), ScaledSide(base.height, scale))) {
    return std::nullopt;
  }
  return "--base-size " + std::to_string(base.width) + "x" + std::to_string(base.height) +
         " at scale " + std::to_string(scale) + " is larger than " +
         std::to_string(kMaxDisplaySide) + " pixels a side or " +
         std::to_string(kMaxDisplayArea / (1024 * 1024)) + " megapixels";
}

// The map named by the settings, as the program chooses it at start-up but
// leaving the setting as it is when the file fails.
// Returns the message the window would show when the file fails.
std::string LoadStoredMap(EarthMap& map, const std::string& path, const RenderSources& sources) {
  const bool named = path != kEarthMapFile.defaultValue;
  if (named && LoadMapFile(map, sources.mapLoader, path)) return {};
  map = EarthMap{sources.builtins.Load(BuiltinImage::EarthMap)};
  return named ? UnableToLoadMessage(path) : std::string();
}

}  // namespace

SkyPositions SkyFor(bool precise, UnixTime time) {
  if (!precise) return SkyAt(time);
  const PreciseSky sky = ComputePreciseSky(time);
  return SkyPositions{sky.sun, sky.moon, sky.phase};
}

PlannedFrames PlanFrames(const RenderOptions& options, RenderSources sources,
                         std::optional<EarthMap> givenMap, std::optional<Image> nightMap) {
  std::string notice;
  const auto failure = [&notice](std::string error, int exitCode) {
    return PlannedFrames{std::nullopt, std::move(error), exitCode, notice};
  };
  FramePlan plan;
  plan.markers = LoadMarkerImages(sources.builtins);
  if (!MarkersComplete(plan.markers)) return failure("the built-in marker pictures are missing", 1);

  // The command line over the stored settings, or over the program's defaults.
  ProfileStore* stored = options.storedSettings ? sources.stored : nullptr;
  const auto setting = [stored](const auto& entry) {
    using Value = decltype(ReadSetting(*stored, entry));
    return stored ? ReadSetting(*stored, entry) : Value(entry.defaultValue);
  };
  EarthMap map;
  if (givenMap) {
    map = std::move(*givenMap);
  } else {
    notice = LoadStoredMap(map, setting(kEarthMapFile), sources);
  }
  if (map.image.empty()) return failure("the built-in Earth map is missing", 1);

  FrameOptions& frame = plan.frame;
  frame.showSun = !options.noSun && setting(kShowSun);
  frame.sunCentered = options.sunCentered || setting(kSunCentered);
  frame.showMoon = !options.noMoon && setting(kShowMoon);
  frame.markerScale = options.scale.value_or(setting(kScale));
  frame.nightDarkness = options.nightDarkness.value_or(setting(kNightDarkness));
  frame.markerMapWidth = map.nativeWidth;
  frame.twilight = options.twilight;
  if (options.size) {
    frame.width = options.size->width;
    frame.height = options.size->height;
    frame.fit = options.fit;
    frame.background = options.background;
    // Markers as the window draws them when it shows the map this high: at
    // scale 30 over the map's own width, scaled from its own height.
    frame.markerScale = 30;
    frame.markerMapWidth = static_cast<std::int32_t>(std::min<std::int64_t>(
        std::numeric_limits<std::int32_t>::max(),
        std::int64_t{MapArea(frame).height} * map.nativeWidth / map.nativeHeight));
  } else {
    if (options.baseSize) {
      if (auto problem = CheckBaseSize(*options.baseSize, frame.markerScale)) {
        return failure(*problem, 2);
      }
    }
    // The base size is stored as an unsigned 32-bit number.
    const BaseSize base = options.baseSize.value_or(
        BaseSize{static_cast<std::uint32_t>(setting(WithDefault(kBaseWidth, map.nativeWidth))),
                 static_cast<std::uint32_t>(setting(WithDefault(kBaseHeight, map.nativeHeight)))});
    const DisplaySize display = ComputeDisplaySize(base.width, base.height, frame.markerScale,
                                                   map.nativeWidth, map.nativeHeight);
    frame.width = display.width;
    frame.height = display.height;
  }
  plan.map = std::move(map);
  if (nightMap) {
    plan.nightLights = PlainMap(frame, EarthMapView{*nightMap, nightMap->width(),
                                                    nightMap->height()});
  }
  plan.precise = options.precise;
  return PlannedFrames{std::move(plan), {}, 0, notice};
}

std::optional<std::string> WritePlannedFrame(const FramePlan& plan, UnixTime time,
                                             const std::string& output, PictureFormat format,
                                             int quality) {
  FrameOptions options = plan.frame;
  options.threads = static_cast<std::int32_t>(std::max(1u, std::thread::hardware_concurrency()));
  const SkyPositions sky = SkyFor(plan.precise, time);
  const Image* lights = plan.nightLights ? &*plan.nightLights : nullptr;
  const EarthMapView map = plan.MapView();
  Image frame;
  std::optional<std::string> problem;
  if (options.sunCentered) {
    // The turn moves every row: nothing can be encoded early.
    FinishFrameFromTheTop(options, frame, plan.markers, sky, lights, {}, &map);
    problem = WritePicture(frame, output, format, quality);
    if (problem) return "cannot write '" + output + "': " + *problem;
    return std::nullopt;
  }
  // The frame is made here, before the encoder starts reading its rows.
  frame = Image(options.width, options.height, Image::Unfilled{});
  RowGate rows;
  // The frame is finished on one thread while the encoder writes the rows
  // already final on another; with a single thread, one after the other.
  ParallelFor(2, 2, [&](std::int64_t piece, std::int32_t) {
    if (piece == 1) {
      problem = WritePicture(frame, output, format, quality, &rows);
      return;
    }
    try {
      FinishFrameFromTheTop(options, frame, plan.markers, sky, lights,
                            [&rows](std::int32_t ready) { rows.Publish(ready); }, &map);
    } catch (...) {
      rows.Abandon();  // the encoder gives up instead of waiting
      throw;           // out of memory, said by the caller
    }
  });
  if (problem) return "cannot write '" + output + "': " + *problem;
  return std::nullopt;
}

}  // namespace lumivane
