#include "render/frame_composer.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "astro/lunar_position.h"
#include "astro/map_geometry.h"
#include "astro/solar_position.h"
#include "fakes/fake_frame_window.h"
#include "render/frame_test_pictures.h"
#include "render/image_ops.h"
#include "render/shade_day_night.h"

namespace lumivane {
namespace {

using Log = std::vector<std::string>;

void FillSquare(Image& image, std::int32_t cx, std::int32_t cy, std::int32_t size, Pixel colour) {
  for (std::int32_t y = cy - size / 2; y < cy - size / 2 + size; ++y) {
    for (std::int32_t x = cx - size / 2; x < cx - size / 2 + size; ++x) {
      if (x >= 0 && y >= 0 && x < image.width() && y < image.height()) image.at(x, y) = colour;
    }
  }
}

// The frame built step by step from the rules, with square markers.
Image ExpectedFrame(const Image& map, const FrameOptions& s, UnixTime now) {
  Image frame = Resample(map, s.width, s.height);
  const SolarPosition solar = ComputeSubSolarPoint(now);
  ShadeDayNight(frame, solar.sun.declination, solar.sun.westLongitude, s.nightDarkness);
  const MarkerImages markers = SquareMarkers();
  if (s.showMoon) {
    const SubLunarPoint moon = ComputeSubLunarPoint(solar.ephemeris, solar.sun);
    FillSquare(frame, MapGeometry::WestLongitudeToColumn(frame.width(), moon.westLongitude),
               MapGeometry::LatitudeToRow(frame.height(), moon.declination),
               MoonMarkerSize(s.markerScale, map.width()),
               markers.MoonImage(ChooseMoonPhase(solar.sun, moon)).at(0, 0));
  }
  if (s.showSun) {
    FillSquare(frame, MapGeometry::WestLongitudeToColumn(frame.width(), solar.sun.westLongitude),
               MapGeometry::LatitudeToRow(frame.height(), solar.sun.declination),
               SunMarkerSize(s.markerScale, map.width()), kSunColour);
  }
  if (!s.sunCentered) return frame;
  Image turned(frame.width(), frame.height());
  TurnIntoFrame(frame, SunCenteredShift(frame.width(), solar.sun.westLongitude), turned);
  return turned;
}

class FrameComposerTest : public testing::Test {
 protected:
  Image PaintOnce(const FrameOptions& s, UnixTime now) {
    composer.PaintFrame(s, EarthMapView{map, map.width(), map.height()}, markers, window, now);
    return window.shown.back();
  }

  Image Compose(const FrameOptions& s, UnixTime now) {
    return ComposeFrame(s, EarthMapView{map, map.width(), map.height()}, markers, now);
  }

