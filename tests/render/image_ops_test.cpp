#include "render/image_ops.h"

#include <cmath>
#include <cstdint>
#include <random>

#include <gtest/gtest.h>

namespace lumivane {
namespace {

Image RandomImage(std::int32_t width, std::int32_t height, std::uint32_t seed) {
  std::mt19937 random(seed);
  Image image(width, height);
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) image.at(x, y) = random() & 0xFFFFFFu;
  }
  return image;
}

// Length of the overlap of destination pixel i (of d) with source pixel j
// (of s), in units of 1/d source pixels: exact integers.
std::int64_t Overlap(std::int64_t i, std::int64_t j, std::int64_t s, std::int64_t d) {
  const std::int64_t lo = std::max(i * s, j * d);
  const std::int64_t hi = std::min((i + 1) * s, (j + 1) * d);
  return std::max<std::int64_t>(0, hi - lo);
}

// The exact area-weighted average of one channel, by brute force.
double ExactAverage(const Image& source, std::int32_t width, std::int32_t height, std::int32_t x,
                    std::int32_t y, std::uint32_t (*channel)(Pixel)) {
  double sum = 0;
  for (std::int32_t sy = 0; sy < source.height(); ++sy) {
    const auto wy = Overlap(y, sy, source.height(), height);
    if (wy == 0) continue;
    for (std::int32_t sx = 0; sx < source.width(); ++sx) {
      const auto wx = Overlap(x, sx, source.width(), width);
      sum += static_cast<double>(wx * wy) * channel(source.at(sx, sy));
    }
  }
  return sum / (static_cast<double>(source.width()) * source.height());
}

TEST(StretchBlit, EveryPixelIsTheAreaAverageOfItsSource) {
  struct Case {
    std::int32_t sw, sh, dw, dh;
  };
  for (const Case c :
       {Case{7, 5, 3, 2}, Case{3, 2, 7, 5}, Case{40, 40, 15, 15}, Case{20, 20, 50, 50},
        Case{40, 40, 1, 1}, Case{400, 200, 13, 6}, Case{9, 4, 13, 3}, Case{64, 32, 21, 11}}) {
    const Image source = RandomImage(c.sw, c.sh, static_cast<std::uint32_t>(c.sw * 31 + c.dw));
    const Image result = Resample(source, c.dw, c.dh);
    for (std::int32_t y = 0; y < c.dh; ++y) {
      for (std::int32_t x = 0; x < c.dw; ++x) {
        const Pixel got = result.at(x, y);
        SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh
                                        << " at " << x << "," << y);
        EXPECT_LE(std::abs(RedOf(got) - ExactAverage(source, c.dw, c.dh, x, y, RedOf)), 1.0);
        EXPECT_LE(std::abs(GreenOf(got) - ExactAverage(source, c.dw, c.dh, x, y, GreenOf)), 1.0);
        EXPECT_LE(std::abs(BlueOf(got) - ExactAverage(source, c.dw, c.dh, x, y, BlueOf)), 1.0);
        EXPECT_EQ(got >> 24, 0u);
      }
    }
  }
}

TEST(StretchBlit, RowFiltersAndThreadsGiveTheSamePixels) {
  struct Case {
    std::int32_t sw, sh, dw, dh;
  };
  // One to four taps and the general filter, odd and even counts.
  for (const Case c :
       {Case{3, 2, 7, 5}, Case{7, 5, 3, 2}, Case{40, 40, 15, 15}, Case{64, 32, 21, 11},
        Case{400, 200, 13, 6}, Case{1000, 3, 7, 3}, Case{400, 200, 1333, 666}}) {
    const Image source = RandomImage(c.sw, c.sh, static_cast<std::uint32_t>(c.sw + c.dh));
    for (const RasterOp op : {RasterOp::Copy, RasterOp::And, RasterOp::Or}) {
      Image portable = RandomImage(c.dw + 3, c.dh + 3, 5);
      Image sse2 = portable;
      Image threaded = portable;
      const PixelRect to{-2, 1, c.dw, c.dh};  // cut at the left edge
      const PixelRect from{0, 0, c.sw, c.sh};
      StretchBlit(portable, to, source, from, op, RowFilter::Portable);
      StretchBlit(sse2, to, source, from, op, RowFilter::Sse2);
      StretchBlit(threaded, to, source, from, op, RowFilter::Sse2, 3);
      EXPECT_EQ(portable, sse2) << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh;
      EXPECT_EQ(threaded, sse2) << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh;
    }
  }
}

TEST(StretchBlit, ExactWhereTheAverageIsExact) {
  const Image source = RandomImage(13, 7, 5);
  EXPECT_EQ(Resample(source, 13, 7), source);  // 1:1 is a copy

  const Image doubled = Resample(source, 39, 14);  // whole factors repeat pixels
  for (std::int32_t y = 0; y < 14; ++y) {
    for (std::int32_t x = 0; x < 39; ++x) ASSERT_EQ(doubled.at(x, y), source.at(x / 3, y / 2));
  }

  // A uniform area keeps its exact colour at any ratio: masks stay pure.
  for (const Pixel colour : {MakePixel(255, 255, 255), MakePixel(0, 0, 0), MakePixel(1, 254, 77)}) {
    const Image flat(40, 40, colour);
    for (const std::int32_t size : {1, 3, 15, 29, 30, 77, 100}) {
      EXPECT_EQ(Resample(flat, size, size), Image(size, size, colour)) << size;
    }
  }
}

