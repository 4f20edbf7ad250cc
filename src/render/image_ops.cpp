#include "render/image_ops.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace lumivane {

namespace {

static_assert(std::endian::native == std::endian::little,
              "the resampler writes pixels as their bytes B, G, R, 0");

// Weights are fixed point with 12 fraction bits, and each destination
// pixel's weights sum to exactly kOne, so a uniform area keeps its colour.
constexpr std::uint32_t kWeightBits = 12;
constexpr std::uint32_t kOne = 1u << kWeightBits;
// The horizontal pass keeps 8 fraction bits per channel (a level is 256).
constexpr std::uint32_t kLevelBits = 8;
constexpr std::uint32_t kHorizontalShift = kWeightBits - kLevelBits;
constexpr std::uint32_t kVerticalShift = kWeightBits + kLevelBits;
// Four 16-bit lanes per pixel (blue, green, red, always-zero top byte) so the
// vertical pass is plain element-wise arithmetic the compiler vectorises.
constexpr std::size_t kLanes = 4;

// The half-open interval [begin, end).
struct Span {
  std::int64_t begin = 0;
  std::int64_t end = 0;
  bool empty() const { return end <= begin; }
};

Span Intersect(Span a, Span b) { return {std::max(a.begin, b.begin), std::min(a.end, b.end)}; }

// For each visible destination index along one axis: the source pixels that
// fall on it and their area weights.
struct AxisTaps {
  std::vector<std::int32_t> first;  // absolute source index of the first tap
  std::vector<std::int32_t> count;
  std::vector<std::int32_t> offset;  // into weights
  std::vector<std::uint32_t> weights;
  std::int32_t maxCount = 0;
};

// Destination index i (0-based in a run of destinationLength) covers the
// source interval [i * s, (i + 1) * s) in units of 1/destinationLength source
// pixels, where s = sourceLength; source pixel j covers [j * d, (j + 1) * d).
// Weights come from rounding the cumulative overlap, so they sum to kOne.
AxisTaps MakeTaps(std::int64_t sourceStart, std::int64_t sourceLength,
                  std::int64_t destinationLength, Span visible) {
  AxisTaps taps;
  const auto size = static_cast<std::size_t>(visible.end - visible.begin);
  taps.first.reserve(size);
  taps.count.reserve(size);
  taps.offset.reserve(size);
  const std::int64_t s = sourceLength;
  const std::int64_t d = destinationLength;
  for (std::int64_t i = visible.begin; i < visible.end; ++i) {
    const std::int64_t lo = i * s;
    const std::int64_t hi = lo + s;
    const std::int64_t firstSource = lo / d;
    const std::int64_t lastSource = (hi - 1) / d;
    std::int64_t cumulative = 0;
    std::uint32_t given = 0;
    std::int64_t kept = -1;
    std::int32_t kept_count = 0;
    const auto offset = static_cast<std::int32_t>(taps.weights.size());
    for (std::int64_t j = firstSource; j <= lastSource; ++j) {
      cumulative += std::min((j + 1) * d, hi) - std::max(j * d, lo);
      const auto total = static_cast<std::uint32_t>((cumulative * 2 * kOne + s) / (2 * s));
      const std::uint32_t weight = total - given;
      given = total;
      if (weight == 0 && kept < 0) continue;  // no leading zero taps
      if (kept < 0) kept = j;
      taps.weights.push_back(weight);
      ++kept_count;
    }
    while (kept_count > 1 && taps.weights.back() == 0) {  // no trailing ones
      taps.weights.pop_back();
      --kept_count;
    }
    taps.first.push_back(static_cast<std::int32_t>(sourceStart + kept));
    taps.count.push_back(kept_count);
    taps.offset.push_back(offset);
    taps.maxCount = std::max(taps.maxCount, kept_count);
  }
  return taps;
}

// Channels spread into 21-bit fields of one 64-bit word, so one multiply
// weighs all three: 255 * kOne < 2^21, no field overflows into the next.
constexpr std::uint64_t Spread(Pixel p) {
  return (p & 0xFFu) | (static_cast<std::uint64_t>(p & 0xFF00u) << 13) |
         (static_cast<std::uint64_t>(p & 0xFF0000u) << 26);
}
constexpr std::uint64_t kFieldMask = (1u << 21) - 1;
constexpr std::uint64_t kHorizontalHalf = (1u << kHorizontalShift) >> 1;

// One source row filtered horizontally into lanes of 8.8 fixed point.
void FilterRow(const Pixel* source, const AxisTaps& taps, std::uint16_t* lanes) {
  const std::size_t width = taps.first.size();
  for (std::size_t x = 0; x < width; ++x) {
    const Pixel* taken = source + taps.first[x];
    const std::uint32_t* weight = taps.weights.data() + taps.offset[x];
    std::uint64_t sum = 0;
    for (std::int32_t k = 0; k < taps.count[x]; ++k) sum += weight[k] * Spread(taken[k]);
    std::uint16_t* out = lanes + x * kLanes;
    out[0] = static_cast<std::uint16_t>(((sum & kFieldMask) + kHorizontalHalf) >> kHorizontalShift);
    out[1] = static_cast<std::uint16_t>((((sum >> 21) & kFieldMask) + kHorizontalHalf) >>
                                        kHorizontalShift);
    out[2] = static_cast<std::uint16_t>(((sum >> 42) + kHorizontalHalf) >> kHorizontalShift);
    out[3] = 0;
  }
}

void Combine(Pixel* destination, const Pixel* source, std::size_t count, RasterOp op) {
  switch (op) {
    case RasterOp::Copy:
      std::memcpy(destination, source, count * sizeof(Pixel));
      break;
    case RasterOp::And:
      for (std::size_t i = 0; i < count; ++i) destination[i] &= source[i];
      break;
    case RasterOp::Or:
      for (std::size_t i = 0; i < count; ++i) destination[i] |= source[i];
      break;
  }
}

// Rows of horizontally filtered lanes, computed once each as the vertical
// pass walks down; source rows only ever move forward.
class FilteredRows {
 public:
  FilteredRows(const Image& source, const AxisTaps& columns, std::int32_t rowsKept)
      : source_(source),
        columns_(columns),
        rowsKept_(rowsKept),
        laneCount_(columns.first.size() * kLanes),
        lanes_(static_cast<std::size_t>(rowsKept) * laneCount_) {}

