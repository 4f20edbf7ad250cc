// The frame composer with the built-in map: a full recomputation at the
// sizes the window shows, and the cached paint that most paints are.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench_support.h"
#include "render/frame_composer.h"
#include "settings/display_size.h"

namespace lumivane::bench {
namespace {

constexpr UnixTime kNoon2000 = 946728000;

FrameOptions SettingsAtScale(std::int32_t scale, bool sunCentered) {
  const DisplaySize size = ComputeDisplaySize(kDefaultEarthMapWidth, kDefaultEarthMapHeight, scale,
                                              kDefaultEarthMapWidth, kDefaultEarthMapHeight);
  return FrameOptions{.width = size.width,
                      .height = size.height,
                      .nightDarkness = 50,
                      .markerScale = scale,
                      .markerMapWidth = kDefaultEarthMapWidth,
                      .showSun = true,
                      .showMoon = true,
                      .sunCentered = sunCentered};
}

// Composes the whole frame from the built-in pictures, over and over.
void ComposeRepeatedly(benchmark::State& state, const FrameOptions& settings) {
  const BuiltinPictures& builtins = Builtins();
  const EarthMapView map{builtins.earthMap, kDefaultEarthMapWidth, kDefaultEarthMapHeight};
  for (auto _ : state) {
    const Image frame = ComposeFrame(settings, map, builtins.markers, kNoon2000);
    benchmark::DoNotOptimize(frame.pixels().data());
  }
  state.SetLabel(std::to_string(settings.width) + "x" + std::to_string(settings.height));
}

void BM_FullRecompute(benchmark::State& state) {
  ComposeRepeatedly(
      state, SettingsAtScale(static_cast<std::int32_t>(state.range(0)), state.range(1) != 0));
}
BENCHMARK(BM_FullRecompute)
    ->ArgNames({"scale", "sunCentered"})
    ->Args({30, 0})
    ->Args({60, 0})
    ->Args({100, 0})
    ->Args({100, 1})
    ->Unit(benchmark::kMillisecond);

// A full recompute at scale 100 with none or five named pins, spread over
// the map so that their rows hold back different bands.
void BM_NamedPins(benchmark::State& state) {
  FrameOptions settings = SettingsAtScale(100, false);
  const std::vector<MapPin> pins = {{51.5, -0.13, "London"},
                                    {-33.87, 151.21, "Sydney"},
                                    {35.68, 139.69, "東京"},
                                    {-23.55, -46.63, "São Paulo"},
                                    {55.75, 37.62, "Москва"}};
  settings.pins.assign(pins.begin(), pins.begin() + state.range(0));
  ComposeRepeatedly(state, settings);
}
BENCHMARK(BM_NamedPins)->ArgName("pins")->Arg(0)->Arg(5)->Unit(benchmark::kMillisecond);

// The window's full recompute, as its paint makes it, with the sky's parts
// as bits: 1 twilight, 2 the precise sun and moon, 4 the built-in city lights.
void BM_WindowRecompute(benchmark::State& state) {
  FrameOptions settings = SettingsAtScale(100, false);
  const auto sky = state.range(0);
  settings.twilight = (sky & 1) != 0;
  settings.precise = (sky & 2) != 0;
  const BuiltinPictures& builtins = Builtins();
  const EarthMapView map{builtins.earthMap, kDefaultEarthMapWidth, kDefaultEarthMapHeight};
  FrameComposer composer;
  CopyingFrameWindow window;
  UnixTime now = kNoon2000;
  for (auto _ : state) {
    now += 300;  // each paint a refresh
    composer.PaintFrame(settings, map, builtins.markers, window, now,
                        (sky & 4) != 0 ? &builtins.nightLights : nullptr);
    benchmark::DoNotOptimize(window.surface.pixels().data());
  }
  state.SetLabel(std::to_string(settings.width) + "x" + std::to_string(settings.height));
}
BENCHMARK(BM_WindowRecompute)->ArgName("sky")->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

void BM_CachedPaint(benchmark::State& state) {
  const FrameOptions settings = SettingsAtScale(static_cast<std::int32_t>(state.range(0)), false);
  const BuiltinPictures& builtins = Builtins();
  const EarthMapView map{builtins.earthMap, kDefaultEarthMapWidth, kDefaultEarthMapHeight};
  FrameComposer composer;
  CopyingFrameWindow window;
  composer.PaintFrame(settings, map, builtins.markers, window, kNoon2000);
  UnixTime now = kNoon2000;
  for (auto _ : state) {
    composer.PaintFrame(settings, map, builtins.markers, window, now);
    now = now == kNoon2000 ? kNoon2000 + 299 : kNoon2000;  // always within the period
    benchmark::DoNotOptimize(window.surface.pixels().data());
  }
  state.SetLabel(std::to_string(settings.width) + "x" + std::to_string(settings.height));
}
BENCHMARK(BM_CachedPaint)->ArgName("scale")->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumivane::bench
