#include "render_options.h"

#include <limits>
#include <utility>
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

TEST(ParseRenderOptions, BadInputNamesTheProblem) {
  EXPECT_NE(Parse({"--positions", "--time"}).error.find("--time needs a value"), std::string::npos);
  EXPECT_NE(Parse({"--positions", "--time", "12x"}).error.find("'12x'"), std::string::npos);
  EXPECT_NE(Parse({"--positions", "--time", "9223372036854775808"}).error.find("64-bit"),
            std::string::npos);
  EXPECT_NE(Parse({"--positions", "--time", ""}).error.find("''"), std::string::npos);
  EXPECT_NE(Parse({"--positions", "--frobnicate"}).error.find("unknown option '--frobnicate'"),
            std::string::npos);
  EXPECT_NE(Parse({}).error.find("missing -o FILE"), std::string::npos);
  EXPECT_FALSE(Parse({"--time", " 5", "--positions"}).options);
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
  EXPECT_FALSE(o.scale || o.nightFilter || o.mapPath || o.baseSize || o.time);
  EXPECT_FALSE(o.noSun || o.noMoon || o.sunCentered || o.storedSettings || o.positions);
}

TEST(ParseRenderOptions, EveryRenderingOption) {
  const auto parsed = Parse({"--time", "946728000", "--scale", "100", "--night-filter", "1",
                             "--no-sun", "--no-moon", "--sun-centered", "--map", "my map.bmp",
                             "--base-size", "800x400", "--settings", "-o", "OUT.BMP"});
  ASSERT_TRUE(parsed.options) << parsed.error;
  const RenderOptions& o = *parsed.options;
  EXPECT_EQ(o.time, 946728000);
  EXPECT_EQ(o.scale, 100);
  EXPECT_EQ(o.nightFilter, 1);
  EXPECT_TRUE(o.noSun && o.noMoon && o.sunCentered && o.storedSettings);
  EXPECT_EQ(o.mapPath, "my map.bmp");
  ASSERT_TRUE(o.baseSize);
  EXPECT_EQ(o.baseSize->width, 800u);
  EXPECT_EQ(o.baseSize->height, 400u);
  EXPECT_EQ(o.format, PictureFormat::Bmp);
}

TEST(ParseRenderOptions, OutputFormatFollowsTheName) {
  EXPECT_EQ(FormatForOutput("-"), PictureFormat::Png);
  EXPECT_EQ(FormatForOutput("a.PNG"), PictureFormat::Png);
  EXPECT_EQ(FormatForOutput("dir.bmp/a.Bmp"), PictureFormat::Bmp);
  EXPECT_FALSE(FormatForOutput("a.jpg"));
  EXPECT_FALSE(FormatForOutput("png"));
  EXPECT_FALSE(FormatForOutput(""));
}

TEST(ParseRenderOptions, BadRenderingOptionsAreRefused) {
  const auto error = [](std::vector<std::string_view> arguments) {
    const auto parsed = Parse(std::move(arguments));
    EXPECT_FALSE(parsed.options);
    return parsed.error;
  };
  for (const char* bad : {"0", "101", "-5", "30.5", "abc", ""}) {
    EXPECT_NE(error({"--scale", bad, "-o", "a.png"}).find("from 1 to 100"), std::string::npos);
    EXPECT_NE(error({"--night-filter", bad, "-o", "a.png"}).find("--night-filter"),
              std::string::npos);
  }
  EXPECT_NE(error({"-o", "a.png", "--scale"}).find("needs a value"), std::string::npos);
  for (const char* bad : {"0x5", "5x", "x5", "800", "800X400", "-8x4", "2147483648x1"}) {
    EXPECT_NE(error({"--base-size", bad, "-o", "a.png"}).find("--base-size"), std::string::npos)
        << bad;
  }
  EXPECT_NE(error({"-o", "a.png", "--map"}).find("--map needs a picture file"), std::string::npos);
  EXPECT_NE(error({"-o", "a.gif"}).find("does not end in .png or .bmp"), std::string::npos);
  EXPECT_NE(error({"-o"}).find("-o needs a file name"), std::string::npos);
  EXPECT_NE(error({"--scale", "40"}).find("missing -o"), std::string::npos);
  EXPECT_NE(error({"--positions", "-o", "a.png"}).find("--positions takes only --time"),
            std::string::npos);
}

}  // namespace
}  // namespace lumivane
