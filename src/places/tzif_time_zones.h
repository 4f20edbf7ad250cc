#pragma once

#include <map>
#include <span>
#include <string>

#include "places/embedded_files.h"
#include "places/time_zones.h"
#include "places/tzif_zone.h"

namespace lumivane {

// The time zone database from TZif files held in memory (the zones built
// into the program). Each zone is read on first use and kept; not for use
// from several threads at once.
class TzifTimeZones : public TimeZones {
 public:
  // The files sorted by name.
  explicit TzifTimeZones(std::span<const EmbeddedFile> files) : files_(files) {}

  std::optional<ZoneOffset> OffsetAt(const std::string& zone, UnixTime t) const override;

 private:
  std::span<const EmbeddedFile> files_;
  mutable std::map<std::string, std::optional<TzifZone>, std::less<>> read_;
};

}  // namespace lumivane
