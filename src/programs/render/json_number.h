#pragma once

#include <cstdio>
#include <string>

namespace lumivane {

// A JSON number with every digit a double holds, so that readers get the
// very value back.
inline std::string JsonNumber(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

}  // namespace lumivane
