#include "settings/run_entry.h"

#include "settings/path_characters.h"
#include "settings/setting_table.h"

namespace lumivane {

void UpdateRunEntry(std::int32_t wanted, ProfileStore& store, StartupRegistration& registration,
                    MessageSink& owner) {
  if (wanted != 0) {
    const std::string path = registration.ProgramPath();
    if (PathCharacters(path) > kMaxProgramPathLength) {
      owner.ShowMessage(kPathTooLongMessage);
      wanted = 0;
    } else if (path.empty() || !registration.Register('"' + path + '"')) {
      // Without a path there is nothing that could be started.
      wanted = 0;
    }
  }
  if (wanted == 0) registration.Unregister();
  WriteSetting(store, kRunAtStartup, wanted);
}

}  // namespace lumivane
