#pragma once

#include <cstdint>

#include "settings/clock_settings.h"
#include "settings/ports.h"

namespace lumivane {

// Stores where the world window stands: its anchors and the top-left corner
// of its normal-position rectangle (screen pixels, taken from the window, not
// from the settings' position). Then rewrites the start-at-logon entry from
// the stored options/start (UpdateRunEntry), the world window owning any
// message.
void SavePlacement(ProfileStore& store, const ClockSettings& settings, std::int32_t windowLeft,
                   std::int32_t windowTop, StartupRegistration& registration, MessageSink& owner);

}  // namespace lumivane
