#pragma once

#include <cstdint>

#include "app/ports.h"
#include "app/tray_icon.h"
#include "settings/clock_settings.h"
#include "settings/ports.h"

namespace lumivane {

// Fills the world window's settings from the store, with the defaults and the
// clamps (applied to the values read; the store is never rewritten). Between
// its reads it puts the window into or out of the always-on-top band (never
// moving or resizing it) and adds or removes the tray icon. The
// native size is that of the Earth map in use, the default base size.
// Reads, in order: anchor x, y; position x, y; options sun, suncentered,
// moon; position/ontop (then the z-order); options/tray (then the icon);
// size scale, w, h; colors/nightfilter; sky twilight, precise, nightlights.
ClockSettings LoadSettings(ProfileStore& store, Window& window, TrayIcon& tray,
                           NotificationArea& area, std::int32_t nativeWidth,
                           std::int32_t nativeHeight);

}  // namespace lumivane