TEST(StretchBlit, ClipsToTheDestinationAndDrawsTheSamePixelsThere) {
  const Image source = RandomImage(20, 20, 9);
  const Image whole = Resample(source, 15, 15);
  const Pixel background = MakePixel(1, 2, 3);
  for (const PixelRect to : {PixelRect{-7, -4, 15, 15}, PixelRect{25, 28, 15, 15},
                             PixelRect{-14, 10, 15, 15}, PixelRect{-15, 0, 15, 15}}) {
    Image canvas(32, 32, background);
    StretchBlit(canvas, to, source, RasterOp::Copy);
    for (std::int32_t y = 0; y < 32; ++y) {
      for (std::int32_t x = 0; x < 32; ++x) {
        const bool inside = x >= to.x && x < to.x + 15 && y >= to.y && y < to.y + 15;
        ASSERT_EQ(canvas.at(x, y), inside ? whole.at(x - to.x, y - to.y) : background)
            << to.x << "," << to.y << " at " << x << "," << y;
      }
    }
  }
}

TEST(StretchBlit, MaskAndThenImageOrPaintOnlyTheShape) {
  // A plus-shaped marker: mask black on the shape, image black off it.
  Image mask(5, 5, MakePixel(255, 255, 255));
  Image picture(5, 5, 0);
  for (std::int32_t i = 0; i < 5; ++i) {
    for (const auto& [x, y] : {std::pair{2, i}, std::pair{i, 2}}) {
      mask.at(x, y) = 0;
      picture.at(x, y) = MakePixel(200, 10 * i, 90);
    }
  }
  const Image backdrop = RandomImage(9, 9, 3);
  Image canvas = backdrop;
  StretchBlit(canvas, PixelRect{2, 3, 5, 5}, mask, RasterOp::And);
  StretchBlit(canvas, PixelRect{2, 3, 5, 5}, picture, RasterOp::Or);
  for (std::int32_t y = 0; y < 9; ++y) {
    for (std::int32_t x = 0; x < 9; ++x) {
      const bool inMarker = x >= 2 && x < 7 && y >= 3 && y < 8;
      const bool onShape = inMarker && mask.at(x - 2, y - 3) == 0;
      EXPECT_EQ(canvas.at(x, y), onShape ? picture.at(x - 2, y - 3) : backdrop.at(x, y));
    }
  }
}

TEST(StretchBlit, EmptyOrOutsideRectanglesDrawNothing) {
  const Image source = RandomImage(8, 8, 4);
  const Image before(10, 10, MakePixel(9, 9, 9));
  for (const PixelRect to : {PixelRect{0, 0, 0, 5}, PixelRect{0, 0, 5, -1}, PixelRect{10, 0, 5, 5},
                             PixelRect{-5, 0, 5, 5}, PixelRect{0, 2147483600, 5, 100}}) {
    Image canvas = before;
    StretchBlit(canvas, to, source, RasterOp::Copy);
    EXPECT_EQ(canvas, before);
  }
  Image canvas = before;
  StretchBlit(canvas, PixelRect{0, 0, 5, 5}, source, PixelRect{8, 0, 4, 4}, RasterOp::Copy);
  StretchBlit(canvas, PixelRect{0, 0, 5, 5}, Image(), RasterOp::Copy);
  EXPECT_EQ(canvas, before);
}

TEST(StretchBlit, SourceRectangleIsClippedToTheSource) {
  const Image source = RandomImage(6, 6, 8);
  Image fromInside(4, 4);
  StretchBlit(fromInside, PixelRect{0, 0, 4, 4}, source, PixelRect{2, 2, 4, 4}, RasterOp::Copy);
  Image fromBeyond(4, 4);
  StretchBlit(fromBeyond, PixelRect{0, 0, 4, 4}, source, PixelRect{2, 2, 40, 40}, RasterOp::Copy);
  EXPECT_EQ(fromBeyond, fromInside);
  EXPECT_EQ(fromInside.at(3, 3), source.at(5, 5));
}

TEST(CopyBlit, CopiesUnscaledAndClipsToBothImages) {
  const Image source = RandomImage(6, 4, 2);
  const Pixel background = MakePixel(5, 5, 5);
  Image canvas(5, 5, background);
  CopyBlit(canvas, -2, 3, source, PixelRect{1, 0, 5, 9});
  for (std::int32_t y = 0; y < 5; ++y) {
    for (std::int32_t x = 0; x < 5; ++x) {
      // Source columns 1..5 land at -2..2, rows 0..3 at 3..6.
      const bool copied = x <= 2 && y >= 3;
      EXPECT_EQ(canvas.at(x, y), copied ? source.at(x + 3, y - 3) : background) << x << "," << y;
    }
  }
  Image same = source;
  CopyBlit(same, 1, 0, same, PixelRect{0, 0, 5, 4});  // overlapping, as a turn within one image
  EXPECT_EQ(same.at(1, 2), source.at(0, 2));
  EXPECT_EQ(same.at(5, 3), source.at(4, 3));
}

}  // namespace
}  // namespace lumivane
