#include "render/pin_names.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "render/compose_frame.h"
#include "render/frame_test_pictures.h"

namespace lumivane {
namespace {

constexpr Pixel kPaper = MakePixel(255, 255, 255);
constexpr Pixel kGrey = MakePixel(128, 128, 128);

// A font picture whose 'A' (cell 33: x 6, y 26) is a bar of three pixels on
// the cell's row 6, columns 1 to 3, and whose '?' (cell 31: x 90, y 13) is
// the single pixel at column 2 of row 6. Every other cell is blank.
Image BarFont() {
  Image font(96, 975, kPaper);
  for (std::int32_t x = 7; x <= 9; ++x) font.at(x, 32) = 0;
  font.at(92, 19) = 0;
  return font;
}

// The picture's pixels in columns [x, x + width) of rows [y, y + height):
// '#' the light middle, 'o' the dark outline, '.' anything else.
std::vector<std::string> Window(const Image& picture, std::int32_t x, std::int32_t y,
                                std::int32_t width, std::int32_t height) {
  std::vector<std::string> rows;
  for (std::int32_t row = y; row < y + height; ++row) {
    std::string text;
    for (std::int32_t column = x; column < x + width; ++column) {
      const Pixel p = picture.at(column, row);
      text += p == kPinMiddle ? '#' : p == kPinOutline ? 'o' : '.';
    }
    rows.push_back(text);
  }
  return rows;
}

// Worked by hand on a 40 x 30 map: the pin's pixel is column trunc((180 +
// east) / 360 x 40), row trunc((90 - north) / 180 x 30); a dot of 3 covers
// columns x - 1 to x + 1, the name's cells start at x + 3 (past the dot and
// one blank column) and its glyph row 6 lies on the pin's row.
TEST(PinNames, GlyphsInTheirOutlineRightOfTheDot) {
  const Image font = BarFont();
  const PixelRect area{0, 0, 40, 30};
  Image picture(40, 30, kGrey);
  // At 0,0: pixel (20, 15); 'A' from column 23, its bar at 24 to 26.
  DrawPinNames(picture, area, {MapPin{0, 0, "A"}}, 3, font);
  EXPECT_EQ(Window(picture, 18, 13, 12, 5), (std::vector<std::string>{
                                                "............",
                                                ".....ooooo..",
                                                ".....o###o..",
                                                ".....ooooo..",
                                                "............",
                                            }));

  // At 0,154 E: pixel (37, 15), the name from column 40, that is 0: round
  // the right edge to the left one.
  picture = Image(40, 30, kGrey);
  DrawPinNames(picture, area, {MapPin{0, 154, "A"}}, 3, font);
  EXPECT_EQ(Window(picture, 0, 14, 40, 3), (std::vector<std::string>{
                                               "ooooo...................................",
                                               "o###o...................................",
                                               "ooooo...................................",
                                           }));

  // The map 4 rows down a taller picture; at 89 N the pin's row is the map's
  // first: the outline above it is cut.
  picture = Image(40, 40, kGrey);
  DrawPinNames(picture, PixelRect{0, 4, 40, 30}, {MapPin{89, 0, "A"}}, 3, font);
  EXPECT_EQ(Window(picture, 18, 2, 12, 5), (std::vector<std::string>{
                                               "............",
                                               "............",
                                               ".....o###o..",
                                               ".....ooooo..",
                                               "............",
                                           }));
}

TEST(PinNames, UnknownAndBrokenCharactersDrawTheQuestionMark) {
  const Image font = BarFont();
  const PixelRect area{0, 0, 40, 30};
  // Cells of 6 from column 23: 'A', then a lone continuation byte, then a
  // CJK character the font lacks.
  Image picture(40, 30, kGrey);
  DrawPinNames(picture, area, {MapPin{0, 0, "A\x80\xE6\x9D\xB1"}}, 3, font);
  EXPECT_EQ(Window(picture, 22, 14, 18, 3), (std::vector<std::string>{
                                                ".ooooo..ooo...ooo.",
                                                ".o###o..o#o...o#o.",
                                                ".ooooo..ooo...ooo.",
                                            }));
  EXPECT_EQ(CodePoints("a\xFF\xC3\xA9\xE2\x82", 10), U"a\uFFFD\u00E9\uFFFD\uFFFD");
  EXPECT_EQ(CodePoints("\xE0\x80\xAF\xED\xA0\x80\xF4\x90\x80\x80", 10),
            std::u32string(10, U'\uFFFD'));  // overlong, a surrogate, past U+10FFFF
  EXPECT_EQ(CodePoints(std::string(40, 'x'), kMaxPinNameLength).size(), 32u);
}

TEST(PinNames, NothingWithoutANameOrWithAFontOfAnotherSize) {
  const PixelRect area{0, 0, 40, 30};
  const Image untouched(40, 30, kGrey);
  Image picture = untouched;
  DrawPinNames(picture, area, {MapPin{0, 0, ""}}, 3, BarFont());
  DrawPinNames(picture, area, {MapPin{0, 0, "A"}}, 3, Image(96, 974, kPaper));
  // A map too narrow for one glyph beside the dot.
  DrawPinNames(picture, PixelRect{0, 0, 10, 30}, {MapPin{0, 0, "A"}}, 3, BarFont());
  EXPECT_EQ(picture, untouched);
}

// Names are drawn once every row they cover is shaded: this one, on the
// night side, reaches the step of rows below its dot's. Its two solid
// glyphs are 12 x 13 light pixels, the dot's middle 3 x 3.
TEST(PinNames, FramesDrawNamesWhenChosen) {
  const Image map = CoordinateMap(400, 200);
  const EarthMapView view{map, 400, 200};
  MarkerImages markers = SquareMarkers();
  markers.pinFont = Image(96, 975, 0);
  FrameOptions options = MarkedFrameOptions(30, 400, 200);
  options.showSun = options.showMoon = false;
  // Row trunc(52.65 / 180 x 200) = 58: the dot in rows 56 to 60, the glyphs
  // in 52 to 64; 02:00 local time.
  options.pins = {MapPin{37.35, -150, "AB"}};
  const auto lightPixels = [&](const FrameOptions& o) {
    const Image frame = ComposeFrame(o, view, markers, kNoon2000);
    std::int32_t count = 0;
    for (const Pixel p : frame.pixels()) count += p == kPinMiddle;
    return count;
  };
  EXPECT_EQ(lightPixels(options), 12 * 13 + 9);
  options.pinNames = false;
  EXPECT_EQ(lightPixels(options), 9);
}

}  // namespace
}  // namespace lumivane
