#pragma once

#include <cstdint>
#include <string>

#include "astro/unix_time.h"

namespace lumivane {

// "2026-12-08T02:04:05Z": t in UTC, ISO 8601, proleptic Gregorian calendar.
// For the years 0000 to 9999.
std::string IsoUtcText(UnixTime t);

// "2026-12-08T13:04:05+11:00": the local time offset seconds east of UTC,
// with its offset (and its seconds, "+00:19:32", in the rare zone that has
// them).
std::string IsoLocalText(UnixTime t, std::int32_t offsetSeconds);

}  // namespace lumivane
