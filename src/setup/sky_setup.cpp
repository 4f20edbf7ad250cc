#include "setup/sky_setup.h"

#include <utility>

#include "settings/setting_table.h"

namespace lumivane {

SkyChoice ReadSkyChoice(ProfileStore& store) {
  return SkyChoice{ReadSetting(store, kTwilight), ReadSetting(store, kPreciseSky),
                   ReadSetting(store, kNightLightsFile),
                   PlacesChoice{ReadSetting(store, kPins), ReadSetting(store, kPinNames)}};
}

void WriteSkyChoice(ProfileStore& store, const SkyChoice& choice, const SkyChoice& before) {
  if (choice.twilight != before.twilight) WriteSetting(store, kTwilight, choice.twilight);
  if (choice.precise != before.precise) WriteSetting(store, kPreciseSky, choice.precise);
  if (choice.nightLights != before.nightLights) {
    WriteSetting(store, kNightLightsFile, choice.nightLights);
  }
  if (choice.places.pins != before.places.pins) WriteSetting(store, kPins, choice.places.pins);
  if (choice.places.names != before.places.names) {
    WriteSetting(store, kPinNames, choice.places.names);
  }
}

SkySetup::SkySetup(SkyView& view, SkyChoice initial)
    : view_(view), choice_(std::move(initial)), places_(choice_.places) {
  if (choice_.nightLights == kBuiltinNightLights) {
    lights_ = SkyControl::BuiltinLights;
  } else if (choice_.nightLights != kNoNightLights) {
    lights_ = SkyControl::PictureLights;
    picture_ = choice_.nightLights;
  }
}

void SkySetup::OnInitDialog() {
  view_.SetChecked(SkyControl::Twilight, choice_.twilight);
  view_.SetChecked(SkyControl::PreciseSky, choice_.precise);
  ShowLights(lights_);
}

void SkySetup::ShowLights(SkyControl button) {
  lights_ = button;
  for (const SkyControl each :
       {SkyControl::NoLights, SkyControl::BuiltinLights, SkyControl::PictureLights}) {
    view_.SetChecked(each, each == button);
  }
  view_.SetText(SkyControl::LightsFileName, picture_);
}

void SkySetup::OnPicture() {
  const std::optional<std::string> chosen = view_.PromptOpenFile(picture_);
  if (chosen) picture_ = *chosen;
  // Without a picture the choice stays where it was.
  ShowLights(picture_.empty() ? lights_ : SkyControl::PictureLights);
}

bool SkySetup::OnCommand(int commandId) {
  switch (commandId) {
    case ControlId(SkyControl::NoLights): ShowLights(SkyControl::NoLights); return true;
    case ControlId(SkyControl::BuiltinLights): ShowLights(SkyControl::BuiltinLights); return true;
    case ControlId(SkyControl::PictureLights): OnPicture(); return true;
    case ControlId(SkyControl::Places):
      if (auto edited = view_.RunPlacesDialog(places_)) places_ = std::move(*edited);
      return true;
    case kOkCommand:
      choice_.twilight = view_.IsChecked(SkyControl::Twilight);
      choice_.precise = view_.IsChecked(SkyControl::PreciseSky);
      choice_.nightLights = lights_ == SkyControl::NoLights ? std::string(kNoNightLights)
                            : lights_ == SkyControl::BuiltinLights
                                ? std::string(kBuiltinNightLights)
                                : picture_;
      choice_.places = places_;
      view_.EndDialog(kIdOk);
      return true;
    case kCancelCommand: view_.EndDialog(kIdCancel); return true;
    default: return false;
  }
}

}  // namespace lumivane
