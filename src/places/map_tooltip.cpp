#include "places/map_tooltip.h"

#include <cmath>
#include <cstdio>

#include "places/iso_clock_text.h"
#include "places/sun_events.h"

namespace lumivane {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

}  // namespace

std::string CoordinatesText(GeoPoint point) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f\u00b0 %c, %.2f\u00b0 %c", std::fabs(point.latitude),
                point.latitude < 0 ? 'S' : 'N', std::fabs(point.longitude),
                point.longitude < 0 ? 'W' : 'E');
  return text;
}

namespace {

const char* StateName(Daylight daylight) {
  switch (daylight) {
    case Daylight::Day: return "Day";
    case Daylight::CivilTwilight: return "Civil twilight";
    case Daylight::NauticalTwilight: return "Nautical twilight";
    case Daylight::AstronomicalTwilight: return "Astronomical twilight";
    case Daylight::Night: return "Night";
  }
  return "Night";
}

// Local clock readings in one zone, UTC when it is unknown.
class LocalClock {
 public:
  LocalClock(const TimeZones& zones, std::string zone) : zones_(zones), zone_(std::move(zone)) {}

  std::int32_t Offset(UnixTime t) const {
    if (zone_.empty()) return 0;
    const auto offset = zones_.OffsetAt(zone_, t);
    return offset ? offset->utcOffsetSeconds : 0;
  }
  // "2026-09-23 13:00 BST"
  std::string DateAndTime(UnixTime t) const {
    const std::string iso = IsoLocalText(t, Offset(t));
    const auto offset = zone_.empty() ? std::nullopt : zones_.OffsetAt(zone_, t);
    const std::string zoneName = offset && !offset->abbreviation.empty()
                                     ? offset->abbreviation
                                     : "UTC" + (Offset(t) == 0 ? "" : iso.substr(19));
    return iso.substr(0, 10) + " " + iso.substr(11, 5) + " " + zoneName;
  }
  // "06:48", to the nearest minute.
  std::string Minute(UnixTime t) const { return IsoLocalText(t + 30, Offset(t)).substr(11, 5); }
  // The local midnight that starts the day holding t.
  UnixTime DayStart(UnixTime t) const {
    const std::int64_t local = t + Offset(t);
    const std::int64_t midnight =
        local - (((local % kSecondsPerDay) + kSecondsPerDay) % kSecondsPerDay);
    return midnight - Offset(t);
  }

 private:
  const TimeZones& zones_;
  std::string zone_;
};

std::string Events(const SunEvents& events, const LocalClock& clock) {
  if (events.polar == PolarDay::Day) return "Sun up all day";
  if (events.polar == PolarDay::Night) return "Sun down all day";
  const auto moment = [&clock](const std::optional<UnixTime>& t) {
    return t ? clock.Minute(*t) : std::string("none");
  };
  return "Sunrise " + moment(events.sunrise) + ", sunset " + moment(events.sunset);
}

}  // namespace

std::string LocalClockText(GeoPoint point, UnixTime t, const PlaceList& places,
                           const TimeZones& zones) {
  const auto nearest = places.Nearest(point, kTooltipPlaceKm);
  const LocalClock clock(zones, nearest ? std::string(places[*nearest].zone) : std::string());
  return clock.DateAndTime(t);
}

std::string MapTooltipText(GeoPoint point, const std::optional<std::string_view>& pinLabel,
                           UnixTime t, SunAt sunAt, const PlaceList& places,
                           const TimeZones& zones) {
  const auto nearest = places.Nearest(point, kTooltipPlaceKm);
  std::string heading;
  std::string zone;
  if (nearest) {
    const Place place = places[*nearest];
    heading = std::string(place.name) + ", " + std::string(place.country);
    zone = std::string(place.zone);
  } else {
    heading = CoordinatesText(point);
  }
  if (pinLabel) heading = pinLabel->empty() ? CoordinatesText(point) : std::string(*pinLabel);

  const LocalClock clock(zones, zone);
  const SunInSky sun = SunInSkyAt(point, sunAt(t));
  char state[64];
  std::snprintf(state, sizeof state, "%s, sun %.1f\u00b0 %s", StateName(sun.daylight),
                std::fabs(sun.altitude), sun.altitude < 0 ? "below the horizon" : "high");
  const SunEvents events = SunEventsOnDay(point, clock.DayStart(t), sunAt);
  return heading + "\n" + clock.DateAndTime(t) + "\n" + state + "\n" + Events(events, clock);
}

}  // namespace lumivane
