#include "render_frame.h"

#include <algorithm>
#include <limits>
#include <new>
#include <thread>
#include <utility>

#include "picture_writer.h"
#include "render/compose_frame.h"
#include "render/parallel_for.h"
#include "render/sky_for.h"
#include "settings/clock_settings.h"
#include "settings/overlay_store.h"
#include "settings/pin_text.h"
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

// The window's message boxes, kept for one line on the terminal.
class NoticeSink final : public MessageSink {
 public:
  void ShowMessage(const std::string& text) override {
    if (notice.empty()) notice = text;
  }
  std::string notice;
};

// The command line as settings over the stored ones (or the defaults), so
// that everything after goes the window's own way.
void PutCommandLine(const RenderOptions& options, OverlayStore& settings) {
  if (options.noSun) settings.Set(kShowSun.section, kShowSun.key, 0);
  if (options.sunCentered) settings.Set(kSunCentered.section, kSunCentered.key, 1);
  if (options.noMoon) settings.Set(kShowMoon.section, kShowMoon.key, 0);
  if (options.scale) settings.Set(kScale.section, kScale.key, *options.scale);
  if (options.nightDarkness) {
    settings.Set(kNightDarkness.section, kNightDarkness.key, *options.nightDarkness);
  }
  if (options.baseSize) {
    // Stored as unsigned 32-bit numbers.
    settings.Set(kBaseWidth.section, kBaseWidth.key,
                 static_cast<std::int32_t>(options.baseSize->width));
    settings.Set(kBaseHeight.section, kBaseHeight.key,
                 static_cast<std::int32_t>(options.baseSize->height));
  }
  if (options.twilight) settings.Set(kTwilight.section, kTwilight.key, 1);
  if (options.precise) settings.Set(kPreciseSky.section, kPreciseSky.key, 1);
  if (!options.pins.empty()) {
    std::vector<std::string> entries{ReadSetting(settings, kPins)};
    if (entries.front().empty()) entries.clear();
    entries.insert(entries.end(), options.pins.begin(), options.pins.end());
    settings.Set(kPins.section, kPins.key, JoinPinEntries(entries));
  }
  if (options.noPinNames) settings.Set(kPinNames.section, kPinNames.key, 0);
  if (options.nightMapPath == kBuiltinNightLightsArgument) {
    settings.Set(kNightLightsFile.section, kNightLightsFile.key, kBuiltinNightLights);
  }
}

}  // namespace

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
  OverlayStore settings(options.storedSettings ? sources.stored : nullptr);
  PutCommandLine(options, settings);
  NoticeSink notices;
  EarthMap map;
  if (givenMap) {
    map = std::move(*givenMap);
  } else {
    LoadEarthMap(map, settings, sources.mapLoader, notices, sources.builtins);
  }
  if (map.image.empty()) return failure("the built-in Earth map is missing", 1);
  if (!nightMap) {
    nightMap = LoadNightLights(settings, sources.mapLoader, notices, sources.builtins);
  }
  notice = notices.notice;

  if (options.baseSize && !options.size) {
    if (auto problem = CheckBaseSize(*options.baseSize, ReadSetting(settings, kScale))) {
      return failure(*problem, 2);
    }
  }
  FrameOptions& frame = plan.frame;
  frame = FrameOptionsFor(ReadPictureSettings(settings, map.nativeWidth, map.nativeHeight),
                          map.nativeWidth);
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
  }
  plan.map = std::move(map);
  if (nightMap && !nightMap->empty()) {
    plan.nightLights =
        PlainMap(frame, EarthMapView{*nightMap, nightMap->width(), nightMap->height()});
  }
  return PlannedFrames{std::move(plan), {}, 0, notice};
}

std::optional<std::string> WritePlannedFrame(const FramePlan& plan, UnixTime time,
                                             const std::string& output, PictureFormat format,
                                             int quality) {
  FrameOptions options = plan.frame;
  options.threads = static_cast<std::int32_t>(std::max(1u, std::thread::hardware_concurrency()));
  const SkyPositions sky = SkyFor(options.precise, time);
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
      FinishFrameFromTheTop(
          options, frame, plan.markers, sky, lights,
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