  // Makes rows [first, first + count) available; count <= rowsKept.
  void Prepare(std::int32_t first, std::int32_t count) {
    for (std::int32_t row = std::max(first, nextRow_); row < first + count; ++row) {
      FilterRow(source_.row(row), columns_, Slot(row));
    }
    nextRow_ = std::max(nextRow_, first + count);
  }

  const std::uint16_t* Row(std::int32_t row) const {
    return lanes_.data() + static_cast<std::size_t>(row % rowsKept_) * laneCount_;
  }

 private:
  std::uint16_t* Slot(std::int32_t row) {
    return lanes_.data() + static_cast<std::size_t>(row % rowsKept_) * laneCount_;
  }

  const Image& source_;
  const AxisTaps& columns_;
  std::int32_t rowsKept_;
  std::size_t laneCount_;
  std::vector<std::uint16_t> lanes_;
  std::int32_t nextRow_ = 0;
};

// Weighs the filtered rows into finished pixels.
void BlendRows(const FilteredRows& rows, std::int32_t first, std::int32_t count,
               const std::uint32_t* weights, std::vector<std::uint32_t>& accumulator,
               Pixel* pixels) {
  const std::size_t lanes = accumulator.size();
  std::uint32_t* acc = accumulator.data();
  const std::uint16_t* top = rows.Row(first);
  const std::uint32_t w0 = weights[0];
  for (std::size_t i = 0; i < lanes; ++i) acc[i] = w0 * top[i];
  for (std::int32_t k = 1; k < count; ++k) {
    const std::uint16_t* next = rows.Row(first + k);
    const std::uint32_t w = weights[k];
    for (std::size_t i = 0; i < lanes; ++i) acc[i] += w * next[i];
  }
  constexpr std::uint32_t half = 1u << (kVerticalShift - 1);
  auto* bytes = reinterpret_cast<unsigned char*>(pixels);
  for (std::size_t i = 0; i < lanes; ++i) {
    bytes[i] = static_cast<unsigned char>((acc[i] + half) >> kVerticalShift);
  }
}

void StretchSameSize(Image& destination, Span columns, Span rows, const PixelRect& to,
                     const Image& source, const PixelRect& from, RasterOp op) {
  const auto count = static_cast<std::size_t>(columns.end - columns.begin);
  for (std::int64_t y = rows.begin; y < rows.end; ++y) {
    const auto sourceRow = static_cast<std::int32_t>(from.y + y - to.y);
    const auto sourceColumn = static_cast<std::int32_t>(from.x + columns.begin - to.x);
    Combine(destination.row(static_cast<std::int32_t>(y)) + columns.begin,
            source.row(sourceRow) + sourceColumn, count, op);
  }
}

}  // namespace

