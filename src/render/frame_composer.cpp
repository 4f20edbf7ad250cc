#include "render/frame_composer.h"

#include <algorithm>
#include <limits>
#include <thread>
#include <utility>

#include "render/sky_description.h"
#include "render/sky_for.h"

namespace lumivane {

bool FrameComposer::PeriodEnded(UnixTime now) const {
  const UnixTime q = refreshPeriodMs_ / 1000;
  const UnixTime last = lastComputeTime_;
  // now >= last + q or now <= last - q, without overflowing at the clock's ends.
  constexpr UnixTime kMax = std::numeric_limits<UnixTime>::max();
  constexpr UnixTime kMin = std::numeric_limits<UnixTime>::min();
  const bool periodPassed = last <= kMax - q && now >= last + q;
  const bool clockWentBack = last >= kMin + q && now <= last - q;
  return periodPassed || clockWentBack;
}

void FrameComposer::PaintFrame(const FrameOptions& options, const EarthMapView& map,
                               const MarkerImages& markers, FrameWindow& window, UnixTime now,
                               const Image* nightLights) {
  if (window.IsMinimised()) return;
  // A cache of another size cannot be shown for these options.
  const bool cacheUsable = !needsRecompute_ && frameCache_ &&
                           frameCache_->width() == options.width &&
                           frameCache_->height() == options.height;
  if (cacheUsable && !refreshDue_ && !PeriodEnded(now)) {
    window.ShowFrame(*frameCache_);
    return;
  }

  lastComputeTime_ = now;
  refreshDue_ = false;
  const SkyPositions sky = SkyFor(options.precise, now);
  Image plain = PlainMap(options, map);
  // While the frame is built the window shows something already: the
  // previous frame when it still fits, else the plain map.
  if (cacheUsable) {
    window.ShowFrame(*frameCache_);
  } else {
    frameCache_.reset();
    needsRecompute_ = false;
    window.ShowFrame(plain);
  }
  const Image* lights = nullptr;
  if (nightLights != nullptr && !nightLights->empty()) {
    if (!nightLightsAtFrameSize_ || nightLightsAtFrameSize_->width() != options.width ||
        nightLightsAtFrameSize_->height() != options.height) {
      nightLightsAtFrameSize_ = PlainMap(
          options, EarthMapView{*nightLights, nightLights->width(), nightLights->height()});
    }
    lights = &*nightLightsAtFrameSize_;
  }
  // Shaded on every processor: the pixels are the same for any number, and
  // the sky's extras (the lights' blend) cost more than one core's share.
  FrameOptions shading = options;
  shading.threads = std::max<std::int32_t>(
      options.threads, static_cast<std::int32_t>(std::thread::hardware_concurrency()));
  frameCache_ = FinishFrame(shading, std::move(plain), markers, sky, lights);
  window.ShowFrame(*frameCache_);
  window.DescribeFrame(DescribeSky(now, sky));
}

}  // namespace lumivane
