#include "fakes/fake_setup_view.h"

#include <utility>

#include "fakes/fake_profile_store.h"

namespace lumivane {
namespace {

std::string Id(SetupTrackbar trackbar) { return std::to_string(static_cast<int>(trackbar)); }
std::string Id(SetupCheckBox box) { return std::to_string(static_cast<int>(box)); }
std::string Id(SkyControl control) { return std::to_string(static_cast<int>(control)); }
std::string Id(PlacesControl control) { return std::to_string(static_cast<int>(control)); }
std::string Flag(bool on) { return on ? "1" : "0"; }

}  // namespace

void FakeSetupView::MoveTrackbarByUser(SetupTrackbar trackbar, std::int32_t position) {
  positions_[trackbar] = position;
}

void FakeSetupView::SetCheckedByUser(SetupCheckBox box, bool checked) { checks_[box] = checked; }

std::int32_t FakeSetupView::Position(SetupTrackbar trackbar) const {
  auto it = positions_.find(trackbar);
  return it == positions_.end() ? 0 : it->second;
}

bool FakeSetupView::Checked(SetupCheckBox box) const {
  auto it = checks_.find(box);
  return it != checks_.end() && it->second;
}

void FakeSetupView::ConfigureTrackbar(SetupTrackbar trackbar, std::int32_t tickFrequency,
                                      std::int32_t minimum, std::int32_t maximum) {
  log.push_back("ConfigureTrackbar " + Id(trackbar) + " ticks " + std::to_string(tickFrequency) +
                " range " + std::to_string(minimum) + ".." + std::to_string(maximum));
}

void FakeSetupView::SetTrackbarPosition(SetupTrackbar trackbar, std::int32_t position) {
  log.push_back("SetTrackbarPosition " + Id(trackbar) + ' ' + std::to_string(position));
  positions_[trackbar] = position;
}

std::int32_t FakeSetupView::TrackbarPosition(SetupTrackbar trackbar) {
  log.push_back("TrackbarPosition " + Id(trackbar) + " -> " + std::to_string(Position(trackbar)));
  return Position(trackbar);
}

void FakeSetupView::SetChecked(SetupCheckBox box, bool checked) {
  log.push_back("SetChecked " + Id(box) + ' ' + (checked ? "1" : "0"));
  checks_[box] = checked;
}

bool FakeSetupView::IsChecked(SetupCheckBox box) {
  log.push_back("IsChecked " + Id(box) + " -> " + (Checked(box) ? "1" : "0"));
  return Checked(box);
}

std::optional<std::string> FakeSetupView::PromptOpenFile(const std::string& initialName) {
  log.push_back("PromptOpenFile " + Quoted(initialName) + " -> " +
                (fileChoice ? Quoted(*fileChoice) : std::string("cancelled")));
  return fileChoice;
}

void FakeSetupView::EndDialog(int dialogResult) {
  log.push_back("EndDialog " + std::to_string(dialogResult));
  result = dialogResult;
}

std::optional<SkyChoice> FakeSetupView::RunSkyDialog(const SkyChoice& choice) {
  std::string line = "RunSkyDialog ";
  line += Flag(choice.twilight);
  line += Flag(choice.precise);
  line += ' ';
  line += Quoted(choice.nightLights);
  line += skyChoice ? " -> OK" : " -> Cancel";
  log.push_back(std::move(line));
  return skyChoice;
}

void FakeSkyView::ClickByUser(SkyControl control) {
  const bool radio = control == SkyControl::NoLights || control == SkyControl::BuiltinLights ||
                     control == SkyControl::PictureLights;
  if (radio) {
    for (auto& [each, on] : checks_) {
      if (each >= SkyControl::NoLights && each <= SkyControl::PictureLights) on = false;
    }
  }
  checks_[control] = radio || !Checked(control);
}

bool FakeSkyView::Checked(SkyControl control) const {
  auto it = checks_.find(control);
  return it != checks_.end() && it->second;
}

void FakeSkyView::SetChecked(SkyControl control, bool checked) {
  log.push_back("SetChecked " + Id(control) + ' ' + Flag(checked));
  checks_[control] = checked;
}

bool FakeSkyView::IsChecked(SkyControl control) {
  log.push_back("IsChecked " + Id(control) + " -> " + Flag(Checked(control)));
  return Checked(control);
}

void FakeSkyView::SetText(SkyControl control, const std::string& text) {
  log.push_back("SetText " + Id(control) + ' ' + Quoted(text));
}

std::optional<std::string> FakeSkyView::PromptOpenFile(const std::string& initialName) {
  log.push_back("PromptOpenFile " + Quoted(initialName) + " -> " +
                (fileChoice ? Quoted(*fileChoice) : std::string("cancelled")));
  return fileChoice;
}

void FakeSkyView::EndDialog(int ended) {
  log.push_back("EndDialog " + std::to_string(ended));
  result = ended;
}

std::optional<PlacesChoice> FakeSkyView::RunPlacesDialog(const PlacesChoice& choice) {
  log.push_back("RunPlacesDialog " + Quoted(choice.pins) + ' ' + Flag(choice.names) + " -> " +
                (placesResult ? Quoted(placesResult->pins) + ' ' + Flag(placesResult->names)
                              : std::string("cancelled")));
  return placesResult;
}

void FakePlacesView::SetListItems(PlacesControl list, const std::vector<std::string>& items) {
  std::string line = "SetListItems " + Id(list) + " [";
  for (std::size_t i = 0; i < items.size(); ++i) line += (i > 0 ? "|" : "") + items[i];
  log.push_back(line + "]");
  lists[list] = items;
  selected.erase(list);
}

std::optional<std::size_t> FakePlacesView::SelectedListItem(PlacesControl list) {
  const auto it = selected.find(list);
  if (it == selected.end()) return std::nullopt;
  return it->second;
}

std::string FakePlacesView::GetText(PlacesControl) { return searchText; }

void FakePlacesView::SetChecked(PlacesControl control, bool checked) {
  log.push_back("SetChecked " + Id(control) + ' ' + Flag(checked));
  showNames = checked;
}

bool FakePlacesView::IsChecked(PlacesControl) { return showNames; }

void FakePlacesView::EndDialog(int ended) {
  log.push_back("EndDialog " + std::to_string(ended));
  result = ended;
}

}  // namespace lumivane
