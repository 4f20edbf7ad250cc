#pragma once

#include <string>

#include "astro/unix_time.h"
#include "render/compose_frame.h"

namespace lumivane {

// What a frame shows, in words for screen readers: the time in UTC to the
// minute, where the sun and the moon stand overhead (whole degrees of
// latitude and longitude) and the moon's phase, e.g.
// "2000-01-01 12:00 UTC. Sun overhead at 23° south, 0°. Moon overhead at
// 5° south, 77° west, last quarter." The time is left out outside the
// years 0000 to 9999.
std::string DescribeSky(UnixTime time, const SkyPositions& sky);

}  // namespace lumivane
