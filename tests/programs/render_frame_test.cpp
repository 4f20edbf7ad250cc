#include "render_frame.h"
#include "render/sky_for.h"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "fakes/fake_profile_store.h"
#include "fakes/fake_settings_ports.h"
#include "render/image_ops.h"
#include "render/map_pins.h"
#include "settings/clock_settings.h"

namespace lumivane {
namespace {

constexpr UnixTime kNoon2000 = 946728000;

class RenderFrameTest : public testing::Test {
 protected:
  PlannedFrames Plan(std::vector<std::string_view> arguments,
                     std::optional<EarthMap> givenMap = std::nullopt,
                     std::optional<Image> nightMap = std::nullopt) {
    arguments.push_back("-o");
    arguments.push_back("-");
    const ParsedRenderOptions parsed = ParseRenderOptions(arguments);
    EXPECT_TRUE(parsed.options) << parsed.error;
    return PlanFrames(*parsed.options, RenderSources{builtins, loader, &stored},
                      std::move(givenMap), std::move(nightMap));
  }

  // The frame a run with these arguments makes at noon, 2000-01-01.
  Image Render(std::vector<std::string_view> arguments,
               std::optional<Image> nightMap = std::nullopt) {
    const PlannedFrames planned = Plan(std::move(arguments), std::nullopt, std::move(nightMap));
    EXPECT_TRUE(planned.plan) << planned.error;
    if (!planned.plan) return Image();
    const FramePlan& plan = *planned.plan;
    return FinishFrame(plan.frame, PlainMap(plan.frame, plan.MapView()), plan.markers,
                       SkyFor(plan.frame.precise, kNoon2000),
                       plan.nightLights ? &*plan.nightLights : nullptr);
  }

  static std::string SizeOf(const PlannedFrames& planned) {
    if (!planned.plan) return "failed: " + planned.error;
    return std::to_string(planned.plan->frame.width) + "x" +
           std::to_string(planned.plan->frame.height);
  }

  bool StoreWasWritten() const { return !stored.Calls({"Write"}).empty(); }

