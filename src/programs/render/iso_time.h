#pragma once

#include <optional>
#include <string_view>

#include "astro/unix_time.h"

namespace lumivane {

struct ParsedIsoTime {
  std::optional<UnixTime> clock;  // absent when the text is refused
  // A real date at 23:59:60 UTC: refused, as the clock counts 86400
  // seconds every day.
  bool leapSecond = false;
};

// An ISO 8601 calendar date, alone (midnight UTC) or with a time of day and
// a zone: "2026-12-21", "2026-12-21T15:03:00Z", "2026-12-21T16:03+01:00"
// (seconds optional, a fraction of a second after them dropped; zone "Z",
// "+HH:MM", "+HHMM" or "+HH"). Years 0000 to 9999 of the proleptic
// Gregorian calendar. A time without a zone is refused: it would mean the
// local time of whoever reads it. The clock is absent when the text is not
// such a date or names a day or time that does not exist.
ParsedIsoTime ParseIsoTime(std::string_view text);

}  // namespace lumivane
