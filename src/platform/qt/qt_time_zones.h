#pragma once

#include <map>
#include <string>

#include <QTimeZone>

#include "places/time_zones.h"

namespace lumivane {

// The system's time zone database (tzdata under /usr/share/zoneinfo on
// Linux), through QTimeZone. Zones are kept once asked for; not for use from
// several threads at once.
class QtTimeZones : public TimeZones {
 public:
  std::optional<ZoneOffset> OffsetAt(const std::string& zone, UnixTime t) const override;

 private:
  mutable std::map<std::string, QTimeZone, std::less<>> zones_;
};

}  // namespace lumivane
