#pragma once

#include <map>
#include <optional>
#include <string>

#include "places/time_zones.h"

namespace lumivane {

// Zones with one fixed offset each; any other zone is unknown.
class FakeTimeZones : public TimeZones {
 public:
  std::map<std::string, ZoneOffset> zones;

  std::optional<ZoneOffset> OffsetAt(const std::string& zone, UnixTime) const override {
    const auto found = zones.find(zone);
    if (found == zones.end()) return std::nullopt;
    return found->second;
  }
};

}  // namespace lumivane
