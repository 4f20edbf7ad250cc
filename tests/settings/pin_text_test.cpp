#include "settings/pin_text.h"

#include <gtest/gtest.h>

namespace lumivane {
namespace {

TEST(PinText, EntriesAreReadOrKeptAsTheyWere) {
  struct Case {
    std::string_view entry;
    std::optional<MapPin> pin;
  };
  const std::vector<Case> cases = {
      {"-33.87,151.21,Sydney", MapPin{-33.87, 151.21, "Sydney"}},
      {" 51.5 , -0.12 ,London, UK", MapPin{51.5, -0.12, "London, UK"}},
      {"+90,-180,", MapPin{90, -180, ""}},
      {"0,180", MapPin{0, 180, ""}},
      {"90.5,0,Too far north", std::nullopt},
      {"0,180.01,Past the date line", std::nullopt},
      {"1e2,0,Exponent", std::nullopt},
      {"nan,0,", std::nullopt},
      {"12,,Missing longitude", std::nullopt},
      {"Home", std::nullopt},
      {"1,2x,Trailing", std::nullopt},
  };
  std::string text;
  for (const Case& c : cases) text += std::string(c.entry) + ";";
  text += " ;;";  // empty entries carry nothing
  const std::vector<PinEntry> entries = ReadPinEntries(text);
  ASSERT_EQ(entries.size(), cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(entries[i].text, cases[i].entry);
    EXPECT_EQ(entries[i].pin, cases[i].pin) << cases[i].entry;
  }
  EXPECT_EQ(ReadPins(text).size(), 4u);
  EXPECT_TRUE(ReadPins("").empty());
}

TEST(PinText, WrittenEntriesReadBackAndJoin) {
  EXPECT_EQ(PinEntryText(MapPin{-33.868, 151.2093, "Sydney;AU"}), "-33.868,151.2093,SydneyAU");
  EXPECT_EQ(PinEntryText(MapPin{51.5, -0.0, ""}), "51.5,0,");
  EXPECT_EQ(JoinPinEntries({"1,2,a", "x", "3,4,"}), "1,2,a;x;3,4,");
}

}  // namespace
}  // namespace lumivane
