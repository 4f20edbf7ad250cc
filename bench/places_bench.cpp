// The places: reading the built-in list, finding by name, the nearest place,
// a day's sun events and a zone's offset.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "astro/precise/precise_sky.h"
#include "places/embedded_files.h"
#include "places/place_list.h"
#include "places/sun_events.h"
#include "places/tzif_time_zones.h"

namespace lumivane {
namespace {

void BM_ReadBuiltinPlaces(benchmark::State& state) {
  const std::string_view bytes = BuiltinPlaceFiles().front().bytes;
  for (auto _ : state) {
    auto list = PlaceList::Read(bytes);
    benchmark::DoNotOptimize(list->size());
  }
}
BENCHMARK(BM_ReadBuiltinPlaces)->Unit(benchmark::kMillisecond);

// What a user types, letter by letter: one letter matches thousands.
void BM_FindByName(benchmark::State& state) {
  const PlaceList& places = BuiltinPlaces();
  const char* queries[] = {"s", "san", "san f", "zürich", "new york"};
  const char* query = queries[state.range(0)];
  for (auto _ : state) {
    auto found = places.Find(query, 10);
    benchmark::DoNotOptimize(found.data());
  }
  state.SetLabel(query);
}
BENCHMARK(BM_FindByName)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

void BM_NearestPlace(benchmark::State& state) {
  const PlaceList& places = BuiltinPlaces();
  std::mt19937 random(7);
  std::uniform_real_distribution<double> latitude(-90, 90), longitude(-180, 180);
  std::vector<GeoPoint> points(1024);
  for (GeoPoint& p : points) p = {latitude(random), longitude(random)};
  const double maxKm = static_cast<double>(state.range(0));
  std::size_t i = 0;
  for (auto _ : state) {
    auto nearest = places.Nearest(points[i++ % points.size()], maxKm);
    benchmark::DoNotOptimize(nearest);
  }
}
BENCHMARK(BM_NearestPlace)->Arg(100)->Arg(20000)->Unit(benchmark::kMicrosecond);

SubSolarPoint PreciseSunAt(UnixTime t) { return ComputePreciseSky(t).sun; }

void BM_SunEventsOnDay(benchmark::State& state) {
  const SunAt sunAt = state.range(0) ? PreciseSunAt : MeanSunAt;
  UnixTime day = 1796688000;  // 2026-12-08
  for (auto _ : state) {
    auto events = SunEventsOnDay({-33.87, 151.21}, day, sunAt);
    benchmark::DoNotOptimize(events);
    day += 86400;
  }
}
BENCHMARK(BM_SunEventsOnDay)->ArgName("precise")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ZoneOffset(benchmark::State& state) {
  const TzifTimeZones zones(BuiltinZoneFiles());
  const std::string zone = "Australia/Sydney";
  UnixTime t = 0;
  for (auto _ : state) {
    auto offset = zones.OffsetAt(zone, t);
    benchmark::DoNotOptimize(offset);
    t += 86400 * 7 + 3600;
  }
}
BENCHMARK(BM_ZoneOffset)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumivane
