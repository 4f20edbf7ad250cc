#pragma once

#include <cstdint>
#include <optional>

namespace lumivane::testing {

// The sun's events over one UTC day as an independent ephemeris gives them:
// PyEphem 4.1.4 (libastro, VSOP87), Debian's python3-ephem, with pressure 0
// (no refraction model), the centre of the sun at -0:49:58.8 (-0.833 deg)
// for sunrise and sunset and at -6 deg for civil dawn and dusk, transit for
// solar noon; seconds after the day's 00:00 UTC, absent when the event does
// not happen that day. PyEphem sees the sun from the surface, we from the
// centre of the Earth: its 8.8" parallax shifts a time by a few seconds.
struct SunReference {
  const char* place;
  double latitude;
  double longitude;
  int year, month, day;
  std::optional<std::int64_t> sunrise, sunset, civilDawn, civilDusk, solarNoon;
  int polar;  // 0 none, 1 the sun stays up, 2 it stays down
};

constexpr std::int64_t Hms(int h, int m, int s) { return h * 3600 + m * 60 + s; }

inline constexpr std::nullopt_t kNever = std::nullopt;

inline const SunReference kSunReferences[] = {
    // Midnight sun and polar night at Tromsø (69.6 N): no sunrise or sunset,
    // but civil twilight around noon in December.
    {"Tromso", 69.6492, 18.9553, 2026, 6, 21, kNever, kNever, kNever, kNever, Hms(10, 45, 59), 1},
    {"Tromso", 69.6492, 18.9553, 2026, 12, 21, kNever, kNever, Hms(8, 31, 15), Hms(12, 53, 9),
     Hms(10, 42, 13), 2},
    // Near the date line: the day's sunset comes before its sunrise in UTC.
    {"Suva", -18.1416, 178.4415, 2026, 1, 15, Hms(17, 42, 59), Hms(6, 48, 23), Hms(17, 19, 16),
     Hms(7, 12, 7), Hms(0, 15, 27), 0},
    // The day daylight saving starts (at 07:00 UTC).
    {"New York", 40.7128, -74.0060, 2026, 3, 8, Hms(11, 18, 52), Hms(22, 55, 10), Hms(10, 51, 35),
     Hms(23, 22, 30), Hms(17, 6, 42), 0},
    // Light all night at 64 N: sunset just after midnight UTC, no civil dusk.
    {"Reykjavik", 64.1466, -21.9426, 2026, 6, 21, Hms(2, 55, 12), Hms(0, 3, 45), kNever, kNever,
     Hms(13, 29, 36), 0},
    {"Quito", -0.2299, -78.5250, 2026, 11, 3, Hms(10, 53, 57), Hms(23, 1, 21), Hms(10, 32, 32),
     Hms(23, 22, 47), Hms(16, 57, 39), 0},
    {"London", 51.5072, -0.1276, 2026, 9, 23, Hms(5, 48, 6), Hms(17, 56, 40), Hms(5, 14, 45),
     Hms(18, 29, 55), Hms(11, 52, 53), 0},
    {"Ushuaia", -54.8019, -68.3030, 2026, 12, 21, Hms(7, 51, 26), Hms(1, 10, 47), Hms(6, 53, 57),
     Hms(2, 8, 16), Hms(16, 31, 22), 0},
};

}  // namespace lumivane::testing
