#include "iso_time.h"

#include <chrono>
#include <cstdint>

namespace lumivane {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Reads exactly `digits` decimal digits at `at`, advancing past them.
std::optional<int> Digits(std::string_view text, std::size_t& at, std::size_t digits) {
  if (at + digits > text.size()) return std::nullopt;
  int value = 0;
  for (std::size_t i = 0; i < digits; ++i) {
    const char c = text[at + i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  at += digits;
  return value;
}

bool Take(std::string_view text, std::size_t& at, char expected) {
  if (at >= text.size() || text[at] != expected) return false;
  ++at;
  return true;
}

}  // namespace

ParsedIsoTime ParseIsoTime(std::string_view text) {
  const ParsedIsoTime refused;
  std::size_t at = 0;
  const auto year = Digits(text, at, 4);
  if (!year || !Take(text, at, '-')) return refused;
  const auto month = Digits(text, at, 2);
  if (!month || !Take(text, at, '-')) return refused;
  const auto day = Digits(text, at, 2);
  if (!day) return refused;
  // The proleptic Gregorian calendar; ok() refuses months and days that do not exist.
  const std::chrono::year_month_day date = std::chrono::year(*year) / *month / *day;
  if (!date.ok()) return refused;
  const std::int64_t midnight =
      std::int64_t{std::chrono::sys_days(date).time_since_epoch().count()} * kSecondsPerDay;
  if (at == text.size()) return {midnight};

  if (!Take(text, at, 'T')) return refused;
  const auto hour = Digits(text, at, 2);
  if (!hour || *hour > 23 || !Take(text, at, ':')) return refused;
  const auto minute = Digits(text, at, 2);
  if (!minute || *minute > 59) return refused;
  int second = 0;
  if (Take(text, at, ':')) {
    const auto s = Digits(text, at, 2);
    if (!s || *s > 60) return refused;
    second = *s;
    // A fraction (as JavaScript's toISOString() writes) is dropped.
    if (Take(text, at, '.') || Take(text, at, ',')) {
      const std::size_t first = at;
      while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
      if (at == first) return refused;
    }
  }
  const std::int64_t clock = midnight + *hour * 3600 + *minute * 60 + second;

  int sign = 0;  // Z
  int offsetHours = 0;
  int offsetMinutes = 0;
  if (!Take(text, at, 'Z')) {
    if (at >= text.size() || (text[at] != '+' && text[at] != '-')) return refused;
    sign = text[at++] == '-' ? -1 : 1;
    const auto hours = Digits(text, at, 2);
    if (!hours || *hours > 23) return refused;
    offsetHours = *hours;
    if (at < text.size()) {
      Take(text, at, ':');
      const auto m = Digits(text, at, 2);
      if (!m || *m > 59) return refused;
      offsetMinutes = *m;
    }
  }
  if (at != text.size()) return refused;
  // Local time = UTC + offset.
  const std::int64_t utc = clock - sign * (offsetHours * 3600 + offsetMinutes * 60);
  if (second == 60) {
    // Leap seconds are inserted as 23:59:60 UTC, which would be the next
    // midnight counted again.
    ParsedIsoTime leap;
    leap.leapSecond = (utc % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay == 0;
    return leap;
  }
  return {utc};
}

}  // namespace lumivane
