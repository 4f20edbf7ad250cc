#pragma once

#include <cstdint>
#include <optional>

#include "astro/unix_time.h"
#include "render/builtin_images.h"
#include "render/compose_frame.h"
#include "render/ports.h"
#include "render/image.h"

namespace lumivane {

// Paints the world window. A full recomputation is costly (every pixel is
// shaded), so its result is kept and most paints just show it again.
class FrameComposer {
 public:
  // Shows the current frame in the window; now is the clock's UnixTime.
  // A minimised window is left alone and nothing changes. Otherwise the
  // frame is recomputed when a refresh period has passed since the last
  // recomputation, the clock has gone back by as much, or one was requested;
  // the window then first shows an interim picture (the plain resampled map
  // when a recomputation was requested, else the previous frame) and then
  // the finished frame. nightLights, when given, is the city-lights picture
  // blended into the night side; it is resampled to the frame once and kept
  // while the frame's size stays.
  void PaintFrame(const FrameOptions& options, const EarthMapView& map, const MarkerImages& markers,
                  FrameWindow& window, UnixTime now, const Image* nightLights = nullptr);

  // The next paint recomputes (start-up, and after every settings change).
  void RequestRecompute() {
    needsRecompute_ = true;
    nightLightsAtFrameSize_.reset();
  }
  // The next paint recomputes as if a refresh period had ended, keeping the
  // previous frame up meanwhile (the clock was set, or the computer woke up).
  void RequestRefresh() { refreshDue_ = true; }

  bool needsRecompute() const { return needsRecompute_; }
  // Start time of the last full recomputation; meaningless before the first.
  UnixTime lastComputeTime() const { return lastComputeTime_; }
  // The last finished frame, absent until the first recomputation.
  const std::optional<Image>& frameCache() const { return frameCache_; }
  // Also the period of the world window's refresh timer.
  std::int32_t refreshPeriodMs() const { return refreshPeriodMs_; }

 private:
  bool PeriodEnded(UnixTime now) const;

  std::optional<Image> frameCache_;
  std::optional<Image> nightLightsAtFrameSize_;
  bool needsRecompute_ = true;
  bool refreshDue_ = false;
  UnixTime lastComputeTime_ = 0;
  std::int32_t refreshPeriodMs_ = 300000;
};

}  // namespace lumivane
