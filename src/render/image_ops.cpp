#include "render/image_ops.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <vector>

#include "render/parallel_for.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumivane {

namespace {

static_assert(std::endian::native == std::endian::little,
              "the resampler writes pixels as their bytes B, G, R, 0");

// Weights are fixed point with 12 fraction bits, and each destination
// pixel's weights sum to exactly kOne, so a uniform area keeps its colour.
constexpr std::uint32_t kWeightBits = 12;
constexpr std::uint32_t kOne = 1u << kWeightBits;
// The horizontal pass keeps 7 fraction bits per channel (a level is 128),
// so its lanes fit signed 16 bits for the SSE2 multiply-add and pack.
constexpr std::uint32_t kLevelBits = 7;
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

// The columns and the rows of a rectangle that lie inside an image of that
// width and height (64-bit, so no rectangle overflows).
Span ColumnsInside(const PixelRect& r, std::int32_t width) {
  return Intersect({r.x, std::int64_t{r.x} + r.width}, {0, width});
}
Span RowsInside(const PixelRect& r, std::int32_t height) {
  return Intersect({r.y, std::int64_t{r.y} + r.height}, {0, height});
}

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
    std::int32_t keptCount = 0;
    const auto offset = static_cast<std::int32_t>(taps.weights.size());
    for (std::int64_t j = firstSource; j <= lastSource; ++j) {
      cumulative += std::min((j + 1) * d, hi) - std::max(j * d, lo);
      const auto total = static_cast<std::uint32_t>((cumulative * 2 * kOne + s) / (2 * s));
      const std::uint32_t weight = total - given;
      given = total;
      if (weight == 0 && kept < 0) continue;  // no leading zero taps
      if (kept < 0) kept = j;
      taps.weights.push_back(weight);
      ++keptCount;
    }
    while (keptCount > 1 && taps.weights.back() == 0) {  // no trailing ones
      taps.weights.pop_back();
      --keptCount;
    }
    taps.first.push_back(static_cast<std::int32_t>(sourceStart + kept));
    taps.count.push_back(keptCount);
    taps.offset.push_back(offset);
    taps.maxCount = std::max(taps.maxCount, keptCount);
  }
  return taps;
}

// The horizontal pass reads the same number of source pixels for every
// destination pixel (extra taps weigh 0), so its inner loop has a fixed trip
// count and no unpredictable branch.
struct PaddedTaps {
  std::int32_t taps = 0;
  std::vector<std::int32_t> first;
  std::vector<std::uint32_t> weights;  // taps per destination pixel
  // The same weights two by two as 16-bit halves (tap k low, k + 1 high),
  // (taps + 1) / 2 per destination pixel, for the SSE2 multiply-add.
  std::vector<std::int32_t> pairWeights;
};

// The window of each destination pixel slides left where it would run past
// sourceEnd; it still covers every real tap since taps <= the source length.
PaddedTaps PadTaps(const AxisTaps& real, std::int64_t sourceEnd) {
  PaddedTaps padded;
  padded.taps = real.maxCount;
  const std::size_t size = real.first.size();
  padded.first.reserve(size);
  padded.weights.reserve(size * static_cast<std::size_t>(padded.taps));
  for (std::size_t x = 0; x < size; ++x) {
    const std::int64_t start = std::min<std::int64_t>(real.first[x], sourceEnd - padded.taps);
    padded.first.push_back(static_cast<std::int32_t>(start));
    for (std::int64_t j = start; j < start + padded.taps; ++j) {
      const std::int64_t k = j - real.first[x];
      padded.weights.push_back(k >= 0 && k < real.count[x] ? real.weights[real.offset[x] + k] : 0);
    }
    const std::uint32_t* weight = padded.weights.data() + x * static_cast<std::size_t>(padded.taps);
    for (std::int32_t k = 0; k < padded.taps; k += 2) {
      const std::uint32_t high = k + 1 < padded.taps ? weight[k + 1] : 0;
      padded.pairWeights.push_back(static_cast<std::int32_t>(weight[k] | high << 16));
    }
  }
  return padded;
}

constexpr std::uint32_t kHorizontalHalf = (1u << kHorizontalShift) >> 1;

// Channels spread into 21-bit fields of one 64-bit word, so one multiply
// weighs all three: 255 * kOne < 2^21, no field overflows into the next.
// Gives exactly the sums of the SSE2 version.
constexpr std::uint64_t Spread(Pixel p) {
  return (p & 0xFFu) | (static_cast<std::uint64_t>(p & 0xFF00u) << 13) |
         (static_cast<std::uint64_t>(p & 0xFF0000u) << 26);
}
constexpr std::uint64_t kFieldMask = (1u << 21) - 1;

