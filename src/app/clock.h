#pragma once

#include "astro/unix_time.h"

namespace lumivane {

// Port: the computer's clock, injected so tests drive time.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual UnixTime Now() = 0;
};

}  // namespace lumivane
