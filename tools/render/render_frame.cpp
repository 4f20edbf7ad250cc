#include "render_frame.h"

#include <algorithm>
#include <utility>

#include "astro/truncate.h"
#include "command_line_settings.h"
#include "render/frame_composer.h"
#include "settings/display_size.h"
#include "settings/load_settings.h"
#include "settings/settings_effects.h"

namespace lumivane {

namespace {

// No window: the finished frame is taken from the composer afterwards.
class NoWindow final : public FrameWindow {
 public:
  bool IsMinimised() const override { return false; }
  void ShowFrame(const Image&) override {}
};

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

}  // namespace

RenderedFrame RenderFrame(const RenderOptions& options, RenderSources sources,
                          std::optional<EarthMap> givenMap, UnixTime now) {
  const MarkerImages markers = LoadMarkerImages(sources.builtins);
  if (!MarkersComplete(markers)) return Failure("the built-in marker pictures are missing", 1);

  CommandLineSettings store(options, options.storedSettings ? sources.stored : nullptr);
  EarthMap map;
  if (givenMap) {
    map = std::move(*givenMap);
  } else {
    LoadEarthMap(map, store, sources.mapLoader, sources.messages, sources.builtins);
  }
  if (map.image.empty()) return Failure("the built-in Earth map is missing", 1);

  NoSettingsEffects noWindow;
  const ClockSettings settings = LoadSettings(store, noWindow, map.nativeWidth, map.nativeHeight);
  if (options.baseSize) {
    if (auto problem = CheckBaseSize(*options.baseSize, settings.scale)) {
      return Failure(*problem, 2);
    }
  }

  FrameComposer composer;
  NoWindow window;
  composer.PaintFrame(settings, EarthMapView{map.image, map.nativeWidth, map.nativeHeight},
                      markers, window, now);
  return RenderedFrame{composer.TakeFrameCache(), {}, 0};
}

}  // namespace lumivane
