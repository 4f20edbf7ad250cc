#include "render_options.h"

#include "frame_names.h"

#include <limits>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace lumivane {
namespace {

ParsedRenderOptions Parse(std::vector<std::string_view> arguments) {
  return ParseRenderOptions(arguments);
}

TEST(ParseRenderOptions, PositionsWithAndWithoutTime) {
  const auto now = Parse({"--positions"});
  ASSERT_TRUE(now.options);
  EXPECT_TRUE(now.options->positions);
  EXPECT_FALSE(now.options->time);

  const auto at = Parse({"--time", "-9223372036854775808", "--positions"});
  ASSERT_TRUE(at.options);
  EXPECT_EQ(at.options->time, std::numeric_limits<UnixTime>::min());
}

TEST(ParseRenderOptions, PlaceTakesDegreesNorthAndEastAndFindAName) {
  const auto place = Parse({"--place", "-33.87,+151.21", "--time", "0", "--precise"});
  ASSERT_TRUE(place.options) << place.error;
  ASSERT_TRUE(place.options->place);
  EXPECT_EQ(place.options->place->latitude, -33.87);
  EXPECT_EQ(place.options->place->longitude, 151.21);
  EXPECT_TRUE(place.options->precise);
  const auto edges = Parse({"--place", "-90,180"});
  ASSERT_TRUE(edges.options && edges.options->place);
  EXPECT_EQ(edges.options->place->longitude, 180);

  const auto find = Parse({"--find", "São"});
  ASSERT_TRUE(find.options);
  EXPECT_EQ(find.options->find, "São");
}

TEST(ParseRenderOptions, TimeTakesSecondsOrIsoDates) {
  // Expected clocks from the calendar: 2026-12-21 is day 20808 since 1970.
  const struct {
    const char* text;
    UnixTime clock;
  } valid[] = {
      {"1798020180", 1798020180},
      {"2026-12-21", 20808LL * 86400},
      {"2026-12-21T15:03:00Z", 20808LL * 86400 + 15 * 3600 + 3 * 60},
      {"2026-12-21T15:03Z", 20808LL * 86400 + 15 * 3600 + 3 * 60},
      {"2026-12-21T16:03:00+01:00", 20808LL * 86400 + 15 * 3600 + 3 * 60},
      {"2026-12-21T10:03:00-0500", 20808LL * 86400 + 15 * 3600 + 3 * 60},
      {"2026-12-22T00:33:00+09:30", 20808LL * 86400 + 15 * 3600 + 3 * 60},
      {"1970-01-01T00:00:00Z", 0},
      {"1969-12-31T23:59:59Z", -1},
      {"2000-02-29T12:00:00Z", 951825600},
      {"1900-03-01", -2203891200},
      {"0000-01-01", -62167219200},
      {"9999-12-31T23:59:59Z", 253402300799},
      // A fraction of a second is dropped, as if it were not there.
      {"2026-12-21T15:03:00.000Z", 20808LL * 86400 + 15 * 3600 + 3 * 60},
      {"2026-12-21T16:03:00,999999+01:00", 20808LL * 86400 + 15 * 3600 + 3 * 60},
      {"1969-12-31T23:59:59.9Z", -1},
  };
  for (const auto& v : valid) {
    const auto parsed = Parse({"--time", v.text, "--positions"});
    ASSERT_TRUE(parsed.options) << v.text << ": " << parsed.error;
    EXPECT_EQ(parsed.options->time, v.clock) << v.text;
  }
  for (const char* bad :
       {"2026-12-21T15:03:00", "2026-02-29", "1900-02-29", "2026-13-01", "2026-12-32",
        "2026-12-21T24:00Z", "2026-12-21T15:60Z", "2026-12-21T15:03:60Z", "2026-12-21 15:03Z",
        "2026-12-21T15:03:00.Z", "2026-12-21T15:03.5Z", "2026-12-21T15:03:00.5", "26-12-21",
        "2026-1-21", "2026-12-21Z", "2026-12-21T15:03+1", "2026-12-21T15:03:00+01:00x",
        "+2026-12-21"}) {
    const auto parsed = Parse({"--time", bad, "--positions"});
    EXPECT_FALSE(parsed.options) << bad;
    EXPECT_NE(parsed.error.find("ISO 8601"), std::string::npos) << bad;
  }
  // Leap seconds are 23:59:60 UTC.
  for (const char* leap :
       {"2016-12-31T23:59:60Z", "2017-01-01T00:59:60+01:00", "2016-12-31T23:59:60.5Z"}) {
    const auto parsed = Parse({"--time", leap, "--positions"});
    EXPECT_FALSE(parsed.options) << leap;
    EXPECT_NE(parsed.error.find("is a leap second, and the clock has none"), std::string::npos)
        << parsed.error;
  }
}

TEST(ParseRenderOptions, HelpAndVersionNeedNothingElse) {
  const auto help = Parse({"--help"});
  ASSERT_TRUE(help.options);
  EXPECT_TRUE(help.options->help);
  const auto version = Parse({"--version"});
  ASSERT_TRUE(version.options);
  EXPECT_TRUE(version.options->version);
  EXPECT_FALSE(version.options->help);
}

TEST(ParseRenderOptions, RenderingDefaultsLeaveEverySettingUnset) {
  const auto parsed = Parse({"-o", "frame.png"});
  ASSERT_TRUE(parsed.options) << parsed.error;
  const RenderOptions& o = *parsed.options;
  EXPECT_EQ(o.output, "frame.png");
  EXPECT_EQ(o.format, PictureFormat::Png);
  EXPECT_FALSE(o.scale || o.nightDarkness || o.mapPath || o.baseSize || o.time);
  EXPECT_FALSE(o.noSun || o.noMoon || o.sunCentered || o.storedSettings || o.positions);
}

TEST(ParseRenderOptions, EveryRenderingOption) {
  const auto parsed =
      Parse({"--time", "946728000", "--scale", "100", "--night-filter", "1", "--no-sun",
             "--no-moon", "--sun-centered", "--map", "my map.bmp", "--base-size", "800x400",
             "--settings", "--no-pin-names", "-o", "OUT.BMP"});
  ASSERT_TRUE(parsed.options) << parsed.error;
  const RenderOptions& o = *parsed.options;
  EXPECT_EQ(o.time, 946728000);
  EXPECT_EQ(o.scale, 100);
  EXPECT_EQ(o.nightDarkness, 1);
  EXPECT_TRUE(o.noSun && o.noMoon && o.sunCentered && o.storedSettings && o.noPinNames);
  EXPECT_EQ(o.mapPath, "my map.bmp");
  ASSERT_TRUE(o.baseSize);
  EXPECT_EQ(o.baseSize->width, 800u);
  EXPECT_EQ(o.baseSize->height, 400u);
  EXPECT_EQ(o.format, PictureFormat::Bmp);
}

TEST(ParseRenderOptions, PictureSizeTwilightNightMapAndSeries) {
  const auto parsed =
      Parse({"--size", "3840x2160", "--fit", "crop", "--background", "#1a2B3c", "--twilight",
             "--night-map", "lights.jpg", "--frames", "288", "--step", "-300", "-o", "d-%04d.jpg"});
  ASSERT_TRUE(parsed.options) << parsed.error;
  const RenderOptions& o = *parsed.options;
  ASSERT_TRUE(o.size);
  EXPECT_EQ(o.size->width, 3840);
  EXPECT_EQ(o.size->height, 2160);
  EXPECT_EQ(o.fit, MapFit::Crop);
  EXPECT_EQ(o.background, 0x1A2B3Cu);
  EXPECT_TRUE(o.twilight);
  EXPECT_EQ(o.nightMapPath, "lights.jpg");
  EXPECT_EQ(o.frames, 288);
  EXPECT_EQ(o.step, -300);
  EXPECT_EQ(o.format, PictureFormat::Jpeg);

  const auto defaults = Parse({"--size", "1x16384", "-o", "a.png"});
  ASSERT_TRUE(defaults.options) << defaults.error;
  EXPECT_EQ(defaults.options->fit, MapFit::Pad);
  EXPECT_EQ(defaults.options->background, 0u);
  EXPECT_FALSE(defaults.options->frames);
}

TEST(ParseRenderOptions, BadCommandLinesAreRefusedNamingTheProblem) {
  struct Case {
    std::vector<std::string_view> arguments;
    std::string_view problem;
  };
  std::vector<Case> cases = {
      {{"--positions", "--time"}, "--time needs a value"},
      {{"--positions", "--time", "12x"}, "'12x'"},
      {{"--positions", "--time", "9223372036854775808"}, "64-bit"},
      {{"--positions", "--time", ""}, "''"},
      {{"--time", " 5", "--positions"}, ""},
      {{"--positions", "--frobnicate"}, "unknown option '--frobnicate'"},
      {{}, "missing -o FILE"},
      {{"--size", "0x10", "-o", "a.png"}, "from 1 to 16384"},
      {{"--size", "16385x10", "-o", "a.png"}, "from 1 to 16384"},
      {{"--size", "800", "-o", "a.png"}, "--size: '800'"},
      {{"--size", "80x40", "--fit", "zoom", "-o", "a.png"}, "pad, crop or stretch"},
      {{"--size", "80x40", "--background", "fff", "-o", "a.png"}, "six hexadecimal"},
      {{"--size", "80x40", "--background", "00000g", "-o", "a.png"}, "six hexadecimal"},
      {{"--fit", "crop", "-o", "a.png"}, "need --size"},
      {{"--background", "000000", "-o", "a.png"}, "need --size"},
      {{"--size", "80x40", "--scale", "50", "-o", "a.png"}, "leave out --scale"},
      {{"--size", "80x40", "--base-size", "80x40", "-o", "a.png"}, "leave out --scale"},
      {{"-o", "a.png", "--night-map"}, "--night-map needs"},
      {{"--frames", "0", "--step", "60", "-o", "a%d.png"}, "from 1 to 1000000"},
      {{"--frames", "5", "--step", "0", "-o", "a%d.png"}, "other than 0"},
      {{"--frames", "5", "--step", "99999999999999999999", "-o", "a%d.png"}, "out of range"},
      {{"--frames", "5", "--step", "-99999999999999999999", "-o", "a%d.png"}, "out of range"},
      {{"--frames", "5", "-o", "a%d.png"}, "go together"},
      {{"--step", "60", "-o", "a%d.png"}, "go together"},
      {{"--frames", "5", "--step", "60", "-o", "-"}, "file name pattern"},
      {{"--frames", "5", "--step", "60", "-o", "a.png"}, "exactly one %d"},
      {{"--frames", "5", "--step", "60", "-o", "a%d%d.png"}, "exactly one %d"},
      {{"--frames", "5", "--step", "60", "-o", "a%s.png"}, "only %d or %0Nd"},
      {{"--frames", "5", "--step", "60", "-o", "a%10d.png"}, "only %d or %0Nd"},
      {{"-o", "a.png", "--scale"}, "needs a value"},
      {{"-o", "a.png", "--map"}, "--map needs a picture file"},
      {{"-o", "a.gif"}, "does not end in .png, .bmp, .jpg or .jpeg"},
      {{"--quality", "50", "-o", "a.png"}, "JPEG output only"},
      {{"-o"}, "-o needs a file name"},
      {{"--scale", "40"}, "missing -o"},
      {{"--positions", "-o", "a.png"}, "--positions takes only --time"},
      {{"--place"}, "--place needs a value LAT,LON"},
      {{"--place", "1,2", "-o", "a.png"}, "--place takes only --time and --precise"},
      {{"--place", "1,2", "--positions"}, "--place takes only"},
      {{"--find"}, "--find needs a name"},
      {{"--pin", "91,0", "-o", "a.png"}, "--pin needs LAT,LON or LAT,LON,LABEL"},
      {{"--find", ""}, "--find needs a name"},
      {{"--find", "x", "--time", "0"}, "--find takes no other option"},
  };
  for (const char* bad : {"91,0", "-90.5,0", "0,180.01", "1", "1,", ",2", "1,2,3", "1 ,2", "1e1,2",
                          "nan,0", "0,inf", "0x1,2", "1;2"}) {
    cases.push_back({{"--place", bad}, "is not LAT,LON"});
  }
  for (const char* bad : {"0", "101", "-5", "30.5", "abc", ""}) {
    cases.push_back({{"--scale", bad, "-o", "a.png"}, "from 1 to 100"});
    cases.push_back({{"--night-filter", bad, "-o", "a.png"}, "--night-filter"});
  }
  for (const char* bad : {"0x5", "5x", "x5", "800", "800X400", "-8x4", "2147483648x1"}) {
    cases.push_back({{"--base-size", bad, "-o", "a.png"}, "--base-size"});
  }
  for (const char* bad : {"0", "101", "high", ""}) {
    cases.push_back({{"--quality", bad, "-o", "a.jpg"}, "--quality"});
  }
  for (const Case& c : cases) {
    const auto parsed = Parse(c.arguments);
    EXPECT_FALSE(parsed.options) << c.problem;
    EXPECT_NE(parsed.error.find(c.problem), std::string::npos) << parsed.error;
  }
  EXPECT_TRUE(Parse({"--positions", "--precise"}).options);
}

TEST(FrameName, NumbersTheFramePrintfStyle) {
  EXPECT_EQ(FrameName("day-%03d.png", 7), "day-007.png");
  EXPECT_EQ(FrameName("day-%03d.png", 1234), "day-1234.png");
  EXPECT_EQ(FrameName("%d.jpg", 0), "0.jpg");
  EXPECT_EQ(FrameName("100%%-%d.bmp", 12), "100%-12.bmp");
  EXPECT_EQ(CheckFrameNamePattern("100%%-%09d.bmp"), std::nullopt);
}

TEST(ParseRenderOptions, OutputFormatFollowsTheName) {
  EXPECT_EQ(FormatForOutput("-"), PictureFormat::Png);
  EXPECT_EQ(FormatForOutput("a.PNG"), PictureFormat::Png);
  EXPECT_EQ(FormatForOutput("dir.bmp/a.Bmp"), PictureFormat::Bmp);
  EXPECT_EQ(FormatForOutput("a.jpg"), PictureFormat::Jpeg);
  EXPECT_EQ(FormatForOutput("a.JPEG"), PictureFormat::Jpeg);
  EXPECT_FALSE(FormatForOutput("a.gif"));
  EXPECT_FALSE(FormatForOutput("png"));
  EXPECT_FALSE(FormatForOutput(""));
}

}  // namespace
}  // namespace lumivane
