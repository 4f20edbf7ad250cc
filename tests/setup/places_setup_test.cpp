#include "setup/places_setup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_setup_view.h"

namespace lumivane {
namespace {

using ::testing::ElementsAre;

class PlacesSetupTest : public ::testing::Test {
 protected:
  PlacesSetup Open(const PlacesChoice& initial) {
    PlacesSetup places(view, BuiltinPlaces(), initial);
    places.OnInitDialog();
    return places;
  }

  std::vector<std::string> log;
  FakePlacesView view{log};
};

TEST_F(PlacesSetupTest, ThePinsAreListedTheUnreadableKeptAndNamesShown) {
  PlacesSetup places = Open({"51.5,-0.12,Home;not a pin;-33.87,151.21,", false});
  EXPECT_THAT(log, ElementsAre("SetListItems 1201 [Home (51.50\u00b0 N, 0.12\u00b0 W)|"
                               "33.87\u00b0 S, 151.21\u00b0 E]",
                               "SetListItems 1203 []", "SetChecked 1206 0"));
  // Untouched, the text stays as it was, byte for byte.
  view.showNames = true;
  places.OnCommand(kOkCommand);
  EXPECT_EQ(places.choice(), (PlacesChoice{"51.5,-0.12,Home;not a pin;-33.87,151.21,", true}));
  EXPECT_EQ(view.result, kIdOk);
}

TEST_F(PlacesSetupTest, TypingSearchesTheListAddTakesAMatchRemoveTheSelectedPin) {
  PlacesSetup places = Open({"51.5,-0.12,Home;not a pin", true});
  view.searchText = "reykjav";
  places.OnSearchChanged();
  ASSERT_FALSE(view.lists[PlacesControl::Matches].empty());
  EXPECT_EQ(view.lists[PlacesControl::Matches].front(), "Reykjav\u00edk, IS");
  places.OnCommand(ControlId(PlacesControl::Add));  // no selection: the first match
  EXPECT_EQ(view.lists[PlacesControl::PinList].size(), 2u);
  view.selected[PlacesControl::PinList] = 0;
  places.OnCommand(ControlId(PlacesControl::Remove));
  places.OnCommand(kOkCommand);
  // Reykjavík at 64.13548 N, 21.89541 W in the built-in list.
  EXPECT_EQ(places.choice().pins, "not a pin;64.13548,-21.89541,Reykjav\u00edk");
}

TEST_F(PlacesSetupTest, CancelTakesNothing) {
  PlacesSetup places = Open({"1,2,A", true});
  places.OnCommand(ControlId(PlacesControl::Remove));  // nothing selected
  places.OnCommand(kCancelCommand);
  EXPECT_EQ(view.result, kIdCancel);
  EXPECT_EQ(places.choice(), (PlacesChoice{"1,2,A", true}));
}

}  // namespace
}  // namespace lumivane
