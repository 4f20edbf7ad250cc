#include "setup/places_setup.h"

#include <utility>

#include "places/map_tooltip.h"

namespace lumivane {

namespace {

// As many matches as a short list shows.
constexpr std::size_t kMatchesShown = 20;

std::string PinLine(const MapPin& pin) {
  const std::string where = CoordinatesText(GeoPoint{pin.latitude, pin.longitude});
  return pin.label.empty() ? where : pin.label + " (" + where + ")";
}

}  // namespace

PlacesSetup::PlacesSetup(PlacesView& view, const PlaceList& places, PlacesChoice initial)
    : view_(view),
      places_(places),
      choice_(std::move(initial)),
      entries_(ReadPinEntries(choice_.pins)) {}

void PlacesSetup::OnInitDialog() {
  ShowPins();
  view_.SetListItems(PlacesControl::Matches, {});
  view_.SetChecked(PlacesControl::ShowNames, choice_.names);
}

void PlacesSetup::ShowPins() {
  listed_.clear();
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (!entries_[i].pin) continue;
    listed_.push_back(i);
    lines.push_back(PinLine(*entries_[i].pin));
  }
  view_.SetListItems(PlacesControl::PinList, lines);
}

void PlacesSetup::OnSearchChanged() {
  matches_ = places_.Find(view_.GetText(PlacesControl::Search), kMatchesShown);
  std::vector<std::string> lines;
  for (const std::size_t i : matches_) {
    const Place place = places_[i];
    lines.push_back(std::string(place.name) + ", " + std::string(place.country));
  }
  view_.SetListItems(PlacesControl::Matches, lines);
}

void PlacesSetup::OnAdd() {
  if (matches_.empty()) return;
  const std::size_t line = view_.SelectedListItem(PlacesControl::Matches).value_or(0);
  if (line >= matches_.size()) return;
  const Place place = places_[matches_[line]];
  const MapPin pin{place.point.latitude, place.point.longitude, std::string(place.name)};
  entries_.push_back(PinEntry{PinEntryText(pin), pin});
  edited_ = true;
  ShowPins();
}

void PlacesSetup::OnRemove() {
  const auto line = view_.SelectedListItem(PlacesControl::PinList);
  if (!line || *line >= listed_.size()) return;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(listed_[*line]));
  edited_ = true;
  ShowPins();
}

bool PlacesSetup::OnCommand(int commandId) {
  switch (commandId) {
    case ControlId(PlacesControl::Add): OnAdd(); return true;
    case ControlId(PlacesControl::Remove): OnRemove(); return true;
    case kOkCommand: {
      if (edited_) {
        std::vector<std::string> texts;
        for (const PinEntry& entry : entries_) texts.push_back(entry.text);
        choice_.pins = JoinPinEntries(texts);
      }
      choice_.names = view_.IsChecked(PlacesControl::ShowNames);
      view_.EndDialog(kIdOk);
      return true;
    }
    case kCancelCommand: view_.EndDialog(kIdCancel); return true;
    default: return false;
  }
}

}  // namespace lumivane
