#pragma once

#include <cstdint>
#include <memory>

#include "render/image.h"

namespace lumivane {

// A rectangle of whole pixels: left, top, width, height. A width or height of
// 0 or less is an empty rectangle.
struct PixelRect {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;

  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// How resampled source pixels are combined with the destination, bitwise in
// each 8-bit channel.
enum class RasterOp {
  Copy,  // destination = source
  And,   // destination = destination AND source (marker masks)
  Or,    // destination = destination OR source (marker images)
};

// The horizontal pass of the resampler: portable C++, or SSE2 where the
// build targets it (elsewhere Sse2 is the portable pass). Both give exactly
// the same pixels; tests compare them.
enum class RowFilter { Portable, Sse2 };

// Resamples the source rectangle onto the destination rectangle by area
// averaging, enlarging and reducing alike: every destination pixel is the
// area-weighted average of the source area that falls on it, rounded to the
// nearest level (fixed-point weights; at most one level off the exact
// average). A uniform area keeps its exact colour, a 1:1 stretch is an exact
// copy, and an enlargement by a whole factor repeats the source pixels.
//
// The source rectangle is clipped to the source image (there is nothing to
// read outside it); the destination rectangle is drawn where it meets the
// destination image and nothing is written elsewhere. Empty rectangles draw
// nothing. The rows may be shared out among threads, with the same result.
void StretchBlit(Image& destination, const PixelRect& to, const Image& source,
                 const PixelRect& from, RasterOp op, RowFilter filter = RowFilter::Sse2,
                 std::int32_t threads = 1);

// StretchBlit's weights for one destination, source and pair of rectangles,
// worked out once for a caller that draws the destination's rows a band at
// a time: DrawRows gives rows [firstRow, endRow) exactly what StretchBlit
// gives them. Bands may be drawn on several threads at once. The source
// must outlive the plan and must not be the destination.
class StretchPlan {
 public:
  StretchPlan(const Image& destination, const PixelRect& to, const Image& source,
              const PixelRect& from, RowFilter filter = RowFilter::Sse2);
  ~StretchPlan();
  // The destination rows it draws: [FirstRow(), EndRow()).
  std::int32_t FirstRow() const;
  std::int32_t EndRow() const;
  void DrawRows(Image& destination, std::int32_t firstRow, std::int32_t endRow, RasterOp op) const;

 private:
  struct Taps;
  std::unique_ptr<const Taps> taps_;
};

// The whole source image onto the destination rectangle.
void StretchBlit(Image& destination, const PixelRect& to, const Image& source, RasterOp op);

// The whole image resampled to width x height (empty when either is 0 or less).
Image Resample(const Image& source, std::int32_t width, std::int32_t height);

// Copies the source rectangle unscaled with its top-left corner at (toX, toY),
// clipped to both images.
void CopyBlit(Image& destination, std::int32_t toX, std::int32_t toY, const Image& source,
              const PixelRect& from);

}  // namespace lumivane
