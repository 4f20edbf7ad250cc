#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "setup/setup_ids.h"
#include "setup/sky_setup.h"

namespace lumivane {

// Port: the setup dialog's controls as the shell shows them. Moving a
// trackbar or ticking a box changes nothing until the dialog reads it.
class SetupView {
 public:
  virtual ~SetupView() = default;

  virtual void ConfigureTrackbar(SetupTrackbar trackbar, std::int32_t tickFrequency,
                                 std::int32_t minimum, std::int32_t maximum) = 0;
  virtual void SetTrackbarPosition(SetupTrackbar trackbar, std::int32_t position) = 0;
  virtual std::int32_t TrackbarPosition(SetupTrackbar trackbar) = 0;

  virtual void SetChecked(SetupCheckBox box, bool checked) = 0;
  virtual bool IsChecked(SetupCheckBox box) = 0;

  // The open-file dialog (filter and default extension from setup_texts.h),
  // starting with the initial name; the chosen file's full path, or nothing
  // when the user cancels.
  virtual std::optional<std::string> PromptOpenFile(const std::string& initialName) = 0;

  // Runs the Sky dialog (SkySetup over the shell's controls) modally on the
  // choice; what its OK took, or nothing for Cancel.
  virtual std::optional<SkyChoice> RunSkyDialog(const SkyChoice& choice) = 0;

  // Closes the dialog; the shell returns the result from its modal run.
  virtual void EndDialog(int result) = 0;
};

}  // namespace lumivane
