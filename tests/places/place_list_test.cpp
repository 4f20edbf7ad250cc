#include "places/place_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "places/embedded_files.h"

namespace lumivane {
namespace {

std::string Describe(const Place& place) {
  return std::string(place.name) + " " + std::string(place.country) + " " + std::string(place.zone);
}

TEST(BuiltinPlaces, HoldTheTownsOfTheWorldWithTheirZones) {
  const PlaceList& places = BuiltinPlaces();
  ASSERT_GE(places.size(), 20000u);
  std::set<std::string_view> zones;
  for (const EmbeddedFile& file : BuiltinZoneFiles()) zones.insert(file.name);
  for (std::size_t i = 0; i < places.size(); ++i) {
    const Place place = places[i];
    ASSERT_FALSE(place.name.empty()) << i;
    ASSERT_EQ(place.country.size(), 2u) << i;
    // Every zone a place names is built in for the Windows program.
    ASSERT_TRUE(zones.contains(place.zone)) << Describe(place);
  }
  EXPECT_FALSE(PlaceList::Read(""));
  EXPECT_FALSE(PlaceList::Read(BuiltinPlaceFiles().front().bytes.substr(0, 1000)));
}

TEST(BuiltinPlaces, FindByTheStartOfTheNameWhateverItsCaseAndAccents) {
  const PlaceList& places = BuiltinPlaces();
  const struct {
    const char* query;
    const char* first;  // name, country, zone of the best match
    const char* second;
  } rows[] = {
      {"zurich", "Zürich CH Europe/Zurich", nullptr},
      {"ZÜRICH", "Zürich CH Europe/Zurich", nullptr},
      {"sao paulo", "São Paulo BR America/Sao_Paulo", nullptr},
      {"Saint Etienne", "Saint-Étienne FR Europe/Paris", nullptr},
      {"lodz", "Łódź PL Europe/Warsaw", nullptr},
      {"New York", "New York City US America/New_York", nullptr},
      // Whole names first, larger places first.
      {"paris", "Paris FR Europe/Paris", "Paris US America/Chicago"},
      {"York", "York GB Europe/London", "York US America/New_York"},
      {"tromsø", "Tromsø NO Europe/Oslo", nullptr},
  };
  for (const auto& row : rows) {
    const auto found = places.Find(row.query, 5);
    ASSERT_FALSE(found.empty()) << row.query;
    EXPECT_EQ(Describe(places[found[0]]), row.first) << row.query;
    if (row.second) {
      ASSERT_GE(found.size(), 2u);
      EXPECT_EQ(Describe(places[found[1]]), row.second) << row.query;
    }
  }
  EXPECT_EQ(places.Find("s", 10).size(), 10u);
  EXPECT_TRUE(places.Find(" -' ", 10).empty());
  EXPECT_TRUE(places.Find("qqqqqq", 10).empty());
  EXPECT_TRUE(places.Find("\xff\xfe", 10).empty());
}

TEST(BuiltinPlaces, NearestWithinTheDistanceAcrossTheDateLineAndNearThePole) {
  const PlaceList& places = BuiltinPlaces();
  const struct {
    GeoPoint point;
    const char* nearest;  // nullptr: none within 100 km
  } rows[] = {
      {{-33.8568, 151.2153}, "Sydney AU Australia/Sydney"},
      {{-16.4, -179.9}, "Labasa FJ Pacific/Fiji"},  // Labasa lies at 179.36 E
      {{78.3, 15.0}, "Longyearbyen SJ Arctic/Longyearbyen"},
      {{0, -140}, nullptr},
      {{90, 0}, nullptr},
  };
  for (const auto& row : rows) {
    const auto nearest = places.Nearest(row.point, 100);
    if (!row.nearest) {
      EXPECT_FALSE(nearest) << row.point.latitude << "," << row.point.longitude;
      continue;
    }
    ASSERT_TRUE(nearest) << row.nearest;
    EXPECT_EQ(Describe(places[*nearest]), row.nearest);
  }
}

TEST(BuiltinPlaces, NearestIsTheNearestOfAllAsASearchThroughEveryPlaceFindsIt) {
  const PlaceList& places = BuiltinPlaces();
  const auto angle = [](GeoPoint a, GeoPoint b) {
    const double k = 3.14159265358979323846 / 180;
    const double cosine = std::sin(a.latitude * k) * std::sin(b.latitude * k) +
                          std::cos(a.latitude * k) * std::cos(b.latitude * k) *
                              std::cos((a.longitude - b.longitude) * k);
    return std::acos(std::max(-1.0, std::min(1.0, cosine)));
  };
  std::vector<GeoPoint> points;
  for (std::size_t j = 0; j < places.size(); ++j) points.push_back(places[j].point);
  std::mt19937 random(20261208);
  std::uniform_real_distribution<double> latitude(-90, 90), longitude(-180, 180);
  for (int i = 0; i < 100; ++i) {
    const GeoPoint point{latitude(random), longitude(random)};
    const auto found = places.Nearest(point, 20000);
    ASSERT_TRUE(found);
    double best = 10;
    for (const GeoPoint& other : points) best = std::min(best, angle(point, other));
    EXPECT_NEAR(angle(point, places[*found].point), best, 1e-9)
        << point.latitude << "," << point.longitude;
  }
}

}  // namespace
}  // namespace lumivane
