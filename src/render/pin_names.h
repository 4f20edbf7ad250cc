#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/image.h"
#include "render/image_ops.h"
#include "render/map_pins.h"

namespace lumivane {

// The font the pins' names are drawn in, a picture of kGlyphWidth x
// kGlyphHeight cells, kGlyphsPerRow to a row, ink pure black on white. The
// cells follow the code points of a fixed list of ranges: ASCII, Latin-1,
// Latin Extended-A and -B, Greek, Cyrillic, Latin Extended Additional, and
// U+2010 to U+201F (dashes and quotation marks); tools/gen/pin_font.py writes
// them in that order.
inline constexpr std::int32_t kGlyphWidth = 6;
inline constexpr std::int32_t kGlyphHeight = 13;
inline constexpr std::int32_t kGlyphsPerRow = 16;
inline constexpr std::int32_t kGlyphCount = 1199;
inline constexpr std::int32_t kPinFontWidth = kGlyphsPerRow * kGlyphWidth;
inline constexpr std::int32_t kPinFontHeight =
    (kGlyphCount + kGlyphsPerRow - 1) / kGlyphsPerRow * kGlyphHeight;

// The cell that draws the code point: its place in the ranges, or the cell
// of '?' for a code point outside them.
std::int32_t GlyphIndex(char32_t codePoint);

// The first maxCount code points of UTF-8 text. A byte that does not start a
// well-formed sequence (overlong forms, surrogates and values past U+10FFFF
// are not) gives U+FFFD and the decoding goes on at the next byte.
std::u32string CodePoints(std::string_view utf8, std::size_t maxCount);

// A name draws at most this many characters, however long the stored text.
inline constexpr std::size_t kMaxPinNameLength = 32;

// The rows [top, end) a pin's name covers, outline included: its glyphs'
// rows centred on the pin's row.
RowSpan PinNameRows(const PixelRect& area, const MapPin& pin);

// Each named pin's name, left to right from one pixel past the right edge of
// its size x size dot: light glyphs in a dark one-pixel outline, in the
// pin's colours. Wrapped round the map's left and right edges and cut at its
// top and bottom and at the picture's edges like the dots; a name stops
// before it would reach round the map to its own dot. A font picture of
// another size draws nothing.
void DrawPinNames(Image& picture, const PixelRect& area, const std::vector<MapPin>& pins,
                  std::int32_t size, const Image& font);

}  // namespace lumivane
