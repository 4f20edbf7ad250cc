#include "places/map_tooltip.h"

#include <gtest/gtest.h>

#include "astro/precise/precise_sky.h"
#include "places/embedded_files.h"
#include "places/tzif_time_zones.h"

namespace lumivane {
namespace {

constexpr UnixTime kEquinoxNoon2026 = 1790164800;   // 2026-09-23 12:00 UTC
constexpr UnixTime kSolsticeNoon2026 = 1797854400;  // 2026-12-21 12:00 UTC

SubSolarPoint PreciseSunAt(UnixTime t) { return ComputePreciseSky(t).sun; }

// London's events that day (PyEphem, see sun_references.h): sunrise 05:48:06
// and sunset 17:56:40 UTC, 06:48 and 18:57 in summer time; the sun at noon
// UTC about 90 - 51.51 - 0.2 (declination) = 38.3 degrees high. At 80 S,
// 150 W at 02:00 local solar time on the December solstice:
// sin(alt) = sin(-80) sin(-23.44) + cos(80) cos(23.44) cos(-150), 14.7
// degrees, and the sun never sets.
TEST(MapTooltipText, ThePlaceItsTimeAndItsSun) {
  const TzifTimeZones zones(BuiltinZoneFiles());
  const PlaceList& places = BuiltinPlaces();
  const struct {
    GeoPoint point;
    std::optional<std::string_view> pin;
    UnixTime t;
    std::string_view text;
  } cases[] = {
      {{51.5072, -0.1276},
       std::nullopt,
       kEquinoxNoon2026,
       "London, GB\n2026-09-23 13:00 BST\nDay, sun 38.3\u00b0 high\nSunrise 06:48, sunset 18:57"},
      {{51.5072, -0.1276},
       "Home",
       kEquinoxNoon2026,
       "Home\n2026-09-23 13:00 BST\nDay, sun 38.3\u00b0 high\nSunrise 06:48, sunset 18:57"},
      // No place within 100 km: coordinates and UTC; a pin without a label
      // is named by its coordinates too.
      {{-80, -150},
       std::nullopt,
       kSolsticeNoon2026,
       "80.00\u00b0 S, 150.00\u00b0 W\n2026-12-21 12:00 UTC\nDay, sun 14.7\u00b0 high\n"
       "Sun up all day"},
      {{-80, -150},
       "",
       kSolsticeNoon2026,
       "80.00\u00b0 S, 150.00\u00b0 W\n2026-12-21 12:00 UTC\nDay, sun 14.7\u00b0 high\n"
       "Sun up all day"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MapTooltipText(c.point, c.pin, c.t, PreciseSunAt, places, zones), c.text);
  }
}

}  // namespace
}  // namespace lumivane
