#include "render/pin_names.h"

#include <algorithm>

#include "text/utf8_sequence.h"

namespace lumivane {

namespace {

// The font's code point ranges, inclusive, in the order of its cells.
struct GlyphRange {
  char32_t first;
  char32_t last;
};
constexpr GlyphRange kGlyphRanges[] = {
    {0x0020, 0x007E}, {0x00A0, 0x024F}, {0x0370, 0x03FF},
    {0x0400, 0x04FF}, {0x1E00, 0x1EFF}, {0x2010, 0x201F},
};

constexpr char32_t kReplacement = 0xFFFD;
constexpr Pixel kInk = 0;
// Columns between a dot's right edge and its name's first cell.
constexpr std::int32_t kNameGap = 1;

// The well-formed sequence at text[at]: its code point and length in bytes;
// length 0 when there is none.
// Whether any of the eight pixels around (x, y) of a width x height mask is set.
bool BesideInk(const std::vector<std::uint8_t>& ink, std::int64_t width, std::int64_t height,
               std::int64_t x, std::int64_t y) {
  for (std::int64_t ny = std::max<std::int64_t>(y - 1, 0); ny <= std::min(y + 1, height - 1);
       ++ny) {
    for (std::int64_t nx = std::max<std::int64_t>(x - 1, 0); nx <= std::min(x + 1, width - 1);
         ++nx) {
      if (ink[static_cast<std::size_t>(ny * width + nx)]) return true;
    }
  }
  return false;
}

}  // namespace

std::int32_t GlyphIndex(char32_t codePoint) {
  std::int32_t index = 0;
  for (const GlyphRange& range : kGlyphRanges) {
    if (codePoint >= range.first && codePoint <= range.last) {
      return index + static_cast<std::int32_t>(codePoint - range.first);
    }
    index += static_cast<std::int32_t>(range.last - range.first + 1);
  }
  return GlyphIndex(U'?');
}

std::u32string CodePoints(std::string_view utf8, std::size_t maxCount) {
  std::u32string codePoints;
  for (std::size_t at = 0; at < utf8.size() && codePoints.size() < maxCount;) {
    const Utf8Sequence sequence = Utf8SequenceAt(utf8, at);
    codePoints.push_back(sequence.length > 0 ? sequence.codePoint : kReplacement);
    at += std::max<std::size_t>(sequence.length, 1);
  }
  return codePoints;
}

RowSpan PinNameRows(const PixelRect& area, const MapPin& pin) {
  const std::int64_t top = std::int64_t{PinPlace(area, pin).y} - kGlyphHeight / 2 - 1;
  return RowSpan{top, top + kGlyphHeight + 2};
}

void DrawPinNames(Image& picture, const PixelRect& area, const std::vector<MapPin>& pins,
                  std::int32_t size, const Image& font) {
  if (area.width <= 0 || area.height <= 0) return;
  if (font.width() != kPinFontWidth || font.height() != kPinFontHeight) return;
  const std::int64_t firstRow = std::max<std::int64_t>(area.y, 0);
  const std::int64_t endRow =
      std::min<std::int64_t>(std::int64_t{area.y} + area.height, picture.height());
  // The glyphs that fit between the dot's right edge and its left edge
  // round the map, the outline's columns included.
  const std::int64_t fitting =
      std::max<std::int64_t>(0, (std::int64_t{area.width} - size - kNameGap - 1) / kGlyphWidth);
  const auto maxGlyphs =
      static_cast<std::size_t>(std::min<std::int64_t>(fitting, kMaxPinNameLength));
  for (const MapPin& pin : pins) {
    const std::u32string text = CodePoints(pin.label, maxGlyphs);
    if (text.empty()) continue;
    // The name's ink with a margin of one pixel all round for the outline.
    const std::int64_t width = static_cast<std::int64_t>(text.size()) * kGlyphWidth + 2;
    const std::int64_t height = kGlyphHeight + 2;
    std::vector<std::uint8_t> ink(static_cast<std::size_t>(width * height));
    for (std::size_t i = 0; i < text.size(); ++i) {
      const std::int32_t glyph = GlyphIndex(text[i]);
      const std::int32_t fontX = glyph % kGlyphsPerRow * kGlyphWidth;
      const std::int32_t fontY = glyph / kGlyphsPerRow * kGlyphHeight;
      for (std::int32_t y = 0; y < kGlyphHeight; ++y) {
        for (std::int32_t x = 0; x < kGlyphWidth; ++x) {
          if ((font.at(fontX + x, fontY + y) & 0xFFFFFF) != kInk) continue;
          const std::int64_t maskX = 1 + static_cast<std::int64_t>(i) * kGlyphWidth + x;
          ink[static_cast<std::size_t>((y + 1) * width + maskX)] = 1;
        }
      }
    }
    const PinPixel centre = PinPlace(area, pin);
    const std::int64_t left = std::int64_t{centre.x} - size / 2 + size + kNameGap - 1;
    const std::int64_t top = PinNameRows(area, pin).top;
    for (std::int64_t y = 0; y < height; ++y) {
      const std::int64_t pictureY = top + y;
      if (pictureY < firstRow || pictureY >= endRow) continue;
      Pixel* row = picture.row(static_cast<std::int32_t>(pictureY));
      for (std::int64_t x = 0; x < width; ++x) {
        const bool lit = ink[static_cast<std::size_t>(y * width + x)] != 0;
        if (!lit && !BesideInk(ink, width, height, x, y)) continue;
        const std::int64_t mapColumn = ((left + x - area.x) % area.width + area.width) % area.width;
        const std::int64_t pictureX = area.x + mapColumn;
        if (pictureX < 0 || pictureX >= picture.width()) continue;
        row[pictureX] = lit ? kPinMiddle : kPinOutline;
      }
    }
  }
}

}  // namespace lumivane