void StretchBlit(Image& destination, const PixelRect& to, const Image& source,
                 const PixelRect& from, RasterOp op) {
  if (&destination == &source) {  // the passes read the source as they write
    const Image copy = source;
    StretchBlit(destination, to, copy, from, op);
    return;
  }
  const Span sourceColumns = Intersect({from.x, std::int64_t{from.x} + from.width},
                                       {0, source.width()});
  const Span sourceRows = Intersect({from.y, std::int64_t{from.y} + from.height},
                                    {0, source.height()});
  if (sourceColumns.empty() || sourceRows.empty() || to.width <= 0 || to.height <= 0) return;
  const PixelRect clippedFrom{static_cast<std::int32_t>(sourceColumns.begin),
                              static_cast<std::int32_t>(sourceRows.begin),
                              static_cast<std::int32_t>(sourceColumns.end - sourceColumns.begin),
                              static_cast<std::int32_t>(sourceRows.end - sourceRows.begin)};

  // Destination pixels that are both in the rectangle and in the image.
  const Span columns = Intersect({to.x, std::int64_t{to.x} + to.width}, {0, destination.width()});
  const Span rows = Intersect({to.y, std::int64_t{to.y} + to.height}, {0, destination.height()});
  if (columns.empty() || rows.empty()) return;

  if (clippedFrom.width == to.width && clippedFrom.height == to.height) {
    StretchSameSize(destination, columns, rows, to, source, clippedFrom, op);
    return;
  }

  const AxisTaps columnTaps = MakeTaps(clippedFrom.x, clippedFrom.width, to.width,
                                       {columns.begin - to.x, columns.end - to.x});
  const AxisTaps rowTaps = MakeTaps(clippedFrom.y, clippedFrom.height, to.height,
                                    {rows.begin - to.y, rows.end - to.y});

  FilteredRows filtered(source, columnTaps, rowTaps.maxCount);
  const std::size_t visibleWidth = columnTaps.first.size();
  std::vector<std::uint32_t> accumulator(visibleWidth * kLanes);
  std::vector<Pixel> blended(op == RasterOp::Copy ? 0 : visibleWidth);
  for (std::size_t i = 0; i < rowTaps.first.size(); ++i) {
    const std::int32_t first = rowTaps.first[i];
    const std::int32_t count = rowTaps.count[i];
    filtered.Prepare(first, count);
    Pixel* out = destination.row(static_cast<std::int32_t>(rows.begin) + static_cast<std::int32_t>(i)) +
                 columns.begin;
    const std::uint32_t* weights = rowTaps.weights.data() + rowTaps.offset[i];
    if (op == RasterOp::Copy) {
      BlendRows(filtered, first, count, weights, accumulator, out);
    } else {
      BlendRows(filtered, first, count, weights, accumulator, blended.data());
      Combine(out, blended.data(), visibleWidth, op);
    }
  }
}

void StretchBlit(Image& destination, const PixelRect& to, const Image& source, RasterOp op) {
  StretchBlit(destination, to, source, PixelRect{0, 0, source.width(), source.height()}, op);
}

Image Resample(const Image& source, std::int32_t width, std::int32_t height) {
  Image result(width, height);
  StretchBlit(result, PixelRect{0, 0, width, height}, source, RasterOp::Copy);
  return result;
}

void CopyBlit(Image& destination, std::int32_t toX, std::int32_t toY, const Image& source,
              const PixelRect& from) {
  if (&destination == &source) {  // overlapping strips of one image
    const Image copy = source;
    CopyBlit(destination, toX, toY, copy, from);
    return;
  }
  // Clip the source rectangle to the source, then the placed result to the
  // destination, keeping the two in step.
  const Span sourceColumns = Intersect({from.x, std::int64_t{from.x} + from.width},
                                       {0, source.width()});
  const Span sourceRows = Intersect({from.y, std::int64_t{from.y} + from.height},
                                    {0, source.height()});
  const std::int64_t shiftX = std::int64_t{toX} - from.x;
  const std::int64_t shiftY = std::int64_t{toY} - from.y;
  const Span columns = Intersect({sourceColumns.begin + shiftX, sourceColumns.end + shiftX},
                                 {0, destination.width()});
  const Span rows = Intersect({sourceRows.begin + shiftY, sourceRows.end + shiftY},
                              {0, destination.height()});
  if (sourceColumns.empty() || sourceRows.empty() || columns.empty() || rows.empty()) return;
  const auto count = static_cast<std::size_t>(columns.end - columns.begin);
  for (std::int64_t y = rows.begin; y < rows.end; ++y) {
    std::memcpy(destination.row(static_cast<std::int32_t>(y)) + columns.begin,
                source.row(static_cast<std::int32_t>(y - shiftY)) + (columns.begin - shiftX),
                count * sizeof(Pixel));
  }
}

}  // namespace lumivane
