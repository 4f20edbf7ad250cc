#include "places/iso_clock_text.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace lumivane {

namespace {

std::string DateAndTime(UnixTime t) {
  using namespace std::chrono;
  const sys_seconds clock{seconds(t)};
  const sys_days day = floor<days>(clock);
  const year_month_day date(day);
  const hh_mm_ss time(clock - day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

}  // namespace

std::string IsoUtcText(UnixTime t) { return DateAndTime(t) + "Z"; }

std::string IsoLocalText(UnixTime t, std::int32_t offsetSeconds) {
  const std::int32_t size = std::abs(offsetSeconds);
  char offset[16];
  std::snprintf(offset, sizeof offset, "%c%02d:%02d", offsetSeconds < 0 ? '-' : '+', size / 3600,
                size / 60 % 60);
  std::string text = DateAndTime(t + offsetSeconds) + offset;
  if (size % 60 != 0) {
    std::snprintf(offset, sizeof offset, ":%02d", size % 60);
    text += offset;
  }
  return text;
}

}  // namespace lumivane
