#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "astro/unix_time.h"

namespace lumivane {

// The local time rules in force at one moment in one zone.
struct ZoneOffset {
  std::int32_t utcOffsetSeconds = 0;  // local time minus UTC
  bool daylightSaving = false;
  std::string abbreviation;  // "AEDT", "+0545"; may be empty
};

// The IANA time zone database, by zone name ("Australia/Sydney"). Linux
// asks the system's copy through Qt; the Windows program carries the zones
// of the built-in places (TzifTimeZones).
class TimeZones {
 public:
  virtual ~TimeZones() = default;
  // Absent when the database does not know the zone.
  virtual std::optional<ZoneOffset> OffsetAt(const std::string& zone, UnixTime t) const = 0;
};

}  // namespace lumivane