template <std::int32_t kTaps>
void FilterRowPortable(const Pixel* source, const PaddedTaps& padded, std::uint16_t* lanes) {
  const std::int32_t taps = kTaps > 0 ? kTaps : padded.taps;
  const std::size_t width = padded.first.size();
  const std::int32_t* first = padded.first.data();
  const std::uint32_t* weights = padded.weights.data();
  for (std::size_t x = 0; x < width; ++x) {
    const Pixel* taken = source + first[x];
    const std::uint32_t* weight = weights + x * static_cast<std::size_t>(taps);
    std::uint64_t sum = 0;
    for (std::int32_t k = 0; k < taps; ++k) sum += weight[k] * Spread(taken[k]);
    std::uint16_t* out = lanes + x * kLanes;
    out[0] = static_cast<std::uint16_t>(((sum & kFieldMask) + kHorizontalHalf) >> kHorizontalShift);
    out[1] = static_cast<std::uint16_t>((((sum >> 21) & kFieldMask) + kHorizontalHalf) >>
                                        kHorizontalShift);
    out[2] = static_cast<std::uint16_t>(((sum >> 42) + kHorizontalHalf) >> kHorizontalShift);
    out[3] = 0;
  }
}

#if defined(__SSE2__)

// Two neighbouring source pixels at a time: their channels interleaved as
// 16-bit lanes (a.b, b.b, a.g, b.g, ...) meet the weight pair in one
// multiply-add, giving the four weighted channel sums as 32-bit lanes.
template <std::int32_t kTaps>
void FilterRowSse2(const Pixel* source, const PaddedTaps& padded, std::uint16_t* lanes) {
  const std::int32_t taps = kTaps > 0 ? kTaps : padded.taps;
  const std::size_t pairs = static_cast<std::size_t>(taps + 1) / 2;
  const std::size_t width = padded.first.size();
  const std::int32_t* first = padded.first.data();
  const std::int32_t* pairWeights = padded.pairWeights.data();
  const __m128i zero = _mm_setzero_si128();
  const __m128i half = _mm_set1_epi32(static_cast<int>(kHorizontalHalf));
  const __m128i noTopLane = _mm_set_epi32(0, -1, -1, -1);
  for (std::size_t x = 0; x < width; ++x) {
    const Pixel* taken = source + first[x];
    const std::int32_t* weight = pairWeights + x * pairs;
    __m128i sum = zero;
    std::int32_t k = 0;
    for (; k + 1 < taps; k += 2) {
      const __m128i two = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(taken + k));
      const __m128i mixed = _mm_unpacklo_epi8(two, _mm_srli_si128(two, 4));
      sum = _mm_add_epi32(
          sum, _mm_madd_epi16(_mm_unpacklo_epi8(mixed, zero), _mm_set1_epi32(weight[k / 2])));
    }
    if (k < taps) {  // an odd last tap, paired with weight 0
      const __m128i one = _mm_cvtsi32_si128(static_cast<int>(taken[k]));
      const __m128i mixed = _mm_unpacklo_epi8(one, zero);
      sum = _mm_add_epi32(
          sum, _mm_madd_epi16(_mm_unpacklo_epi8(mixed, zero), _mm_set1_epi32(weight[k / 2])));
    }
    sum = _mm_and_si128(_mm_srli_epi32(_mm_add_epi32(sum, half), kHorizontalShift), noTopLane);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(lanes + x * kLanes), _mm_packs_epi32(sum, sum));
  }
}

#endif

// One source row filtered horizontally into lanes of 8.7 fixed point; the
// common small tap counts get loops of a fixed trip count.
using FilterFunction = void (*)(const Pixel*, const PaddedTaps&, std::uint16_t*);

FilterFunction ChooseFilter(RowFilter filter, std::int32_t taps) {
  const std::size_t slot = taps >= 1 && taps <= 4 ? static_cast<std::size_t>(taps) : 0;
#if defined(__SSE2__)
  constexpr FilterFunction kSse2[] = {FilterRowSse2<0>, FilterRowSse2<1>, FilterRowSse2<2>,
                                      FilterRowSse2<3>, FilterRowSse2<4>};
  if (filter == RowFilter::Sse2) return kSse2[slot];
#else
  (void)filter;
#endif
  constexpr FilterFunction kPortable[] = {FilterRowPortable<0>, FilterRowPortable<1>,
                                          FilterRowPortable<2>, FilterRowPortable<3>,
                                          FilterRowPortable<4>};
  return kPortable[slot];
}

