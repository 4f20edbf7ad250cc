#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "astro/unix_time.h"
#include "places/time_zones.h"

namespace lumivane {

// A POSIX TZ string such as "AEST-10AEDT,M10.1.0,M4.1.0/3", as it ends a
// TZif file (RFC 8536 section 3.3: rule times from -167 to 167 hours). The
// offsets in the text count west of Greenwich; ZoneOffset counts east.
class PosixTzRule {
 public:
  // Absent for anything else, including daylight saving without its rule.
  static std::optional<PosixTzRule> Parse(std::string_view text);

  ZoneOffset OffsetAt(UnixTime t) const;

 private:
  // When a change happens, in the local time then in force.
  struct Change {
    enum class Form { JulianNoLeap, ZeroBasedDay, MonthWeekDay } form = Form::MonthWeekDay;
    int day = 0;                  // Jn: 1..365; n: 0..365; Mm.w.d: weekday 0 (Sunday)..6
    int week = 0;                 // 1..5, 5 the last
    int month = 0;                // 1..12
    std::int32_t seconds = 7200;  // into the day, -167 h to 167 h
  };

  // Seconds from the year's first midnight UTC to the change, with the
  // offset in force before it.
  static std::int64_t ChangeInYear(const Change& change, int year, std::int32_t offsetBefore);

  ZoneOffset standard_;
  std::optional<ZoneOffset> daylight_;
  Change start_;  // to daylight saving
  Change end_;    // back to standard time

  friend class PosixTzRuleReader;
};

}  // namespace lumivane
