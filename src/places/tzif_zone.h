#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "astro/unix_time.h"
#include "places/posix_tz_rule.h"
#include "places/time_zones.h"

namespace lumivane {

// One zone of the IANA database as compiled by zic into a TZif file
// (RFC 8536, versions 1 to 4): the transitions it lists, and the TZ string
// of its footer for every time after the last of them.
class TzifZone {
 public:
  // Absent when the bytes are not such a file, or one this reader cannot
  // use: leap-second records (the "right/" zones) or a footer it cannot read.
  static std::optional<TzifZone> Parse(std::string_view bytes);

  ZoneOffset OffsetAt(UnixTime t) const;

 private:
  std::vector<std::int64_t> transitions_;  // ascending
  std::vector<std::uint8_t> typeAfter_;    // the local time type from each
  std::vector<ZoneOffset> types_;          // never empty
  std::optional<PosixTzRule> footer_;

  friend class TzifReader;
};

}  // namespace lumivane