void Combine(Pixel* destination, const Pixel* source, std::size_t count, RasterOp op) {
  switch (op) {
    case RasterOp::Copy: std::memcpy(destination, source, count * sizeof(Pixel)); break;
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
  FilteredRows(const Image& source, const PaddedTaps& columns, std::int32_t rowsKept,
               FilterFunction filter)
      : source_(source),
        columns_(columns),
        filter_(filter),
        rowsKept_(rowsKept),
        laneCount_(columns.first.size() * kLanes),
        lanes_(static_cast<std::size_t>(rowsKept) * laneCount_) {}

  // Makes rows [first, first + count) available; count <= rowsKept.
  void Prepare(std::int32_t first, std::int32_t count) {
    for (std::int32_t row = std::max(first, nextRow_); row < first + count; ++row) {
      filter_(source_.row(row), columns_, Slot(row));
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
  const PaddedTaps& columns_;
  FilterFunction filter_;
  std::int32_t rowsKept_;
  std::size_t laneCount_;
  std::vector<std::uint16_t> lanes_;
  std::int32_t nextRow_ = 0;
};

// Weighs the filtered rows into finished pixels. Enlarging gives mostly one
// or two rows per destination row; those get loops of their own.
void BlendRows(const FilteredRows& rows, std::int32_t first, std::int32_t count,
               const std::uint32_t* weights, std::vector<std::uint32_t>& accumulator,
               Pixel* pixels) {
  constexpr std::uint32_t half = 1u << (kVerticalShift - 1);
  constexpr std::uint32_t levelHalf = 1u << (kLevelBits - 1);
  const std::size_t lanes = accumulator.size();
  auto* bytes = reinterpret_cast<unsigned char*>(pixels);
  const std::uint16_t* top = rows.Row(first);
  if (count == 1) {  // the weight is kOne
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i roundUp = _mm_set1_epi16(static_cast<short>(levelHalf));
    for (; i + 16 <= lanes; i += 16) {
      const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(top + i));
      const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(top + i + 8));
      const __m128i packed =
          _mm_packus_epi16(_mm_srli_epi16(_mm_add_epi16(low, roundUp), kLevelBits),
                           _mm_srli_epi16(_mm_add_epi16(high, roundUp), kLevelBits));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + i), packed);
    }
#endif
    for (; i < lanes; ++i) {
      bytes[i] = static_cast<unsigned char>((top[i] + levelHalf) >> kLevelBits);
    }
    return;
  }
  const std::uint32_t w0 = weights[0];
  const std::uint32_t w1 = weights[1];
  const std::uint16_t* second = rows.Row(first + 1);
  if (count == 2) {
    std::size_t i = 0;
#if defined(__SSE2__)
    // Lanes of the two rows interleaved meet (w0, w1) in one multiply-add.
    const __m128i pair = _mm_set1_epi32(static_cast<int>(w0 | w1 << 16));
    const __m128i roundUp = _mm_set1_epi32(static_cast<int>(half));
    const auto blend = [&](std::size_t at) {
      const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(top + at));
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(second + at));
      const __m128i low = _mm_srli_epi32(
          _mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(a, b), pair), roundUp), kVerticalShift);
      const __m128i high = _mm_srli_epi32(
          _mm_add_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(a, b), pair), roundUp), kVerticalShift);
      return _mm_packs_epi32(low, high);
    };
    for (; i + 16 <= lanes; i += 16) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + i),
                       _mm_packus_epi16(blend(i), blend(i + 8)));
    }
#endif
    for (; i < lanes; ++i) {
      bytes[i] =
          static_cast<unsigned char>((w0 * top[i] + w1 * second[i] + half) >> kVerticalShift);
    }
    return;
  }
  std::uint32_t* acc = accumulator.data();
  for (std::size_t i = 0; i < lanes; ++i) acc[i] = w0 * top[i] + w1 * second[i];
  for (std::int32_t k = 2; k < count; ++k) {
    const std::uint16_t* next = rows.Row(first + k);
    const std::uint32_t w = weights[k];
    for (std::size_t i = 0; i < lanes; ++i) acc[i] += w * next[i];
  }
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

struct StretchPlan::Taps {
  const Image& source;
  PixelRect to;
  PixelRect from;  // clipped to the source
  Span columns;    // of the destination, inside the image and the rectangle
  Span rows;
  bool sameSize = false;
  AxisTaps rowTaps;       // for each row of rows
  PaddedTaps columnTaps;  // for each column of columns
  FilterFunction filter = nullptr;
};

