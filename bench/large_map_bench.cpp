// A large map shown small: the area-averaging reduction dominates, and
// shading still works at display size only.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "render/compose_frame.h"
#include "render/image_ops.h"

namespace lumivane::bench {
namespace {

constexpr std::int32_t kMapWidth = 8192;
constexpr std::int32_t kMapHeight = 4096;
constexpr std::int32_t kDisplayWidth = 1333;
constexpr std::int32_t kDisplayHeight = 666;

// The built-in map enlarged, so the reduction sees real picture detail.
const Image& LargeMap() {
  static const Image map = Resample(Builtins().earthMap, kMapWidth, kMapHeight);
  return map;
}

void StretchToDisplay(benchmark::State& state, const Image& map) {
  Image display(kDisplayWidth, kDisplayHeight);
  for (auto _ : state) {
    StretchBlit(display, PixelRect{0, 0, kDisplayWidth, kDisplayHeight}, map, RasterOp::Copy);
    benchmark::DoNotOptimize(display.pixels().data());
  }
}

void BM_ReduceLargeMap(benchmark::State& state) {
  StretchToDisplay(state, LargeMap());
  state.SetItemsProcessed(state.iterations() * kMapWidth * kMapHeight);
}
BENCHMARK(BM_ReduceLargeMap)->Unit(benchmark::kMillisecond);

void BM_EnlargeBuiltinMap(benchmark::State& state) { StretchToDisplay(state, Builtins().earthMap); }
BENCHMARK(BM_EnlargeBuiltinMap)->Unit(benchmark::kMillisecond);

// Full recomputation of the large map at 1333 x 666 (scale 5 of a base size
// of 8192 x 4096 would be 1365 x 682; markers follow the map width: the sun
// is 102 pixels).
void BM_FullRecomputeLargeMap(benchmark::State& state) {
  const Image& map = LargeMap();
  const FrameOptions settings{.width = kDisplayWidth,
                              .height = kDisplayHeight,
                              .nightDarkness = 50,
                              .markerScale = 5,
                              .markerMapWidth = kMapWidth,
                              .showSun = true,
                              .showMoon = true};
  for (auto _ : state) {
    const Image frame = ComposeFrame(settings, EarthMapView{map, kMapWidth, kMapHeight},
                                     Builtins().markers, 946728000);
    benchmark::DoNotOptimize(frame.pixels().data());
  }
}
BENCHMARK(BM_FullRecomputeLargeMap)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumivane::bench
