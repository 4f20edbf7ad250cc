#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumivane {

// Whether a time series' output name holds exactly one printf-style frame
// number, %d or %0Nd (N from 1 to 9; "%%" is a plain percent sign). Returns
// the problem, or nothing.
std::optional<std::string> CheckFrameNamePattern(std::string_view pattern);

// The name of frame `index` (counted from 0): "day-%03d.png", 7 -> "day-007.png".
// The pattern must have passed CheckFrameNamePattern.
std::string FrameName(std::string_view pattern, std::int64_t index);

}  // namespace lumivane