StretchPlan::StretchPlan(const Image& destination, const PixelRect& to, const Image& source,
                         const PixelRect& from, RowFilter filter) {
  const Span sourceColumns = ColumnsInside(from, source.width());
  const Span sourceRows = RowsInside(from, source.height());
  if (sourceColumns.empty() || sourceRows.empty() || to.width <= 0 || to.height <= 0) return;
  auto taps = std::make_unique<Taps>(Taps{source, to, {}, {}, {}, false, {}, {}, nullptr});
  taps->from = PixelRect{static_cast<std::int32_t>(sourceColumns.begin),
                         static_cast<std::int32_t>(sourceRows.begin),
                         static_cast<std::int32_t>(sourceColumns.end - sourceColumns.begin),
                         static_cast<std::int32_t>(sourceRows.end - sourceRows.begin)};
  // Destination pixels that are both in the rectangle and in the image.
  taps->columns = ColumnsInside(to, destination.width());
  taps->rows = RowsInside(to, destination.height());
  if (taps->columns.empty() || taps->rows.empty()) return;
  taps->sameSize = taps->from.width == to.width && taps->from.height == to.height;
  if (!taps->sameSize) {
    const AxisTaps columnTaps = MakeTaps(taps->from.x, taps->from.width, to.width,
                                         {taps->columns.begin - to.x, taps->columns.end - to.x});
    taps->rowTaps = MakeTaps(taps->from.y, taps->from.height, to.height,
                             {taps->rows.begin - to.y, taps->rows.end - to.y});
    taps->columnTaps = PadTaps(columnTaps, sourceColumns.end);
    taps->filter = ChooseFilter(filter, taps->columnTaps.taps);
  }
  taps_ = std::move(taps);
}

StretchPlan::~StretchPlan() = default;

std::int32_t StretchPlan::FirstRow() const {
  return taps_ ? static_cast<std::int32_t>(taps_->rows.begin) : 0;
}

std::int32_t StretchPlan::EndRow() const {
  return taps_ ? static_cast<std::int32_t>(taps_->rows.end) : 0;
}

void StretchPlan::DrawRows(Image& destination, std::int32_t firstRow, std::int32_t endRow,
                           RasterOp op) const {
  if (!taps_) return;
  const Taps& t = *taps_;
  const Span rows = Intersect(t.rows, {firstRow, endRow});
  if (rows.empty()) return;
  if (t.sameSize) {
    StretchSameSize(destination, t.columns, rows, t.to, t.source, t.from, op);
    return;
  }
  // A band filters the source rows it needs on its own.
  const std::size_t visibleWidth = t.columnTaps.first.size();
  FilteredRows filtered(t.source, t.columnTaps, t.rowTaps.maxCount, t.filter);
  std::vector<std::uint32_t> accumulator(visibleWidth * kLanes);
  std::vector<Pixel> blended(op == RasterOp::Copy ? 0 : visibleWidth);
  for (std::int64_t y = rows.begin; y < rows.end; ++y) {
    const auto i = static_cast<std::size_t>(y - t.rows.begin);
    const std::int32_t first = t.rowTaps.first[i];
    const std::int32_t count = t.rowTaps.count[i];
    filtered.Prepare(first, count);
    Pixel* out = destination.row(static_cast<std::int32_t>(y)) + t.columns.begin;
    const std::uint32_t* weights = t.rowTaps.weights.data() + t.rowTaps.offset[i];
    if (op == RasterOp::Copy) {
      BlendRows(filtered, first, count, weights, accumulator, out);
    } else {
      BlendRows(filtered, first, count, weights, accumulator, blended.data());
      Combine(out, blended.data(), visibleWidth, op);
    }
  }
}

void StretchBlit(Image& destination, const PixelRect& to, const Image& source,
                 const PixelRect& from, RasterOp op, RowFilter filter, std::int32_t threads) {
  if (&destination == &source) {  // the passes read the source as they write
    const Image copy = source;
    StretchBlit(destination, to, copy, from, op, filter, threads);
    return;
  }
  const StretchPlan plan(destination, to, source, from, filter);
  constexpr std::int64_t kRowsPerBand = 64;
  InBands(plan.EndRow() - plan.FirstRow(), threads, kRowsPerBand,
          [&](std::int64_t first, std::int64_t end) {
            plan.DrawRows(destination, plan.FirstRow() + static_cast<std::int32_t>(first),
                          plan.FirstRow() + static_cast<std::int32_t>(end), op);
          });
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
  const Span sourceColumns = ColumnsInside(from, source.width());
  const Span sourceRows = RowsInside(from, source.height());
  const std::int64_t shiftX = std::int64_t{toX} - from.x;
  const std::int64_t shiftY = std::int64_t{toY} - from.y;
  const Span columns = Intersect({sourceColumns.begin + shiftX, sourceColumns.end + shiftX},
                                 {0, destination.width()});
  const Span rows =
      Intersect({sourceRows.begin + shiftY, sourceRows.end + shiftY}, {0, destination.height()});
  if (sourceColumns.empty() || sourceRows.empty() || columns.empty() || rows.empty()) return;
  const auto count = static_cast<std::size_t>(columns.end - columns.begin);
  for (std::int64_t y = rows.begin; y < rows.end; ++y) {
    std::memcpy(destination.row(static_cast<std::int32_t>(y)) + columns.begin,
                source.row(static_cast<std::int32_t>(y - shiftY)) + (columns.begin - shiftX),
                count * sizeof(Pixel));
  }
}

}  // namespace lumivane
