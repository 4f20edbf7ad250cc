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

std::optional<UnixTime> ParseIsoTime(std::string_view text) {
  std::size_t at = 0;
  const auto year = Digits(text, at, 4);
  if (!year || !Take(text, at, '-')) return std::nullopt;
  const auto month = Digits(text, at, 2);
  if (!month || !Take(text, at, '-')) return std::nullopt;
  const auto day = Digits(text, at, 2);
  if (!day) return std::nullopt;
  // The proleptic Gregorian calendar; ok() refuses months and days that do not exist.
  const std::chrono::year_month_day date = std::chrono::year(*year) / *month / *day;
  if (!date.ok()) return std::nullopt;
  const std::int64_t midnight =
      std::int64_t{std::chrono::sys_days(date).time_since_epoch().count()} * kSecondsPerDay;
  if (at == text.size()) return midnight;

  if (!Take(text, at, 'T')) return std::nullopt;
  const auto hour = Digits(text, at, 2);
  if (!hour || *hour > 23 || !Take(text, at, ':')) return std::nullopt;
  const auto minute = Digits(text, at, 2);
  if (!minute || *minute > 59) return std::nullopt;
  int second = 0;
  if (Take(text, at, ':')) {
    const auto s = Digits(text, at, 2);
    if (!s || *s > 59) return std::nullopt;
    second = *s;
  }
  const std::int64_t clock = midnight + *hour * 3600 + *minute * 60 + second;

  if (Take(text, at, 'Z')) return at == text.size() ? std::optional<UnixTime>(clock) : std::nullopt;
  if (at >= text.size() || (text[at] != '+' && text[at] != '-')) return std::nullopt;
  const int sign = text[at++] == '-' ? -1 : 1;
  const auto offsetHours = Digits(text, at, 2);
  if (!offsetHours || *offsetHours > 23) return std::nullopt;
  int offsetMinutes = 0;
  if (at < text.size()) {
    Take(text, at, ':');
    const auto m = Digits(text, at, 2);
    if (!m || *m > 59) return std::nullopt;
    offsetMinutes = *m;
  }
  if (at != text.size()) return std::nullopt;
  // Local time = UTC + offset.
  return clock - sign * (*offsetHours * 3600 + offsetMinutes * 60);
}

}  // namespace lumivane
