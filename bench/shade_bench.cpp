// Day and night shading of a whole map at the sizes the window shows.
#include <benchmark/benchmark.h>

#include "astro/solar_position.h"
#include "render/shade_day_night.h"

namespace lumivane {
namespace {

void BM_ShadeDayNight(benchmark::State& state) {
  const auto width = static_cast<std::int32_t>(state.range(0));
  const auto height = static_cast<std::int32_t>(state.range(1));
  const Image map(width, height, MakePixel(20, 92, 188));
  const SubSolarPoint sun = ComputeSubSolarPoint(946728000).sun;
  for (auto _ : state) {
    Image image = map;
    ShadeDayNight(image, sun.declination, sun.westLongitude, 50);
    benchmark::DoNotOptimize(image.pixels().data());
  }
  state.SetItemsProcessed(state.iterations() * width * height);
}
BENCHMARK(BM_ShadeDayNight)
    ->Args({400, 200})
    ->Args({1333, 666})
    ->Args({4320, 2160})  // the map behind a 3840x2160 crop
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumivane
