#include "platform/qt/qt_time_zones.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "places/embedded_files.h"
#include "places/place_list.h"
#include "places/tzif_time_zones.h"

namespace lumivane {
namespace {

// The Linux programs read the system's zones through Qt, the Windows program
// its own copy of the same files: both must give every built-in place the
// same local time (Qt reads a few old changes of name alone, where the offset
// stays, as daylight saving: the offsets are what must agree). Moments every
// 23 days and 97 minutes from 1970 to 2060, so the time of day drifts
// through every hour.
TEST(QtTimeZones, AgreeWithTheZonesTheWindowsProgramCarries) {
  const QtTimeZones system;
  const TzifTimeZones carried(BuiltinZoneFiles());
  std::set<std::string_view> zones;
  const PlaceList& places = BuiltinPlaces();
  for (std::size_t i = 0; i < places.size(); ++i) zones.insert(places[i].zone);
  ASSERT_GT(zones.size(), 300u);
  for (const std::string_view zone : zones) {
    const std::string name(zone);
    int differences = 0;
    for (UnixTime t = 0; t < 2840140800 && differences < 3; t += 23 * 86400 + 97 * 60) {
      const auto want = system.OffsetAt(name, t);
      const auto got = carried.OffsetAt(name, t);
      ASSERT_TRUE(want && got) << name;
      if (got->utcOffsetSeconds != want->utcOffsetSeconds) {
        ++differences;
        ADD_FAILURE() << name << " at " << t << ": " << got->utcOffsetSeconds << " "
                      << want->utcOffsetSeconds;
      }
    }
  }
}

TEST(QtTimeZones, UnknownZonesGiveNothing) {
  const QtTimeZones system;
  EXPECT_FALSE(system.OffsetAt("Mars/Olympus_Mons", 0));
  const auto sydney = system.OffsetAt("Australia/Sydney", 1775318400);  // 2026-04-04T16:00Z
  ASSERT_TRUE(sydney);
  EXPECT_EQ(sydney->utcOffsetSeconds, 36000);
  EXPECT_EQ(sydney->abbreviation, "AEST");
}

}  // namespace
}  // namespace lumivane
