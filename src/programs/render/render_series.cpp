#include "render_series.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

#include "frame_names.h"
#include "picture_writer.h"
#include "render/parallel_for.h"
#include "render/sky_for.h"

namespace lumivane {

std::optional<std::string> WriteSeries(const FramePlan& plan, UnixTime first, std::int64_t step,
                                       std::int64_t count, const std::string& pattern,
                                       PictureFormat format, int quality,
                                       const SeriesProgress& progress) {
  const auto processors = std::max(1u, std::thread::hardware_concurrency());
  // The map is resampled once, on every processor; the frames then run side
  // by side, one thread each.
  FrameOptions resampling = plan.frame;
  resampling.threads = static_cast<std::int32_t>(processors);
  const Image plain = PlainMap(resampling, plan.MapView());
  std::atomic<bool> failed{false};
  std::mutex lock;  // guards done, problem and the progress calls
  std::int64_t done = 0;
  std::optional<std::string> problem;
  const auto threads = static_cast<std::int32_t>(std::min<std::int64_t>(processors, count));
  // Each thread reuses one frame's memory: fresh pages for every frame
  // would cost the kernel as much as the shading.
  std::vector<Image> frames(static_cast<std::size_t>(threads));

  ParallelFor(count, threads, [&](std::int64_t index, std::int32_t worker) {
    if (failed) return;
    Image& frame = frames[static_cast<std::size_t>(worker)];
    const std::string name = FrameName(pattern, index);
    std::optional<std::string> failure;
    try {
      // The plan is shared read-only; each frame works on its own copy.
      frame = plain;
      frame = FinishFrame(plan.frame, std::move(frame), plan.markers,
                          SkyFor(plan.frame.precise, first + index * step),
                          plan.nightLights ? &*plan.nightLights : nullptr);
      failure = WritePicture(frame, name, format, quality);
      if (failure) failure = "cannot write '" + name + "': " + *failure;
    } catch (const std::bad_alloc&) {
      failure = "out of memory at frame " + std::to_string(index);
    }
    const std::lock_guard<std::mutex> guard(lock);
    if (failure) {
      if (!problem) problem = std::move(failure);
      failed = true;
      return;
    }
    ++done;
    if (progress) progress(done, count);
  });
  return problem;
}

}  // namespace lumivane
