#pragma once

#include "app/ports.h"

namespace lumivane {

// A clock that shows what the test sets.
class FixedClock final : public Clock {
 public:
  explicit FixedClock(UnixTime start) : now(start) {}
  UnixTime Now() override { return now; }

  UnixTime now;
};

}  // namespace lumivane
