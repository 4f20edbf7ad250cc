#include "render_frame.h"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "fakes/fake_profile_store.h"
#include "fakes/fake_settings_ports.h"
#include "render/image_ops.h"
#include "settings/clock_settings.h"

namespace lumivane {
namespace {

constexpr UnixTime kNoon2000 = 946728000;

class RenderFrameTest : public testing::Test {
 protected:
  RenderedFrame Render(std::vector<std::string_view> arguments,
                       std::optional<EarthMap> givenMap = std::nullopt) {
    arguments.push_back("-o");
    arguments.push_back("-");
    const ParsedRenderOptions parsed = ParseRenderOptions(arguments);
    EXPECT_TRUE(parsed.options) << parsed.error;
    return RenderFrame(*parsed.options, RenderSources{builtins, loader, &stored},
                       std::move(givenMap), kNoon2000);
  }

  static std::string SizeOf(const RenderedFrame& rendered) {
    if (!rendered.frame) return "failed: " + rendered.error;
    return std::to_string(rendered.frame->width()) + "x" + std::to_string(rendered.frame->height());
  }

  bool StoreWasWritten() const { return !stored.Calls({"Write"}).empty(); }

  FakeBuiltinImages builtins;
  FakeMapImageLoader loader;
  FakeProfileStore stored;
};

TEST_F(RenderFrameTest, DefaultsAreTheWindowsFirstFrame) {
  const RenderedFrame rendered = Render({});
  ASSERT_EQ(SizeOf(rendered), "400x200");

  // The same frame as the window paints with default settings.
  const Image map = builtins.Load(BuiltinImage::EarthMap);
  ClockSettings settings;
  settings.displayWidth = 400;
  settings.displayHeight = 200;
  EXPECT_EQ(*rendered.frame, ComposeFrame(FrameOptionsFor(settings, 400), EarthMapView{map, 400, 200},
                                          LoadMarkerImages(builtins), kNoon2000));
  EXPECT_TRUE(stored.log.empty());  // stored settings only with --settings
}

TEST_F(RenderFrameTest, SizeFollowsScaleMapAndBaseSize) {
  EXPECT_EQ(SizeOf(Render({"--scale", "100"})), "1333x666");
  EXPECT_EQ(SizeOf(Render({"--scale", "1"})), "13x6");
  EXPECT_EQ(SizeOf(Render({"--base-size", "800x400"})), "800x400");
  EXPECT_EQ(SizeOf(Render({"--base-size", "11x3", "--scale", "1"})), "1x1");
  const EarthMap big{Image(1024, 512, 0x102030), 1024, 512};
  EXPECT_EQ(SizeOf(Render({}, big)), "1024x512");
  EXPECT_EQ(SizeOf(Render({"--scale", "15"}, big)), "512x256");
  EXPECT_EQ(SizeOf(Render({"--base-size", "600x300"}, big)), "600x300");
}

// The built-in map is 400 x 200: at --scale 60 the window shows it 800 x 400,
// and --size draws the markers as the window does for that map height.
TEST_F(RenderFrameTest, SizedFramesAreTheWindowsFramePaddedOrCropped) {
  const Image window = *Render({"--scale", "60"}).frame;
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
    const RenderedFrame rendered = Render(c.arguments);
    ASSERT_TRUE(rendered.frame) << rendered.error;
    Image expected(c.width, c.height, 0x102030);
    CopyBlit(expected, c.mapX, c.mapY, window, PixelRect{0, 0, 800, 400});
    EXPECT_EQ(*rendered.frame, expected) << c.width << "x" << c.height << " at " << c.mapX;
  }
}

TEST_F(RenderFrameTest, NightMapAndTwilightReachTheFrame) {
  const Image plain = *Render({}).frame;
  EXPECT_NE(*Render({"--twilight"}).frame, plain);
  const RenderedFrame lit = RenderFrame(*ParseRenderOptions(std::vector<std::string_view>{
                                            "-o", "-"}).options,
                                        RenderSources{builtins, loader, &stored},
                                        std::nullopt, kNoon2000, Image(40, 20, 0xFFFFFF));
  ASSERT_TRUE(lit.frame);
  EXPECT_NE(*lit.frame, plain);
  // Noon at Greenwich: the sub-solar pixel keeps its day colour.
  EXPECT_EQ(lit.frame->at(200, 150), plain.at(200, 150));
}

TEST_F(RenderFrameTest, BaseSizeTooLargeIsAUsageError) {
  const RenderedFrame rendered = Render({"--base-size", "20000x100"});
  EXPECT_FALSE(rendered.frame);
  EXPECT_EQ(rendered.exitCode, 2);
  EXPECT_NE(rendered.error.find("larger than 16384 pixels a side"), std::string::npos);
  EXPECT_EQ(Render({"--base-size", "9000x9000"}).exitCode, 2);  // 81 megapixels at scale 30
}

TEST_F(RenderFrameTest, StoredSettingsUnderCommandLineOverridesAndNeverWritten) {
  stored.Set("size", "scale", 15);
  stored.Set("size", "w", 800);
  stored.Set("colors", "nightfilter", 250);  // clamped on reading, as the program does
  stored.Set("options", "sun", 0);
  EXPECT_EQ(SizeOf(Render({"--settings"})), "400x100");
  EXPECT_EQ(SizeOf(Render({"--settings", "--scale", "60"})), "1600x400");
  EXPECT_EQ(SizeOf(Render({"--settings", "--base-size", "400x200"})), "200x100");
  EXPECT_FALSE(StoreWasWritten());
}

TEST_F(RenderFrameTest, StoredMapThatCannotBeLoadedFallsBackWithTheMessage) {
  stored.Set("options", "image", "/maps/gone.bmp");
  const RenderedFrame rendered = Render({"--settings"});
  EXPECT_EQ(SizeOf(rendered), "400x200");
  EXPECT_EQ(rendered.notice, "Unable to load:\n/maps/gone.bmp\nUsing default image.");
  EXPECT_FALSE(StoreWasWritten());  // the user's setting is left as it was
  EXPECT_EQ(stored.StringValue("options", "image"), "/maps/gone.bmp");

  loader.files["/maps/wide.bmp"] = Image(600, 200, 0x405060);
  stored.Set("options", "image", "/maps/wide.bmp");
  EXPECT_EQ(SizeOf(Render({"--settings"})), "600x200");
}

}  // namespace
}  // namespace lumivane
