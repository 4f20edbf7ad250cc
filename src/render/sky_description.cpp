#include "render/sky_description.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace lumivane {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// Far enough for years 0 to 9999 either side of 1970, near enough for the
// calendar's own range.
constexpr std::int64_t kFarthestDay = 4'000'000;

std::string TimeText(UnixTime time) {
  // Floor division: times before 1970 belong to the day they fall in.
  std::int64_t days = time / kSecondsPerDay;
  if (time % kSecondsPerDay < 0) --days;
  if (days > kFarthestDay || days < -kFarthestDay) return {};
  const std::int64_t secondOfDay = time - days * kSecondsPerDay;
  const std::chrono::year_month_day date{
      std::chrono::sys_days(std::chrono::days(static_cast<int>(days)))};
  const int year = static_cast<int>(date.year());
  if (year < 0 || year > 9999) return {};
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d UTC. ", year,
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(secondOfDay / 3600), static_cast<int>(secondOfDay / 60 % 60));
  return text;
}

// Whole degrees and the side of the line they lie on; no side on the line
// itself, nor at 180 degrees of longitude.
std::string Angle(double degrees, const char* positiveSide, const char* negativeSide) {
  const long whole = std::lround(std::fabs(degrees));
  std::string text = std::to_string(whole) + "\u00B0";
  if (whole == 0 || whole == 180) return text;
  return text + " " + (degrees > 0 ? positiveSide : negativeSide);
}

std::string Place(double latitude, double westLongitude) {
  return Angle(latitude, "north", "south") + ", " + Angle(westLongitude, "west", "east");
}

const char* PhaseText(MoonPhase phase) {
  switch (phase) {
    case MoonPhase::New: return "new moon";
    case MoonPhase::FirstQuarter: return "first quarter";
    case MoonPhase::Full: return "full moon";
    case MoonPhase::LastQuarter: return "last quarter";
  }
  return "new moon";
}

}  // namespace

std::string DescribeSky(UnixTime time, const SkyPositions& sky) {
  return TimeText(time) + "Sun overhead at " + Place(sky.sun.declination, sky.sun.westLongitude) +
         ". Moon overhead at " + Place(sky.moon.declination, sky.moon.westLongitude) + ", " +
         PhaseText(sky.moonPhase) + ".";
}

}  // namespace lumivane
