#pragma once

#include <ctime>

#include "app/ports.h"

namespace lumivane {

// The computer's clock, in whole seconds as the C library's time() gives them.
class SystemClock final : public Clock {
 public:
  UnixTime Now() override { return static_cast<UnixTime>(std::time(nullptr)); }
};

}  // namespace lumivane
