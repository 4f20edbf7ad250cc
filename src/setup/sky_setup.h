#pragma once

#include <optional>
#include <string>

#include "settings/ports.h"
#include "setup/places_setup.h"
#include "setup/setup_ids.h"

namespace lumivane {

// What the Sky dialog edits: the sky settings as the setup holds them until
// its OK.
struct SkyChoice {
  bool twilight = false;
  bool precise = false;
  std::string nightLights{};  // "None", "Default" (the built-in lights) or a file
  PlacesChoice places{};      // the pins and their names, from the Places dialog

  bool operator==(const SkyChoice&) const = default;
};

// The stored sky, with the settings' defaults.
SkyChoice ReadSkyChoice(ProfileStore& store);
// Stores the values of `choice` that differ from `before` (the values read
// when the setup opened), so that an untouched sky writes nothing.
void WriteSkyChoice(ProfileStore& store, const SkyChoice& choice, const SkyChoice& before);

// Port: the Sky dialog's controls as the shell shows them.
class SkyView {
 public:
  virtual ~SkyView() = default;
  virtual void SetChecked(SkyControl control, bool checked) = 0;
  virtual bool IsChecked(SkyControl control) = 0;
  virtual void SetText(SkyControl control, const std::string& text) = 0;
  // The open-file dialog, as the Earth map button's.
  virtual std::optional<std::string> PromptOpenFile(const std::string& initialName) = 0;
  virtual void EndDialog(int result) = 0;
  // Runs the Places dialog over the choice; what its OK took, or nothing.
  virtual std::optional<PlacesChoice> RunPlacesDialog(const PlacesChoice& choice) = 0;
};

// The Sky dialog's behaviour: the check boxes, the city-lights choice (the
// picture's radio button asks for a file; a cancelled first choice goes
// back to the previous button), the Places dialog (its OK keeps its choice
// until this dialog's OK) and OK or Cancel.
class SkySetup {
 public:
  SkySetup(SkyView& view, SkyChoice initial);

  void OnInitDialog();
  // Returns false for an id the dialog does not handle.
  bool OnCommand(int commandId);

  // What OK took from the controls.
  const SkyChoice& choice() const { return choice_; }

 private:
  void ShowLights(SkyControl button);
  void OnPicture();

  SkyView& view_;
  SkyChoice choice_;
  std::string picture_;  // the picture file, once there is one
  SkyControl lights_ = SkyControl::NoLights;
  PlacesChoice places_;  // as the Places dialog left it
};

}  // namespace lumivane