  Image map = CoordinateMap(400, 200);
  MarkerImages markers = SquareMarkers();
  FakeFrameWindow window;
  FrameComposer composer;
};

TEST_F(FrameComposerTest, WorkedExampleAtNoonOnNewYear2000) {
  const FrameOptions settings = MarkedFrameOptions(30, 400, 200);
  const Image frame = Compose(settings, kNoon2000);
  EXPECT_EQ(frame, ExpectedFrame(map, settings, kNoon2000));
  // Sun square columns 185..214, rows 110..139; the last-quarter moon's
  // columns 107..121, rows 98..112.
  EXPECT_EQ(frame.at(185, 110), kSunColour);
  EXPECT_EQ(frame.at(214, 139), kSunColour);
  EXPECT_NE(frame.at(215, 139), kSunColour);
  EXPECT_NE(frame.at(184, 110), kSunColour);
  EXPECT_EQ(frame.at(107, 98), markers.moonLastQuarter.at(0, 0));
  EXPECT_EQ(frame.at(121, 112), markers.moonLastQuarter.at(0, 0));
  EXPECT_NE(frame.at(122, 112), markers.moonLastQuarter.at(0, 0));
  EXPECT_NE(frame.at(107, 113), markers.moonLastQuarter.at(0, 0));
}

TEST_F(FrameComposerTest, MarkerSizesFollowScaleAndMapWidth) {
  struct Row {
    std::int32_t scale, moon, sun;
  };
  for (const Row r : {Row{1, 0, 1}, Row{10, 5, 10}, Row{15, 7, 15}, Row{30, 15, 30},
                      Row{45, 22, 45}, Row{60, 30, 60}, Row{100, 50, 100}}) {
    EXPECT_EQ(MoonMarkerSize(r.scale, 400), r.moon) << r.scale;
    EXPECT_EQ(SunMarkerSize(r.scale, 400), r.sun) << r.scale;
  }
  EXPECT_EQ(SunMarkerSize(100, 8192), 2048);
  EXPECT_EQ(SunMarkerSize(100, 1000000), 250000);  // the product needs more than 32 bits
}

TEST_F(FrameComposerTest, ScaleOneHasNoMoonAndAOnePixelSun) {
  const FrameOptions settings = MarkedFrameOptions(1, 13, 6);
  const Image frame = Compose(settings, kNoon2000);
  EXPECT_EQ(frame, ExpectedFrame(map, settings, kNoon2000));
  EXPECT_EQ(std::count(frame.pixels().begin(), frame.pixels().end(), kSunColour), 1);
}

TEST_F(FrameComposerTest, WithoutMarkersTheFrameIsTheShadedMap) {
  FrameOptions settings = MarkedFrameOptions(30, 400, 200);
  settings.showSun = false;
  settings.showMoon = false;
  Image shaded = map;
  const SubSolarPoint sun = ComputeSubSolarPoint(kNoon2000).sun;
  ShadeDayNight(shaded, sun.declination, sun.westLongitude, settings.nightDarkness);
  EXPECT_EQ(Compose(settings, kNoon2000), shaded);
}

TEST_F(FrameComposerTest, SunCoversTheMoonNearNewMoon) {
  const UnixTime conjunction = 1712737600;  // 2024-04-10 08:26:40 UTC, same column and row
  const SolarPosition solar = ComputeSubSolarPoint(conjunction);
  const SubLunarPoint moon = ComputeSubLunarPoint(solar.ephemeris, solar.sun);
  ASSERT_EQ(ChooseMoonPhase(solar.sun, moon), MoonPhase::New);

  const FrameOptions settings = MarkedFrameOptions(30, 400, 200);
  const Image frame = Compose(settings, conjunction);
  EXPECT_EQ(frame, ExpectedFrame(map, settings, conjunction));
  EXPECT_EQ(std::count(frame.pixels().begin(), frame.pixels().end(), kSunColour), 30 * 30);
  EXPECT_EQ(std::count(frame.pixels().begin(), frame.pixels().end(), markers.moonNew.at(0, 0)), 0);
}

TEST_F(FrameComposerTest, SunCenteredViewTurnsTheFinishedFrame) {
  // 05:20 UTC: the sun at west longitude -100, column 311, so d = -111.
  const UnixTime morning = kNoon2000 - 6 * 3600 - 40 * 60;
  ASSERT_EQ(SunCenteredShift(400, ComputeSubSolarPoint(morning).sun.westLongitude), -111);
  FrameOptions settings = MarkedFrameOptions(30, 400, 200);
  settings.sunCentered = true;
  const Image frame = Compose(settings, morning);
  EXPECT_EQ(frame, ExpectedFrame(map, settings, morning));
  EXPECT_EQ(frame.at(200, 125), kSunColour);  // the sun in the middle column
  EXPECT_EQ(frame.at(185, 125), kSunColour);
  EXPECT_EQ(frame.at(214, 125), kSunColour);

  settings.showSun = false;  // still turned without the sun marker
  EXPECT_EQ(Compose(settings, morning), ExpectedFrame(map, settings, morning));
}

TEST_F(FrameComposerTest, MarkerAtTheEdgeIsCutAndSeenCutAtTheSeam) {
  // 23:59:59 UTC: the sun just east of the date line, column 0, d = 200.
  const UnixTime midnight = kNoon2000 + 43199;
  const SubSolarPoint sun = ComputeSubSolarPoint(midnight).sun;
  ASSERT_EQ(SunCenteredShift(400, sun.westLongitude), 200);
  const std::int32_t row = MapGeometry::LatitudeToRow(200, sun.declination);
  FrameOptions settings = MarkedFrameOptions(30, 400, 200);
  settings.showMoon = false;

  const Image straight = Compose(settings, midnight);
  EXPECT_EQ(straight, ExpectedFrame(map, settings, midnight));
  EXPECT_EQ(straight.at(0, row), kSunColour);
  EXPECT_EQ(straight.at(14, row), kSunColour);
  EXPECT_NE(straight.at(399, row), kSunColour);  // does not reappear on the right

  settings.sunCentered = true;
  const Image turned = Compose(settings, midnight);
  EXPECT_EQ(turned, ExpectedFrame(map, settings, midnight));
  EXPECT_EQ(turned.at(200, row), kSunColour);  // the seam is column 200
  EXPECT_EQ(turned.at(214, row), kSunColour);
  EXPECT_NE(turned.at(199, row), kSunColour);
}

TEST(TurnIntoFrame, MovesColumnXToXPlusDModuloW) {
  const Image working = CoordinateMap(400, 3);
  for (const std::int32_t d : {-111, 0, 37, 200, -200}) {
    Image frame(400, 3);
    TurnIntoFrame(working, d, frame);
    for (std::int32_t x = 0; x < 400; ++x) {
      ASSERT_EQ(frame.at(((x + d) % 400 + 400) % 400, 2), working.at(x, 2)) << d << " " << x;
    }
  }
  EXPECT_EQ(SunCenteredShift(400, 0.0), 0);
  EXPECT_EQ(SunCenteredShift(400, 179.99), 200);
  EXPECT_EQ(SunCenteredShift(1333, -180.0), -667);
}

TEST_F(FrameComposerTest, CachedPaintsAndRecomputationsFollowTheClock) {
  const FrameOptions settings = MarkedFrameOptions(30, 400, 200);
  const UnixTime start = kNoon2000;
  const Image first = PaintOnce(settings, start);
  EXPECT_EQ(window.log, (Log{"ShowFrame 400x200", "ShowFrame 400x200"}));
  EXPECT_EQ(window.shown[0], map);  // the plain map first, then the finished frame
  EXPECT_FALSE(composer.needsRecompute());
  // Each recomputation also says in words what it shows, and when.
  ASSERT_EQ(window.descriptions.size(), 1u);
  EXPECT_EQ(window.descriptions[0].rfind("2000-01-01 12:00 UTC. Sun overhead at 23", 0), 0u);

  // A requested refresh (the clock was set) recomputes once, whatever the time.
  struct Step {
    UnixTime now;
    bool recomputes;
    UnixTime last;
    bool refresh = false;
  };
  for (const Step step : {Step{start + 299, false, start}, Step{start - 299, false, start},
                          Step{start + 300, true, start + 300}, Step{start + 1, false, start + 300},
                          Step{start, true, start}, Step{start + 2, true, start + 2, true},
                          Step{start + 3, false, start + 2}}) {
    const Image before = *composer.frameCache();
    window.log.clear();
    window.shown.clear();
    window.descriptions.clear();
    if (step.refresh) composer.RequestRefresh();
    PaintOnce(settings, step.now);
    SCOPED_TRACE(step.now - start);
    EXPECT_EQ(composer.lastComputeTime(), step.last);
    EXPECT_EQ(window.descriptions.size(), step.recomputes ? 1u : 0u);
    if (step.recomputes) {
      EXPECT_EQ(window.log, (Log{"ShowFrame 400x200", "ShowFrame 400x200"}));
      EXPECT_EQ(window.shown[0], before);  // the previous frame while it works
      EXPECT_EQ(window.shown[1], ExpectedFrame(map, settings, step.now));
    } else {
      EXPECT_EQ(window.log, Log{"ShowFrame 400x200"});
      EXPECT_EQ(window.shown[0], before);
    }
  }
}

TEST_F(FrameComposerTest, ForcedRecomputationMovesTheNextTimedOne) {
  FrameOptions settings = MarkedFrameOptions(30, 400, 200);
  PaintOnce(settings, kNoon2000);
  settings = MarkedFrameOptions(15, 200, 100);  // a settings change, with a new size
  composer.RequestRecompute();
  window.log.clear();
  window.shown.clear();
  PaintOnce(settings, kNoon2000 + 100);
  EXPECT_EQ(window.log, (Log{"ShowFrame 200x100", "ShowFrame 200x100"}));
  EXPECT_EQ(window.shown[0], Resample(map, 200, 100));
  EXPECT_EQ(composer.lastComputeTime(), kNoon2000 + 100);

  window.log.clear();
  PaintOnce(settings, kNoon2000 + 300);  // the next tick only copies
  EXPECT_EQ(window.log, Log{"ShowFrame 200x100"});
  PaintOnce(settings, kNoon2000 + 400);
  EXPECT_EQ(composer.lastComputeTime(), kNoon2000 + 400);
}

TEST_F(FrameComposerTest, MinimisedWindowIsLeftAlone) {
  const FrameOptions settings = MarkedFrameOptions(30, 400, 200);
  const EarthMapView view{map, 400, 200};
  window.minimised = true;
  composer.PaintFrame(settings, view, markers, window, kNoon2000);
  EXPECT_TRUE(window.log.empty());
  EXPECT_TRUE(composer.needsRecompute());
  EXPECT_FALSE(composer.frameCache());

  window.minimised = false;  // restored: the normal rule
  composer.PaintFrame(settings, view, markers, window, kNoon2000 + 5);
  EXPECT_EQ(window.log.size(), 2u);
  window.minimised = true;
  composer.PaintFrame(settings, view, markers, window, kNoon2000 + 900);
  EXPECT_EQ(window.log.size(), 2u);
  EXPECT_EQ(composer.lastComputeTime(), kNoon2000 + 5);
}

TEST_F(FrameComposerTest, ClockAtItsEndsDoesNotOverflow) {
  const FrameOptions settings = MarkedFrameOptions(1, 13, 6);
  constexpr UnixTime kMax = std::numeric_limits<UnixTime>::max();
  constexpr UnixTime kMin = std::numeric_limits<UnixTime>::min();
  PaintOnce(settings, kMax - 10);
  PaintOnce(settings, kMax);  // not 300 seconds later: cached
  EXPECT_EQ(composer.lastComputeTime(), kMax - 10);
  PaintOnce(settings, kMin);  // the clock went back
  EXPECT_EQ(composer.lastComputeTime(), kMin);
  PaintOnce(settings, kMin + 299);
  EXPECT_EQ(composer.lastComputeTime(), kMin);
}

}  // namespace
}  // namespace lumivane