  FakeBuiltinImages builtins;
  FakeMapImageLoader loader;
  FakeProfileStore stored;
};

TEST_F(RenderFrameTest, DefaultsAreTheWindowsFirstFrame) {
  // The same frame as the window paints with default settings.
  const Image map = builtins.Load(BuiltinImage::EarthMap);
  ClockSettings settings;
  settings.displayWidth = 400;
  settings.displayHeight = 200;
  EXPECT_EQ(Render({}), ComposeFrame(FrameOptionsFor(settings, 400), EarthMapView{map, 400, 200},
                                     LoadMarkerImages(builtins), kNoon2000));
  EXPECT_TRUE(stored.log.empty());  // stored settings only with --settings
}

TEST_F(RenderFrameTest, SizeFollowsScaleMapAndBaseSize) {
  EXPECT_EQ(SizeOf(Plan({"--scale", "100"})), "1333x666");
  EXPECT_EQ(SizeOf(Plan({"--scale", "1"})), "13x6");
  EXPECT_EQ(SizeOf(Plan({"--base-size", "800x400"})), "800x400");
  EXPECT_EQ(SizeOf(Plan({"--base-size", "11x3", "--scale", "1"})), "1x1");
  const EarthMap big{Image(1024, 512, 0x102030), 1024, 512};
  EXPECT_EQ(SizeOf(Plan({}, big)), "1024x512");
  EXPECT_EQ(SizeOf(Plan({"--scale", "15"}, big)), "512x256");
  EXPECT_EQ(SizeOf(Plan({"--base-size", "600x300"}, big)), "600x300");
}

// The built-in map is 400 x 200: at --scale 60 the window shows it 800 x 400,
// and --size draws the markers as the window does for that map height.
TEST_F(RenderFrameTest, SizedFramesAreTheWindowsFramePaddedOrCropped) {
  const Image window = Render({"--scale", "60"});
  const struct {
    std::vector<std::string_view> arguments;
    std::int32_t width, height, mapX, mapY;
  } cases[] = {
      {{"--size", "800x400", "--fit", "stretch"}, 800, 400, 0, 0},
      {{"--size", "800x400"}, 800, 400, 0, 0},
      {{"--size", "1000x400", "--background", "102030"}, 1000, 400, 100, 0},
      {{"--size", "800x700", "--fit", "pad", "--background", "102030"}, 800, 700, 0, 150},
      {{"--size", "600x400", "--fit", "crop"}, 600, 400, -100, 0},
      {{"--size", "800x300", "--fit", "crop"}, 800, 300, 0, -50},
  };
  for (const auto& c : cases) {
    Image expected(c.width, c.height, 0x102030);
    CopyBlit(expected, c.mapX, c.mapY, window, PixelRect{0, 0, 800, 400});
    EXPECT_EQ(Render(c.arguments), expected) << c.width << "x" << c.height << " at " << c.mapX;
  }
}

TEST_F(RenderFrameTest, NightMapAndTwilightReachTheFrame) {
  const Image plain = Render({});
  EXPECT_NE(Render({"--twilight"}), plain);
  const Image lit = Render({}, Image(40, 20, 0xFFFFFF));
  EXPECT_NE(lit, plain);
  // Noon at Greenwich: the sub-solar pixel keeps its day colour.
  EXPECT_EQ(lit.at(200, 150), plain.at(200, 150));
}

TEST_F(RenderFrameTest, BaseSizeTooLargeIsAUsageError) {
  const PlannedFrames planned = Plan({"--base-size", "20000x100"});
  EXPECT_FALSE(planned.plan);
  EXPECT_EQ(planned.exitCode, 2);
  EXPECT_NE(planned.error.find("larger than 16384 pixels a side"), std::string::npos);
  EXPECT_EQ(Plan({"--base-size", "9000x9000"}).exitCode, 2);  // 81 megapixels at scale 30
}

TEST_F(RenderFrameTest, StoredSettingsUnderCommandLineOverridesAndNeverWritten) {
  stored.Set("size", "scale", 15);
  stored.Set("size", "w", 800);
  stored.Set("colors", "nightfilter", 250);  // clamped on reading, as the program does
  stored.Set("options", "sun", 0);
  EXPECT_EQ(SizeOf(Plan({"--settings"})), "400x100");
  EXPECT_EQ(SizeOf(Plan({"--settings", "--scale", "60"})), "1600x400");
  EXPECT_EQ(SizeOf(Plan({"--settings", "--base-size", "400x200"})), "200x100");
  EXPECT_FALSE(StoreWasWritten());
}

TEST_F(RenderFrameTest, PinsFromTheCommandLineAreAddedToTheStoredOnes) {
  stored.Set("places", "pins", "10,20,Stored;not a pin");
  const auto pins = [this](std::vector<std::string_view> arguments) {
    const PlannedFrames planned = Plan(std::move(arguments));
    return planned.plan ? planned.plan->frame.pins : std::vector<MapPin>{};
  };
  const MapPin given{-33.87, 151.21, "Sydney"};
  EXPECT_EQ(pins({"--settings"}), std::vector<MapPin>{(MapPin{10, 20, "Stored"})});
  EXPECT_EQ(pins({"--settings", "--pin", "-33.87,151.21,Sydney", "--pin", "0,0"}),
            (std::vector<MapPin>{{10, 20, "Stored"}, given, {0, 0, ""}}));
  EXPECT_EQ(pins({"--pin", "-33.87,151.21,Sydney"}), std::vector<MapPin>{given});
  EXPECT_NE(Render({"--pin", "0,0"}), Render({}));
  EXPECT_FALSE(StoreWasWritten());
}

// The fake font's glyphs are solid blocks: a name shows as light pixels
// right of the dot, centred on its row. At 10 N, 20 E (pixel 222, 88) the
// dot's middle is columns 221 to 223 of rows 87 to 89, the first glyph
// columns 226 to 231 of rows 82 to 94, in an outline.
TEST_F(RenderFrameTest, PinNamesBesideTheDotUnlessTurnedOff) {
  const Image named = Render({"--pin", "10,20,Name"});
  EXPECT_EQ(named.at(222, 88), kPinMiddle);
  EXPECT_EQ(named.at(226, 88), kPinMiddle);
  EXPECT_EQ(named.at(231, 82), kPinMiddle);
  EXPECT_EQ(named.at(225, 88), kPinOutline);
  EXPECT_EQ(named.at(226, 95), kPinOutline);
  const Image dotOnly = Render({"--pin", "10,20"});
  EXPECT_NE(dotOnly.at(226, 88), kPinMiddle);
  EXPECT_EQ(Render({"--pin", "10,20,Name", "--no-pin-names"}), dotOnly);
  stored.Set("places", "names", 0);
  EXPECT_EQ(Render({"--settings", "--pin", "10,20,Name"}), dotOnly);
  stored.Set("places", "names", 1);
  EXPECT_EQ(Render({"--settings", "--pin", "10,20,Name"}), named);
}

TEST_F(RenderFrameTest, StoredMapThatCannotBeLoadedFallsBackWithTheMessage) {
  stored.Set("options", "image", "/maps/gone.bmp");
  const PlannedFrames planned = Plan({"--settings"});
  EXPECT_EQ(SizeOf(planned), "400x200");
  EXPECT_EQ(planned.notice, "Unable to load:\n/maps/gone.bmp\nUsing default image.");
  EXPECT_FALSE(StoreWasWritten());  // the user's setting is left as it was
  EXPECT_EQ(stored.StringValue("options", "image"), "/maps/gone.bmp");

  loader.files["/maps/wide.bmp"] = Image(600, 200, 0x405060);
  stored.Set("options", "image", "/maps/wide.bmp");
  EXPECT_EQ(SizeOf(Plan({"--settings"})), "600x200");
}

}  // namespace
}  // namespace lumivane
