#include "positions_report.h"

#include <cstdio>

#include "astro/lunar_position.h"
#include "astro/solar_position.h"

namespace lumivane {

namespace {

std::string Number(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

}  // namespace

std::string PositionsJson(UnixTime time) {
  const SolarPosition solar = ComputeSubSolarPoint(time);
  const SubLunarPoint moon = ComputeSubLunarPoint(solar.ephemeris, solar.sun);
  const MoonPhase phase = ChooseMoonPhase(solar.sun, moon);

  return "{\"time\": " + std::to_string(time) +
         ", \"sun\": {\"declination\": " + Number(solar.sun.declination) +
         ", \"westLongitude\": " + Number(solar.sun.westLongitude) +
         ", \"rightAscension\": " + Number(solar.sun.rightAscension) +
         "}, \"moon\": {\"declination\": " + Number(moon.declination) +
         ", \"westLongitude\": " + Number(moon.westLongitude) + "}, \"phase\": \"" +
         MoonPhaseName(phase) + "\"}";
}

}  // namespace lumivane
