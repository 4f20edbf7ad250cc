#pragma once

#include <cstdint>
#include <string>

#include "astro/unix_time.h"
#include "places/place_list.h"
#include "places/time_zones.h"
#include "settings/clock_settings.h"

namespace lumivane {

// The tooltip at time t for the pointer at (x, y) in the window's pixels over
// the map the settings drew at frameTime (its markers sized for a map
// mapWidth pixels wide): the pin under the pointer (its name unless names
// are off) or the point the map shows there, turned back first in the
// sun-centred view, with the sun from the model the picture uses. Empty off
// the map.
std::string PointerTooltip(const ClockSettings& settings, std::int32_t mapWidth, UnixTime frameTime,
                           UnixTime t, const PlaceList& places, const TimeZones& zones,
                           std::int32_t x, std::int32_t y);

}  // namespace lumivane
