#include "settings/save_placement.h"

#include "settings/run_entry.h"
#include "settings/setting_table.h"

namespace lumivane {

void SavePlacement(ProfileStore& store, const ClockSettings& settings,
                   std::int32_t windowLeft, std::int32_t windowTop,
                   StartupRegistration& registration, MessageSink& owner) {
  WriteSetting(store, kAnchorX, settings.anchorX);
  WriteSetting(store, kAnchorY, settings.anchorY);
  WriteSetting(store, kPositionX, windowLeft);
  WriteSetting(store, kPositionY, windowTop);
  // Any nonzero wish is kept as it is stored.
  UpdateRunEntry(ReadSetting(store, kRunAtStartup), store, registration, owner);
}

}  // namespace lumivane
