#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "render_frame.h"
#include "render_options.h"

namespace lumivane {

// Told how many frames are done so far, from one thread at a time.
using SeriesProgress = std::function<void(std::int64_t done, std::int64_t total)>;

// Renders frames 0 .. count-1 at first + i x step and writes frame i to
// FrameName(pattern, i), on every processor. Each frame has exactly the
// pixels of a single run at its time, and each file is written whole or not
// at all. Stops at the first failure and returns it in one line.
std::optional<std::string> WriteSeries(const FramePlan& plan, UnixTime first, std::int64_t step,
                                       std::int64_t count, const std::string& pattern,
                                       PictureFormat format, int quality,
                                       const SeriesProgress& progress);

}  // namespace lumivane
