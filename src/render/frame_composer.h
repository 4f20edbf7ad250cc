#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "astro/unix_time.h"
#include "render/builtin_images.h"
#include "render/frame_window.h"
#include "render/image.h"
#include "settings/clock_settings.h"

namespace lumivane {

// The Earth map as the composer reads it: the picture and the native size it
// is resampled from (the whole picture, for every map the program loads).
struct EarthMapView {
  const Image& image;
  std::int32_t nativeWidth = 0;
  std::int32_t nativeHeight = 0;
};

// Marker sizes in pixels: trunc(scale x nativeWidth x 20 (moon) or 40 (sun)
// x 0.0000625), that is scale x nativeWidth / 800 or / 400 rounded down. They
// follow the map picture's width, not the display width. 0 draws nothing.
std::int32_t MoonMarkerSize(std::int32_t scale, std::int32_t nativeWidth);
std::int32_t SunMarkerSize(std::int32_t scale, std::int32_t nativeWidth);

// The sun-centred view's turn in columns, d = W / 2 - (the sun's column), in
// [-W/2, W/2] for every sun longitude the clock gives.
std::int32_t SunCenteredShift(std::int32_t width, double sunWestLongitude);

// Column x of the working picture becomes column (x + shift) modulo W of the
// frame, every row unchanged: two unscaled strip copies. The frame must have
// the working picture's size.
void TurnIntoFrame(const Image& working, std::int32_t shift, Image& frame);

// Paints the world window: the Earth map at display size with day and night
// shaded, the moon and then the sun marker, optionally turned so the sun is
// in the middle column. A full recomputation is costly (every pixel is
// shaded), so its result is kept and most paints just show it again.
class FrameComposer {
 public:
  // Shows the current frame in the window; now is the clock's UnixTime.
  // A minimised window is left alone and nothing changes. Otherwise the
  // frame is recomputed when a refresh period has passed since the last
  // recomputation, the clock has gone back by as much, or one was requested;
  // the window then first shows an interim picture (the plain resampled map
  // when requested, else the previous frame) and then the finished frame.
  void PaintFrame(const ClockSettings& settings, const EarthMapView& map,
                  const MarkerImages& markers, FrameWindow& window, UnixTime now);

  // The next paint recomputes (start-up, and after every settings change).
  void RequestRecompute() { needsRecompute_ = true; }

  // Hands the finished frame over instead of keeping it, for a caller that
  // paints once and keeps the picture; the next paint recomputes.
  std::optional<Image> TakeFrameCache() {
    needsRecompute_ = true;
    return std::exchange(frameCache_, std::nullopt);
  }

  bool needsRecompute() const { return needsRecompute_; }
  // Start time of the last full recomputation; meaningless before the first.
  UnixTime lastComputeTime() const { return lastComputeTime_; }
  // The last finished frame, absent until the first recomputation.
  const std::optional<Image>& frameCache() const { return frameCache_; }
  // Also the period of the world window's refresh timer.
  std::int32_t refreshPeriodMs() const { return refreshPeriodMs_; }

 private:
  bool RecomputeDue(const ClockSettings& settings, UnixTime now) const;
  void Recompute(const ClockSettings& settings, const EarthMapView& map,
                 const MarkerImages& markers, FrameWindow& window, UnixTime now);

  std::optional<Image> frameCache_;
  bool needsRecompute_ = true;
  UnixTime lastComputeTime_ = 0;
  std::int32_t refreshPeriodMs_ = 300000;
};

}  // namespace lumivane
