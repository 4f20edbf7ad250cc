#include "frame_names.h"

namespace lumivane {

namespace {

// A conversion at pattern[at] == '%': its length and zero-padded width, or
// nothing when it is not %d / %0Nd.
struct Conversion {
  std::size_t length = 0;
  int width = 0;
};

std::optional<Conversion> ReadConversion(std::string_view pattern, std::size_t at) {
  std::size_t i = at + 1;
  int width = 0;
  if (i < pattern.size() && pattern[i] == '0') {
    ++i;
    if (i >= pattern.size() || pattern[i] < '1' || pattern[i] > '9') return std::nullopt;
    width = pattern[i++] - '0';
  }
  if (i >= pattern.size() || pattern[i] != 'd') return std::nullopt;
  return Conversion{i + 1 - at, width};
}

}  // namespace

std::optional<std::string> CheckFrameNamePattern(std::string_view pattern) {
  int conversions = 0;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') continue;
    if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
      ++i;
      continue;
    }
    const auto conversion = ReadConversion(pattern, i);
    if (!conversion) {
      return std::string("only %d or %0Nd (N from 1 to 9) may stand for the frame number");
    }
    ++conversions;
    i += conversion->length - 1;
  }
  if (conversions != 1) return std::string("needs exactly one %d or %0Nd for the frame number");
  return std::nullopt;
}

std::string FrameName(std::string_view pattern, std::int64_t index) {
  std::string name;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') {
      name += pattern[i];
      continue;
    }
    if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
      name += '%';
      ++i;
      continue;
    }
    const auto conversion = ReadConversion(pattern, i);
    if (!conversion) return name;  // not a checked pattern
    std::string digits = std::to_string(index);
    if (digits.size() < static_cast<std::size_t>(conversion->width)) {
      digits.insert(0, static_cast<std::size_t>(conversion->width) - digits.size(), '0');
    }
    name += digits;
    i += conversion->length - 1;
  }
  return name;
}

}  // namespace lumivane
