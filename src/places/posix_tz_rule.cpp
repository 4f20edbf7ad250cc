#include "places/posix_tz_rule.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>

namespace lumivane {

namespace {
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr int kMaxOffsetHours = 24;
constexpr int kMaxRuleHours = 167;
}  // namespace

// Reads the text from left to right; every method fails without moving on
// bad input, and the caller gives up.
class PosixTzRuleReader {
 public:
  explicit PosixTzRuleReader(std::string_view text) : text_(text) {}

  bool AtEnd() const { return at_ == text_.size(); }
  bool Take(char c) {
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool NextIsOffset() const {
    return at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-' || IsDigit(text_[at_]));
  }

  // "AEST" (three or more letters) or "<+0545>" (letters, digits, signs).
  std::optional<std::string> Name() {
    const std::size_t begin = at_;
    if (Take('<')) {
      while (at_ < text_.size() &&
             (std::isalnum(Byte(at_)) || text_[at_] == '+' || text_[at_] == '-')) {
        ++at_;
      }
      const std::size_t length = at_ - begin - 1;
      if (length < 3 || !Take('>')) return std::nullopt;
      return std::string(text_.substr(begin + 1, length));
    }
    while (at_ < text_.size() && std::isalpha(Byte(at_))) ++at_;
    if (at_ - begin < 3) return std::nullopt;
    return std::string(text_.substr(begin, at_ - begin));
  }

  // [+-]hh[:mm[:ss]] as seconds, hours up to maxHours.
  std::optional<std::int32_t> Seconds(int maxHours) {
    int sign = 1;
    if (Take('-')) {
      sign = -1;
    } else {
      Take('+');
    }
    const auto hours = Number(0, maxHours);
    if (!hours) return std::nullopt;
    std::int32_t seconds = *hours * 3600;
    if (Take(':')) {
      const auto minutes = Number(0, 59);
      if (!minutes) return std::nullopt;
      seconds += *minutes * 60;
      if (Take(':')) {
        const auto s = Number(0, 59);
        if (!s) return std::nullopt;
        seconds += *s;
      }
    }
    return sign * seconds;
  }

  // A decimal number of one to three digits within [low, high].
  std::optional<int> Number(int low, int high) {
    int value = 0;
    std::size_t digits = 0;
    while (at_ < text_.size() && IsDigit(text_[at_]) && digits < 3) {
      value = value * 10 + (text_[at_++] - '0');
      ++digits;
    }
    if (digits == 0 || value < low || value > high) return std::nullopt;
    return value;
  }

  std::optional<PosixTzRule::Change> ChangeRule() {
    using Form = PosixTzRule::Change::Form;
    PosixTzRule::Change change;
    if (Take('J')) {
      const auto day = Number(1, 365);
      if (!day) return std::nullopt;
      change.form = Form::JulianNoLeap;
      change.day = *day;
    } else if (Take('M')) {
      const auto month = Number(1, 12);
      if (!month || !Take('.')) return std::nullopt;
      const auto week = Number(1, 5);
      if (!week || !Take('.')) return std::nullopt;
      const auto weekday = Number(0, 6);
      if (!weekday) return std::nullopt;
      change = {Form::MonthWeekDay, *weekday, *week, *month};
    } else {
      const auto day = Number(0, 365);
      if (!day) return std::nullopt;
      change.form = Form::ZeroBasedDay;
      change.day = *day;
    }
    if (Take('/')) {
      const auto seconds = Seconds(kMaxRuleHours);
      if (!seconds) return std::nullopt;
      change.seconds = *seconds;
    }
    return change;
  }

 private:
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  unsigned char Byte(std::size_t i) const { return static_cast<unsigned char>(text_[i]); }

  std::string_view text_;
  std::size_t at_ = 0;
};

std::optional<PosixTzRule> PosixTzRule::Parse(std::string_view text) {
  PosixTzRuleReader reader(text);
  PosixTzRule rule;
  auto name = reader.Name();
  if (!name) return std::nullopt;
  const auto westOffset = reader.Seconds(kMaxOffsetHours);
  if (!westOffset) return std::nullopt;
  rule.standard_ = {-*westOffset, false, std::move(*name)};
  if (reader.AtEnd()) return rule;

  name = reader.Name();
  if (!name) return std::nullopt;
  // Without its own offset, daylight saving is an hour ahead.
  std::int32_t daylightWest = *westOffset - 3600;
  if (reader.NextIsOffset()) {
    const auto offset = reader.Seconds(kMaxOffsetHours);
    if (!offset) return std::nullopt;
    daylightWest = *offset;
  }
  rule.daylight_ = ZoneOffset{-daylightWest, true, std::move(*name)};
  if (!reader.Take(',')) return std::nullopt;
  const auto start = reader.ChangeRule();
  if (!start || !reader.Take(',')) return std::nullopt;
  const auto end = reader.ChangeRule();
  if (!end || !reader.AtEnd()) return std::nullopt;
  rule.start_ = *start;
  rule.end_ = *end;
  return rule;
}

std::int64_t PosixTzRule::ChangeInYear(const Change& change, int year, std::int32_t offsetBefore) {
  using namespace std::chrono;
  const sys_days newYear = std::chrono::year(year) / January / 1;
  sys_days day = newYear;
  switch (change.form) {
    case Change::Form::JulianNoLeap:
      // February 29 is never counted: day 60 is always March 1.
      day = newYear + days(change.day - 1);
      if (std::chrono::year(year).is_leap() && change.day >= 60) day += days(1);
      break;
    case Change::Form::ZeroBasedDay: day = newYear + days(change.day); break;
    case Change::Form::MonthWeekDay: {
      const auto month = std::chrono::month(static_cast<unsigned>(change.month));
      const weekday wd{static_cast<unsigned>(change.day)};
      day =
          change.week == 5
              ? sys_days(std::chrono::year(year) / month / wd[last])
              : sys_days(std::chrono::year(year) / month / wd[static_cast<unsigned>(change.week)]);
      break;
    }
  }
  return (day - newYear).count() * kSecondsPerDay + change.seconds - offsetBefore;
}

ZoneOffset PosixTzRule::OffsetAt(UnixTime t) const {
  if (!daylight_) return standard_;
  // The calendar takes years up to 32767: further out, the rule is read as
  // in years -26000 or 30000, which it repeats anyway.
  constexpr UnixTime kFarthest = 900000000000;
  t = std::clamp(t, -kFarthest, kFarthest);
  using namespace std::chrono;
  const sys_days today = floor<days>(sys_seconds(seconds(t)));
  const int thisYear = static_cast<int>(year_month_day(today).year());

  // The changes of the years around t, each with the offset it brings.
  std::array<std::pair<std::int64_t, bool>, 6> changes{};
  std::size_t count = 0;
  for (int year = thisYear - 1; year <= thisYear + 1; ++year) {
    const std::int64_t newYear =
        sys_days(std::chrono::year(year) / January / 1).time_since_epoch().count() * kSecondsPerDay;
    const std::int64_t start = ChangeInYear(start_, year, standard_.utcOffsetSeconds);
    const std::int64_t end = ChangeInYear(end_, year, daylight_->utcOffsetSeconds);
    const std::int64_t yearSeconds =
        (std::chrono::year(year).is_leap() ? 366 : 365) * kSecondsPerDay;
    // Daylight saving that lasts the whole year (e.g. "J1/0,J365/25").
    if (end - start >= yearSeconds) return *daylight_;
    changes[count++] = {newYear + start, true};
    changes[count++] = {newYear + end, false};
  }
  std::sort(changes.begin(), changes.begin() + static_cast<long>(count));
  bool inDaylight = false;
  for (std::size_t i = 0; i < count && changes[i].first <= t; ++i) {
    inDaylight = changes[i].second;
  }
  return inDaylight ? *daylight_ : standard_;
}

}  // namespace lumivane
