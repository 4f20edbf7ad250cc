#include "positions_report.h"

#include <cstdio>

#include "json_number.h"

#include "astro/lunar_position.h"
#include "astro/precise/precise_sky.h"
#include "astro/solar_position.h"

namespace lumivane {

namespace {

std::string Body(UnixTime time, const SubSolarPoint& sun, const SubLunarPoint& moon,
                 MoonPhase phase) {
  return "{\"time\": " + std::to_string(time) +
         ", \"sun\": {\"declination\": " + JsonNumber(sun.declination) +
         ", \"westLongitude\": " + JsonNumber(sun.westLongitude) +
         ", \"rightAscension\": " + JsonNumber(sun.rightAscension) +
         "}, \"moon\": {\"declination\": " + JsonNumber(moon.declination) +
         ", \"westLongitude\": " + JsonNumber(moon.westLongitude) + "}, \"phase\": \"" +
         MoonPhaseName(phase) + "\"";
}

}  // namespace

std::string PositionsJson(UnixTime time) {
  const SolarPosition solar = ComputeSubSolarPoint(time);
  const SubLunarPoint moon = ComputeSubLunarPoint(solar.ephemeris, solar.sun);
  return Body(time, solar.sun, moon, ChooseMoonPhase(solar.sun, moon)) + "}";
}

std::string PrecisePositionsJson(UnixTime time) {
  const PreciseSky sky = ComputePreciseSky(time);
  return Body(time, sky.sun, sky.moon, sky.phase) +
         ", \"illuminatedFraction\": " + JsonNumber(sky.illuminatedFraction) + "}";
}

}  // namespace lumivane
