// The renderer's own work at wallpaper sizes: the frame (resampling,
// shading, markers), each picture encoder, and one frame of a time series.
// Whole-process comparisons with xplanet: compare_with_xplanet.py.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "picture_encoders.h"
#include "render/compose_frame.h"

namespace lumivane::bench {
namespace {

constexpr UnixTime kDecember2026 = 1798020180;  // 2026-12-21 15:03 UTC

// Counts the bytes and drops them: only the encoder is measured.
class CountingSink final : public ByteSink {
 public:
  bool Write(const void*, std::size_t size) override {
    bytes += size;
    return true;
  }
  std::size_t bytes = 0;
};

FrameOptions Wallpaper(std::int32_t width, std::int32_t height, MapFit fit) {
  FrameOptions options{.width = width,
                       .height = height,
                       .nightDarkness = 50,
                       .markerScale = 30,
                       .showSun = true,
                       .showMoon = true,
                       .fit = fit};
  options.markerMapWidth = 2 * MapArea(options).height;
  return options;
}

EarthMapView BuiltinMap() {
  return EarthMapView{Builtins().earthMap, kDefaultEarthMapWidth, kDefaultEarthMapHeight};
}

void BM_ComposeWallpaper(benchmark::State& state) {
  const FrameOptions options = Wallpaper(static_cast<std::int32_t>(state.range(0)),
                                         static_cast<std::int32_t>(state.range(1)), MapFit::Crop);
  for (auto _ : state) {
    const Image frame = ComposeFrame(options, BuiltinMap(), Builtins().markers, kDecember2026);
    benchmark::DoNotOptimize(frame.pixels().data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}
BENCHMARK(BM_ComposeWallpaper)
    ->Args({3840, 2160})
    ->Args({1333, 666})
    ->Unit(benchmark::kMillisecond);

// One series frame: the plain map is made once; each frame copies and
// finishes it.
void BM_SeriesFrame(benchmark::State& state) {
  const FrameOptions options = Wallpaper(1333, 666, MapFit::Pad);
  const Image plain = PlainMap(options, BuiltinMap());
  UnixTime time = kDecember2026;
  for (auto _ : state) {
    const Image frame = FinishFrame(options, plain, Builtins().markers, SkyAt(time));
    CountingSink sink;
    benchmark::DoNotOptimize(EncodePng(frame, sink));
    time += 300;
  }
}
BENCHMARK(BM_SeriesFrame)->Unit(benchmark::kMillisecond);

enum Format { kPng, kJpeg, kBmp };

void BM_Encode(benchmark::State& state) {
  const Image frame = ComposeFrame(Wallpaper(3840, 2160, MapFit::Crop), BuiltinMap(),
                                   Builtins().markers, kDecember2026);
  std::size_t bytes = 0;
  for (auto _ : state) {
    CountingSink sink;
    switch (state.range(0)) {
      case kPng: benchmark::DoNotOptimize(EncodePng(frame, sink)); break;
      case kJpeg: benchmark::DoNotOptimize(EncodeJpeg(frame, 90, sink)); break;
      case kBmp: benchmark::DoNotOptimize(EncodeBmp(frame, sink)); break;
    }
    bytes = sink.bytes;
  }
  state.SetLabel(std::to_string(bytes / 1024) + " KiB");
}
BENCHMARK(BM_Encode)
    ->ArgNames({"png0_jpeg1_bmp2"})
    ->Arg(kPng)
    ->Arg(kJpeg)
    ->Arg(kBmp)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumivane::bench
