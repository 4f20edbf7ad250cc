#include "place_report.h"

#include <cstdio>

#include "json_number.h"

#include "astro/precise/precise_sky.h"
#include "places/iso_clock_text.h"
#include "places/sun_events.h"

namespace lumivane {

namespace {

// A JSON string: quotes, backslashes and control characters escaped, the
// rest (UTF-8) as it is.
std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

std::string Moment(const std::optional<UnixTime>& t) { return t ? Quoted(IsoUtcText(*t)) : "null"; }

const char* DaylightName(Daylight daylight) {
  switch (daylight) {
    case Daylight::Day: return "day";
    case Daylight::CivilTwilight: return "civil twilight";
    case Daylight::NauticalTwilight: return "nautical twilight";
    case Daylight::AstronomicalTwilight: return "astronomical twilight";
    case Daylight::Night: return "night";
  }
  return "night";
}

std::string PolarName(PolarDay polar) {
  switch (polar) {
    case PolarDay::Day: return "\"day\"";
    case PolarDay::Night: return "\"night\"";
    case PolarDay::None: break;
  }
  return "null";
}

std::string NearestPlace(GeoPoint point, UnixTime time, const PlaceList& places,
                         const TimeZones& zones) {
  const auto nearest = places.Nearest(point, kNearestPlaceKm);
  if (!nearest) return "null";
  const Place place = places[*nearest];
  const auto offset = zones.OffsetAt(std::string(place.zone), time);
  return "{\"name\": " + Quoted(place.name) + ", \"country\": " + Quoted(place.country) +
         ", \"zone\": " + Quoted(place.zone) + ", \"localTime\": " +
         (offset ? Quoted(IsoLocalText(time, offset->utcOffsetSeconds)) : "null") + "}";
}

}  // namespace

SubSolarPoint PreciseSunAt(UnixTime t) { return ComputePreciseSky(t).sun; }

std::string PlaceJson(GeoPoint point, UnixTime time, SunAt sunAt, const PlaceList& places,
                      const TimeZones& zones) {
  const SunInSky sun = SunInSkyAt(point, sunAt(time));
  const SunEvents events = SunEventsOnDay(point, UtcDayStart(time), sunAt);
  return "{\"altitude\": " + JsonNumber(sun.altitude) +
         ", \"azimuth\": " + JsonNumber(sun.azimuth) + ", \"state\": \"" +
         DaylightName(sun.daylight) + "\", \"sunrise\": " + Moment(events.sunrise) +
         ", \"sunset\": " + Moment(events.sunset) + ", \"solarNoon\": " + Moment(events.solarNoon) +
         ", \"civilDawn\": " + Moment(events.civilDawn) +
         ", \"civilDusk\": " + Moment(events.civilDusk) +
         ", \"polar\": " + PolarName(events.polar) +
         ", \"place\": " + NearestPlace(point, time, places, zones) + "}";
}

std::string FoundPlacesText(const PlaceList& places, std::string_view name, std::size_t limit) {
  std::string text;
  for (const std::size_t i : places.Find(name, limit)) {
    const Place place = places[i];
    char coordinates[64];
    std::snprintf(coordinates, sizeof coordinates, "%.5f,%.5f", place.point.latitude,
                  place.point.longitude);
    text += std::string(place.name) + '\t' + std::string(place.country) + '\t' + coordinates +
            '\t' + std::string(place.zone) + '\n';
  }
  return text;
}

}  // namespace lumivane
