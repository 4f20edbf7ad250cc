#include "places/tzif_time_zones.h"

#include <algorithm>

namespace lumivane {

std::optional<ZoneOffset> TzifTimeZones::OffsetAt(const std::string& zone, UnixTime t) const {
  auto known = read_.find(zone);
  if (known == read_.end()) {
    const auto file = std::lower_bound(
        files_.begin(), files_.end(), zone,
        [](const EmbeddedFile& f, const std::string& name) { return f.name < name; });
    std::optional<TzifZone> parsed;
    if (file != files_.end() && file->name == zone) parsed = TzifZone::Parse(file->bytes);
    known = read_.emplace(zone, std::move(parsed)).first;
  }
  if (!known->second) return std::nullopt;
  return known->second->OffsetAt(t);
}

}  // namespace lumivane
