#include "positions_report.h"

#include <cstdio>

#include "astro/lunar_position.h"
#include "astro/precise/precise_sky.h"
#include "astro/solar_position.h"

namespace lumivane {

namespace {

std::string Number(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

std::string Body(UnixTime time, const SubSolarPoint& sun, const SubLunarPoint& moon,
                 MoonPhase phase) {
  return "{\"time\": " + std::to_string(time) +
         ", \"sun\": {\"declination\": " + Number(sun.declination) +
         ", \"westLongitude\": " + Number(sun.westLongitude) +
         ", \"rightAscension\": " + Number(sun.rightAscension) +
         "}, \"moon\": {\"declination\": " + Number(moon.declination) +
         ", \"westLongitude\": " + Number(moon.westLongitude) + "}, \"phase\": \"" +
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
         ", \"illuminatedFraction\": " + Number(sky.illuminatedFraction) + "}";
}

}  // namespace lumivane
