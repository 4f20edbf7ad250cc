#include "frame_names.h"

namespace lumivane {

namespace {

// The pattern with `index` written for each %d or %0Nd and "%%" as one '%',
// and how many numbers it wrote; nothing when a '%' starts anything else.
struct ExpandedName {
  std::string name;
  int conversions = 0;
};

std::optional<ExpandedName> Expand(std::string_view pattern, std::int64_t index) {
  ExpandedName expanded;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') {
      expanded.name += pattern[i];
    } else if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
      expanded.name += '%';
      ++i;
    } else {
      std::size_t width = 0;
      if (++i < pattern.size() && pattern[i] == '0') {
        if (++i >= pattern.size() || pattern[i] < '1' || pattern[i] > '9') return std::nullopt;
        width = static_cast<std::size_t>(pattern[i++] - '0');
      }
      if (i >= pattern.size() || pattern[i] != 'd') return std::nullopt;
      const std::string digits = std::to_string(index);
      if (digits.size() < width) expanded.name.append(width - digits.size(), '0');
      expanded.name += digits;
      ++expanded.conversions;
    }
  }
  return expanded;
}

}  // namespace

std::optional<std::string> CheckFrameNamePattern(std::string_view pattern) {
  const auto expanded = Expand(pattern, 0);
  if (!expanded) {
    return std::string("only %d or %0Nd (N from 1 to 9) may stand for the frame number");
  }
  if (expanded->conversions != 1) {
    return std::string("needs exactly one %d or %0Nd for the frame number");
  }
  return std::nullopt;
}

std::string FrameName(std::string_view pattern, std::int64_t index) {
  const auto expanded = Expand(pattern, index);
  return expanded ? expanded->name : std::string();
}

}  // namespace lumivane
