#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "places/place_list.h"
#include "settings/pin_text.h"
#include "setup/setup_ids.h"

namespace lumivane {

// What the Places dialog edits: the pins as stored text and whether their
// names show.
struct PlacesChoice {
  std::string pins{};
  bool names = true;
  bool operator==(const PlacesChoice&) const = default;
};

// Port: the Places dialog's controls as the shell shows them.
class PlacesView {
 public:
  virtual ~PlacesView() = default;
  // The lines of a list (PinList or Matches), replacing what it held.
  virtual void SetListItems(PlacesControl list, const std::vector<std::string>& items) = 0;
  // The selected line of a list, if any.
  virtual std::optional<std::size_t> SelectedListItem(PlacesControl list) = 0;
  virtual std::string GetText(PlacesControl control) = 0;
  virtual void SetChecked(PlacesControl control, bool checked) = 0;
  virtual bool IsChecked(PlacesControl control) = 0;
  virtual void EndDialog(int result) = 0;
};

// The Places dialog's behaviour: the pins listed by name, a search of the
// place list as the user types, Add (the selected match, else the first
// one) and Remove (the selected pin), and OK or Cancel. Entries that cannot
// be read are not listed and stay in the text where they were; the text is
// rewritten only when a pin is added or removed.
class PlacesSetup {
 public:
  PlacesSetup(PlacesView& view, const PlaceList& places, PlacesChoice initial);

  void OnInitDialog();
  // The search text changed.
  void OnSearchChanged();
  // Returns false for an id the dialog does not handle.
  bool OnCommand(int commandId);

  // What OK took from the controls.
  const PlacesChoice& choice() const { return choice_; }

 private:
  void ShowPins();
  void OnAdd();
  void OnRemove();

  PlacesView& view_;
  const PlaceList& places_;
  PlacesChoice choice_;
  std::vector<PinEntry> entries_;
  std::vector<std::size_t> listed_;   // the entries the list shows, by line
  std::vector<std::size_t> matches_;  // the places the matches show, by line
  bool edited_ = false;
};

}  // namespace lumivane
