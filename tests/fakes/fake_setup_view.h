#pragma once

#include <cstdint>
#include <map>
#include <vector>
#include <optional>
#include <string>
#include <vector>

#include "fakes/call_log.h"
#include "setup/setup_view.h"

namespace lumivane {

// The setup dialog's controls in memory. Setting and reading controls is
// logged ("SetTrackbarPosition 1002 30", "IsChecked 1009 -> 1",
// "PromptOpenFile "Default" -> "/maps/e.bmp"", "EndDialog 1"); the user's
// changes are made with the Set*ByUser members, which are not logged.
class FakeSetupView : public SetupView, public CallLog {
 public:
  using CallLog::CallLog;

  std::optional<std::string> fileChoice;  // what the open-file dialog returns
  std::optional<int> result;              // set by EndDialog
  std::optional<SkyChoice> skyChoice;     // what the Sky dialog's OK returns

  void MoveTrackbarByUser(SetupTrackbar trackbar, std::int32_t position);
  void SetCheckedByUser(SetupCheckBox box, bool checked);
  std::int32_t Position(SetupTrackbar trackbar) const;
  bool Checked(SetupCheckBox box) const;

  void ConfigureTrackbar(SetupTrackbar trackbar, std::int32_t tickFrequency, std::int32_t minimum,
                         std::int32_t maximum) override;
  void SetTrackbarPosition(SetupTrackbar trackbar, std::int32_t position) override;
  std::int32_t TrackbarPosition(SetupTrackbar trackbar) override;
  void SetChecked(SetupCheckBox box, bool checked) override;
  bool IsChecked(SetupCheckBox box) override;
  std::optional<std::string> PromptOpenFile(const std::string& initialName) override;
  std::optional<SkyChoice> RunSkyDialog(const SkyChoice& choice) override;
  void EndDialog(int result) override;

 private:
  std::map<SetupTrackbar, std::int32_t> positions_;
  std::map<SetupCheckBox, bool> checks_;
};

// The Sky dialog's controls in memory, logged the same way ("SetChecked
// 1101 1", "SetText 1106 "/maps/l.png"", "EndDialog 1"); ClickByUser checks
// a box or a radio button as the platform would before the command arrives.
class FakeSkyView : public SkyView, public CallLog {
 public:
  using CallLog::CallLog;

  std::optional<std::string> fileChoice;
  std::optional<int> result;

  void ClickByUser(SkyControl control);
  bool Checked(SkyControl control) const;

  void SetChecked(SkyControl control, bool checked) override;
  bool IsChecked(SkyControl control) override;
  void SetText(SkyControl control, const std::string& text) override;
  std::optional<std::string> PromptOpenFile(const std::string& initialName) override;
  void EndDialog(int result) override;
  // Logged as "RunPlacesDialog "<pins>" <names> -> ..." with placesResult.
  std::optional<PlacesChoice> placesResult;
  std::optional<PlacesChoice> RunPlacesDialog(const PlacesChoice& choice) override;

 private:
  std::map<SkyControl, bool> checks_;
};

// The Places dialog's controls in memory: the lists' lines, the selections
// and the search text the test sets, logged as "SetListItems 1201 [a|b]",
// "EndDialog 1".
class FakePlacesView : public PlacesView, public CallLog {
 public:
  using CallLog::CallLog;

  std::map<PlacesControl, std::vector<std::string>> lists;
  std::map<PlacesControl, std::size_t> selected;
  std::string searchText;
  bool showNames = false;
  std::optional<int> result;

  void SetListItems(PlacesControl list, const std::vector<std::string>& items) override;
  std::optional<std::size_t> SelectedListItem(PlacesControl list) override;
  std::string GetText(PlacesControl control) override;
  void SetChecked(PlacesControl control, bool checked) override;
  bool IsChecked(PlacesControl control) override;
  void EndDialog(int result) override;
};

}  // namespace lumivane
