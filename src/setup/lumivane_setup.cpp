#include "setup/lumivane_setup.h"

#include <algorithm>
#include <string>

#include "settings/path_characters.h"
#include "settings/run_entry.h"
#include "settings/setting_table.h"
#include "setup/setup_controls.h"

namespace lumivane {

LumivaneSetup::LumivaneSetup(ProfileStore& store, SetupView& view,
                             StartupRegistration& registration, MessageSink& owner)
    : store_(store), view_(view), registration_(registration), owner_(owner) {}

void LumivaneSetup::OnInitDialog() {
  view_.ConfigureTrackbar(SetupTrackbar::Scale, kTrackbarTickFrequency, kScale.minimum,
                          kScale.maximum);
  view_.ConfigureTrackbar(SetupTrackbar::NightDarkness, kTrackbarTickFrequency,
                          kNightDarkness.minimum, kNightDarkness.maximum);
  view_.SetTrackbarPosition(SetupTrackbar::Scale, ReadSetting(store_, kScale));
  view_.SetTrackbarPosition(SetupTrackbar::NightDarkness, ReadSetting(store_, kNightDarkness));

  auto shown = kSetupCheckBoxSettings;
  std::ranges::sort(shown, {}, &SetupCheckBoxSetting::shownAt);
  for (const auto& [box, setting, shownAt] : shown) {
    view_.SetChecked(
        box, setting ? ReadSetting(store_, *setting) : ReadSetting(store_, kRunAtStartup) != 0);
  }
  storedSky_ = pendingSky_ = ReadSkyChoice(store_);
}

void LumivaneSetup::OnOK() {
  WriteSetting(store_, kScale, view_.TrackbarPosition(SetupTrackbar::Scale));
  WriteSetting(store_, kNightDarkness, view_.TrackbarPosition(SetupTrackbar::NightDarkness));
  for (const auto& [box, setting, shownAt] : kSetupCheckBoxSettings) {
    if (setting) {
      WriteSetting(store_, *setting, view_.IsChecked(box));
    } else {  // writes options/start with what could actually be done
      UpdateRunEntry(view_.IsChecked(box) ? 1 : 0, store_, registration_, owner_);
    }
  }
  WriteSkyChoice(store_, pendingSky_, storedSky_);
  view_.EndDialog(kIdOk);
}

void LumivaneSetup::OnCancel() { view_.EndDialog(kIdCancel); }

void LumivaneSetup::OnExit() { view_.EndDialog(kIdExit); }

void LumivaneSetup::OnSetDefault() {
  // Anchor, position and options/start stay as they are.
  WriteSetting(store_, kScale, kScale.defaultValue);
  WriteSetting(store_, kNightDarkness, kNightDarkness.defaultValue);
  for (const auto& [box, setting, shownAt] : kSetupCheckBoxSettings) {
    if (setting) WriteSetting(store_, *setting, setting->defaultValue);
  }
  WriteSetting(store_, kEarthMapFile, kEarthMapFile.defaultValue);
  // The pinned places are the user's own list, not a look: they stay.
  WriteSkyChoice(store_,
                 SkyChoice{.nightLights = std::string(kNoNightLights), .places = storedSky_.places},
                 storedSky_);
  view_.EndDialog(kIdReload);
}

void LumivaneSetup::OnEarthMap() {
  const std::string stored = ReadSetting(store_, kEarthMapFile);
  const std::string initialName(CutToPathCharacters(stored, kMaxInitialFileNameLength));
  const std::optional<std::string> chosen = view_.PromptOpenFile(initialName);
  if (!chosen) return;
  WriteSetting(store_, kEarthMapFile, *chosen);
  view_.EndDialog(kIdReload);
}

void LumivaneSetup::OnSky() {
  if (std::optional<SkyChoice> edited = view_.RunSkyDialog(pendingSky_)) pendingSky_ = *edited;
}

bool LumivaneSetup::OnCommand(int commandId) {
  switch (commandId) {
    case kOkCommand: OnOK(); return true;
    case kCancelCommand: OnCancel(); return true;
    case kExitCommand: OnExit(); return true;
    case kSetDefaultCommand: OnSetDefault(); return true;
    case kEarthMapCommand: OnEarthMap(); return true;
    case kSkyCommand: OnSky(); return true;
    default: return false;
  }
}

}  // namespace lumivane
