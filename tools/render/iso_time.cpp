#include "iso_time.h"

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

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to the date in the proleptic Gregorian calendar
// (H. Hinnant's days_from_civil: eras of 400 years, March-based years).
std::int64_t DaysFromCivil(int year, int month, int day) {
  const int y = month <= 2 ? year - 1 : year;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yearOfEra = y - era * 400;
  const int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return std::int64_t{era} * 146097 + dayOfEra - 719468;
}

}  // namespace

std::optional<UnixTime> ParseIsoTime(std::string_view text) {
  std::size_t at = 0;
  const auto year = Digits(text, at, 4);
  if (!year || !Take(text, at, '-')) return std::nullopt;
  const auto month = Digits(text, at, 2);
  if (!month || *month < 1 || *month > 12 || !Take(text, at, '-')) return std::nullopt;
  const auto day = Digits(text, at, 2);
  if (!day || *day < 1 || *day > DaysInMonth(*year, *month)) return std::nullopt;
  const std::int64_t midnight = DaysFromCivil(*year, *month, *day) * kSecondsPerDay;
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
