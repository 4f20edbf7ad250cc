#include "app/system_clock.h"

#include <ctime>

namespace lumivane {

UnixTime SystemClock::Now() { return static_cast<UnixTime>(std::time(nullptr)); }

}  // namespace lumivane
