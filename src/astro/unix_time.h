#pragma once

#include <cstdint>

namespace lumivane {

// Whole seconds since 1970-01-01 00:00:00 UTC. Signed 64-bit, so the clock
// stays right before 1970 and after 2038-01-19 03:14:07 UTC.
using UnixTime = std::int64_t;

}  // namespace lumivane
