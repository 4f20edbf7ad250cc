#include "settings/save_placement.h"

#include "settings/run_entry.h"
#include "settings/setting_table.h"

namespace lumivane {

void SavePlacement(ProfileStore& store, const ClockSettings& settings, std::int32_t windowLeft,
                   std::int32_t windowTop, StartupRegistration& registration, MessageSink& owner) {
  // One change, so that an end in between never leaves half a place.
  const ProfileStore::Value place[] = {
      {kAnchorX.section, kAnchorX.key, settings.anchorX},
      {kAnchorY.section, kAnchorY.key, settings.anchorY},
      {kPositionX.section, kPositionX.key, windowLeft},
      {kPositionY.section, kPositionY.key, windowTop},
  };
  store.WriteSettings(place);
  // Any nonzero wish is kept as it is stored.
  UpdateRunEntry(ReadSetting(store, kRunAtStartup), store, registration, owner);
}

}  // namespace lumivane
