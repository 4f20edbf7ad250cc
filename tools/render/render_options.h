#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "astro/unix_time.h"

namespace lumivane {

// What a lumivane-render command line asks for.
struct RenderOptions {
  bool help = false;
  bool positions = false;
  std::optional<UnixTime> time;  // absent: now
};

struct ParsedRenderOptions {
  std::optional<RenderOptions> options;  // absent when the line is bad
  std::string error;                     // one line naming the problem
};

// Parses the arguments after the program name. Every option is checked; the
// first problem found is reported and nothing is done.
ParsedRenderOptions ParseRenderOptions(std::span<const std::string_view> arguments);

// Strict whole-string parse of a signed 64-bit decimal number.
std::optional<long long> ParseInteger(std::string_view text);

const char* RenderUsage();

}  // namespace lumivane
