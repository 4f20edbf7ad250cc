#include "places/sun_events.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace lumivane {

namespace {

constexpr UnixTime kSecondsPerDay = 86400;
// Short enough that the altitude turns at most once between samples.
constexpr UnixTime kSampleSeconds = 900;
constexpr double kRadiansPerDegree = std::numbers::pi / 180;

struct Sample {
  UnixTime t;
  double zenithCosine;
  double hourAngle;
};

class DayCurve {
 public:
  DayCurve(GeoPoint place, SunAt sunAt) : place_(place), sunAt_(sunAt) {}

  Sample At(UnixTime t) const {
    const SubSolarPoint sun = sunAt_(t);
    return {t, SunZenithCosine(place_, sun), SunHourAngle(place_, sun)};
  }
  double ZenithCosine(UnixTime t) const { return SunZenithCosine(place_, sunAt_(t)); }

  // The whole second in [lo, hi] where the altitude is highest (or lowest).
  UnixTime TurningPoint(UnixTime lo, UnixTime hi, bool highest) const {
    const auto better = [highest](double a, double b) { return highest ? a > b : a < b; };
    while (hi - lo > 2) {
      const UnixTime m1 = lo + (hi - lo) / 3;
      const UnixTime m2 = hi - (hi - lo) / 3;
      if (better(ZenithCosine(m1), ZenithCosine(m2))) {
        hi = m2;
      } else {
        lo = m1;
      }
    }
    UnixTime best = lo;
    for (UnixTime t = lo + 1; t <= hi; ++t) {
      if (better(ZenithCosine(t), ZenithCosine(best))) best = t;
    }
    return best;
  }

  // The first second in (lo, hi] where `reached` holds, given that it fails
  // at lo and holds at hi.
  template <typename Reached>
  UnixTime FirstSecond(UnixTime lo, UnixTime hi, Reached reached) const {
    while (hi - lo > 1) {
      const UnixTime mid = lo + (hi - lo) / 2;
      if (reached(At(mid))) {
        hi = mid;
      } else {
        lo = mid;
      }
    }
    return hi;
  }

 private:
  GeoPoint place_;
  SunAt sunAt_;
};

// The first rising and the first setting through sin(limit) between
// neighbouring points, between which the altitude only rises or only falls.
void Crossings(const DayCurve& curve, const std::vector<Sample>& points, double limitDegrees,
               std::optional<UnixTime>& rising, std::optional<UnixTime>& setting) {
  const double limit = std::sin(limitDegrees * kRadiansPerDegree);
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    const Sample& a = points[i];
    const Sample& b = points[i + 1];
    if (!rising && a.zenithCosine < limit && b.zenithCosine >= limit) {
      rising =
          curve.FirstSecond(a.t, b.t, [limit](const Sample& s) { return s.zenithCosine >= limit; });
    } else if (!setting && a.zenithCosine >= limit && b.zenithCosine < limit) {
      setting =
          curve.FirstSecond(a.t, b.t, [limit](const Sample& s) { return s.zenithCosine < limit; });
    }
  }
}

}  // namespace

UnixTime UtcDayStart(UnixTime t) {
  const UnixTime intoDay = (t % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
  return t - intoDay;
}

SunEvents SunEventsOnDay(GeoPoint place, UnixTime dayStart, SunAt sunAt) {
  const DayCurve curve(place, sunAt);
  // An event at the day's first second crosses between the second before
  // it and that second.
  const UnixTime first = dayStart - 1;
  const UnixTime last = dayStart + kSecondsPerDay - 1;

  // One sample beyond each end, so a turning point near an end is seen.
  std::vector<Sample> samples;
  for (UnixTime t = dayStart - kSampleSeconds; t <= last + kSampleSeconds + 1;
       t += kSampleSeconds) {
    samples.push_back(curve.At(t));
  }

  SunEvents events;
  // The day's seconds, the samples within it and the turning points, in
  // order: the altitude only rises or only falls from one to the next.
  std::vector<Sample> points{curve.At(first)};
  for (std::size_t i = 1; i + 1 < samples.size(); ++i) {
    const double before = samples[i].zenithCosine - samples[i - 1].zenithCosine;
    const double after = samples[i + 1].zenithCosine - samples[i].zenithCosine;
    const bool highest = before > 0 && after <= 0;
    const bool lowest = before < 0 && after >= 0;
    if (highest || lowest) {
      const UnixTime turn = curve.TurningPoint(samples[i - 1].t, samples[i + 1].t, highest);
      if (turn > first && turn < last) points.push_back(curve.At(turn));
    }
    if (samples[i].t > first && samples[i].t < last) points.push_back(samples[i]);
  }
  points.push_back(curve.At(last));
  std::sort(points.begin(), points.end(),
            [](const Sample& a, const Sample& b) { return a.t < b.t; });

  // The meridian: the hour angle passes 0 going up (not its wrap at 180).
  for (std::size_t i = 0; i + 1 < samples.size() && !events.solarNoon; ++i) {
    const Sample& a = samples[i];
    const Sample& b = samples[i + 1];
    if (a.hourAngle < 0 && b.hourAngle >= 0 && b.hourAngle - a.hourAngle < 180) {
      const UnixTime noon =
          curve.FirstSecond(a.t, b.t, [](const Sample& s) { return s.hourAngle >= 0; });
      if (noon > first && noon <= last) events.solarNoon = noon;
    }
  }

  Crossings(curve, points, kSunriseAltitudeDegrees, events.sunrise, events.sunset);
  Crossings(curve, points, kCivilTwilightAltitudeDegrees, events.civilDawn, events.civilDusk);
  if (!events.sunrise && !events.sunset) {
    const double limit = std::sin(kSunriseAltitudeDegrees * kRadiansPerDegree);
    events.polar = points.front().zenithCosine >= limit ? PolarDay::Day : PolarDay::Night;
  }
  return events;
}

}  // namespace lumivane
