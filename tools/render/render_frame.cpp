#include "render_frame.h"

#include <algorithm>
#include <utility>

#include "astro/precise/precise_sky.h"
#include "render/compose_frame.h"
#include "settings/display_size.h"
#include "settings/setting_keys.h"

namespace lumivane {

namespace {

RenderedFrame Failure(std::string error, int exitCode) {
  return RenderedFrame{std::nullopt, std::move(error), exitCode};
}

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
  const double width = std::max(1.0, ScaledSide(base.width, scale));
  const double height = std::max(1.0, ScaledSide(base.height, scale));
  if (width <= kMaxDisplaySide && height <= kMaxDisplaySide &&
      width * height <= static_cast<double>(kMaxDisplayArea)) {
    return std::nullopt;
  }
  return "--base-size " + std::to_string(base.width) + "x" + std::to_string(base.height) +
         " at scale " + std::to_string(scale) + " is larger than " +
         std::to_string(kMaxDisplaySide) + " pixels a side or " +
         std::to_string(kMaxDisplayArea / (1024 * 1024)) + " megapixels";
}

// The map named by the stored settings, as the program chooses it at start-up
// but leaving the setting as it is when the file fails.
void LoadStoredMap(EarthMap& map, ProfileStore* stored, const RenderSources& sources) {
  const std::string path =
      stored ? ReadSetting(*stored, kOptionsImage, kDefaultImageSetting)
             : std::string(kDefaultImageSetting);
  if (path != kDefaultImageSetting) {
    if (LoadMapFile(map, sources.mapLoader, path)) return;
    sources.messages.ShowMessage(UnableToLoadMessage(path));
  }
  map.image = sources.builtins.Load(BuiltinImage::EarthMap);
  map.nativeWidth = kDefaultEarthMapWidth;
  map.nativeHeight = kDefaultEarthMapHeight;
}

}  // namespace

SkyPositions SkyFor(const RenderOptions& options, UnixTime time) {
  if (!options.precise) return SkyAt(time);
  const PreciseSky sky = ComputePreciseSky(time);
  return SkyPositions{sky.sun, sky.moon, sky.phase};
}

RenderedFrame RenderFrame(const RenderOptions& options, RenderSources sources,
                          std::optional<EarthMap> givenMap, UnixTime now) {
  const MarkerImages markers = LoadMarkerImages(sources.builtins);
  if (!MarkersComplete(markers)) return Failure("the built-in marker pictures are missing", 1);

  // The command line over the stored settings, or over the program's defaults.
  ProfileStore* stored = options.storedSettings ? sources.stored : nullptr;
  EarthMap map;
  if (givenMap) {
    map = std::move(*givenMap);
  } else {
    LoadStoredMap(map, stored, sources);
  }
  if (map.image.empty()) return Failure("the built-in Earth map is missing", 1);

  const auto setting = [stored](SettingKey key, std::int32_t defaultValue) {
    return stored ? ReadSetting(*stored, key, defaultValue) : defaultValue;
  };
  FrameOptions frame;
  frame.showSun = !options.noSun && setting(kOptionsSun, 1) != 0;
  frame.sunCentered = options.sunCentered || setting(kOptionsSunCentered, 0) != 0;
  frame.showMoon = !options.noMoon && setting(kOptionsMoon, 1) != 0;
  frame.markerScale = options.scale ? *options.scale
                                    : ClampPercentSetting(setting(kSizeScale, 30));
  frame.nightDarkness = options.nightFilter ? *options.nightFilter
                                            : ClampPercentSetting(setting(kColorsNightFilter, 50));
  frame.markerMapWidth = map.nativeWidth;
  if (options.baseSize) {
    if (auto problem = CheckBaseSize(*options.baseSize, frame.markerScale)) {
      return Failure(*problem, 2);
    }
  }
  // The base size is stored as an unsigned 32-bit number.
  const BaseSize base = options.baseSize.value_or(
      BaseSize{static_cast<std::uint32_t>(setting(kSizeWidth, map.nativeWidth)),
               static_cast<std::uint32_t>(setting(kSizeHeight, map.nativeHeight))});
  const DisplaySize display = ComputeDisplaySize(base.width, base.height, frame.markerScale,
                                                 map.nativeWidth, map.nativeHeight);
  frame.width = display.width;
  frame.height = display.height;
  const EarthMapView view{map.image, map.nativeWidth, map.nativeHeight};
  return RenderedFrame{
      FinishFrame(frame, PlainMap(frame, view), markers, SkyFor(options, now)), {}, 0};
}

}  // namespace lumivane
