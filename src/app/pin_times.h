#pragma once

#include <string>
#include <vector>

#include "astro/unix_time.h"
#include "places/place_list.h"
#include "places/time_zones.h"
#include "render/map_pins.h"

namespace lumivane {

// The pinned places' local times for the frame's description, each named by
// its label (its coordinates when it has none): " Pinned places: Home,
// 2026-09-23 13:00 BST; 10.00° N, 20.00° E, 2026-09-23 12:00 UTC." Empty
// without pins.
std::string PinTimesText(const std::vector<MapPin>& pins, UnixTime t, const PlaceList& places,
                         const TimeZones& zones);

}  // namespace lumivane
