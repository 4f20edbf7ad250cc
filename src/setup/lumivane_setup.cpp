#include "setup/lumivane_setup.h"

#include <string>

#include "settings/run_entry.h"
#include "settings/setting_table.h"

namespace lumivane {
namespace {

// Cuts to at most maxLength bytes without splitting a UTF-8 sequence.
std::string CutText(std::string text, std::size_t maxLength) {
  if (text.size() <= maxLength) return text;
  std::size_t end = maxLength;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0u) == 0x80u) --end;
  text.resize(end);
  return text;
}

}  // namespace

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

  view_.SetChecked(SetupCheckBox::AlwaysOnTop, ReadSetting(store_, kAlwaysOnTop));
  view_.SetChecked(SetupCheckBox::ShowSun, ReadSetting(store_, kShowSun));
  view_.SetChecked(SetupCheckBox::SunCentered, ReadSetting(store_, kSunCentered));
  view_.SetChecked(SetupCheckBox::ShowMoon, ReadSetting(store_, kShowMoon));
  view_.SetChecked(SetupCheckBox::ShowTrayIcon, ReadSetting(store_, kShowTrayIcon));
  view_.SetChecked(SetupCheckBox::RunAtStartup, ReadSetting(store_, kRunAtStartup) != 0);
}

void LumivaneSetup::OnOK() {
  WriteSetting(store_, kScale, view_.TrackbarPosition(SetupTrackbar::Scale));
  WriteSetting(store_, kNightDarkness, view_.TrackbarPosition(SetupTrackbar::NightDarkness));
  WriteSetting(store_, kAlwaysOnTop, view_.IsChecked(SetupCheckBox::AlwaysOnTop));
  WriteSetting(store_, kShowTrayIcon, view_.IsChecked(SetupCheckBox::ShowTrayIcon));
  WriteSetting(store_, kShowSun, view_.IsChecked(SetupCheckBox::ShowSun));
  WriteSetting(store_, kSunCentered, view_.IsChecked(SetupCheckBox::SunCentered));
  // Writes options/start with what could actually be done.
  UpdateRunEntry(view_.IsChecked(SetupCheckBox::RunAtStartup) ? 1 : 0, store_, registration_,
                 owner_);
  WriteSetting(store_, kShowMoon, view_.IsChecked(SetupCheckBox::ShowMoon));
  view_.EndDialog(kIdOk);
}

void LumivaneSetup::OnCancel() { view_.EndDialog(kIdCancel); }

void LumivaneSetup::OnExit() { view_.EndDialog(kIdExit); }

void LumivaneSetup::OnSetDefault() {
  // Anchor, position and options/start stay as they are.
  WriteSetting(store_, kScale, kScale.defaultValue);
  WriteSetting(store_, kNightDarkness, kNightDarkness.defaultValue);
  for (const FlagSetting& flag : {kAlwaysOnTop, kShowTrayIcon, kShowSun, kSunCentered, kShowMoon}) {
    WriteSetting(store_, flag, flag.defaultValue);
  }
  WriteSetting(store_, kEarthMapFile, kEarthMapFile.defaultValue);
  view_.EndDialog(kIdReload);
}

void LumivaneSetup::OnEarthMap() {
  const std::string initialName =
      CutText(ReadSetting(store_, kEarthMapFile), kMaxInitialFileNameLength);
  const std::optional<std::string> chosen = view_.PromptOpenFile(initialName);
  if (!chosen) return;
  WriteSetting(store_, kEarthMapFile, *chosen);
  view_.EndDialog(kIdReload);
}

bool LumivaneSetup::OnCommand(int commandId) {
  switch (commandId) {
    case kOkCommand: OnOK(); return true;
    case kCancelCommand: OnCancel(); return true;
    case kExitCommand: OnExit(); return true;
    case kSetDefaultCommand: OnSetDefault(); return true;
    case kEarthMapCommand: OnEarthMap(); return true;
    default: return false;
  }
}

}  // namespace lumivane
